// TarnEdit: the translator's program for the texts of the game Tarn.
#include <QStandardPaths>

#include "editor/settings_location.h"
#include "editor/tarn_application.h"
#include "editor/tfo_form.h"

int main(int argc, char** argv) {
    tarn::TarnApplication app(argc, argv);
    const QString programDir = QCoreApplication::applicationDirPath();
    QString settings = tarn::settingsOptionOf(QCoreApplication::arguments().mid(1));
    if (settings.isEmpty()) {
        settings = tarn::defaultSettingsPath(
            programDir, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    }
    tarn::TFoForm mainWindow(settings, programDir);
    mainWindow.show();
    return app.exec();
}
