#include "editor/tarn_application.h"

#include <exception>

#include "app/widgets/prompter.h"

namespace tarn {

TarnApplication::TarnApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("TarnEdit"));
}

bool TarnApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    } catch (...) {
        showExceptionMessage(QStringLiteral("Unknown error"));
    }
    return false;
}

}  // namespace tarn
