// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/tarn_edit_application.h"

#include <exception>

#include "app/widgets/prompter.h"

namespace tarn {

TarnEditApplication::TarnEditApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("TarnEdit"));
}

bool TarnEditApplication::notify(QObject* receiver, QEvent* event) {
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
