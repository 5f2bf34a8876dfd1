// TarnEdit: the translator's program for the texts of the game Tarn.
#include <QStandardPaths>

#include "app/main/main_window.h"
#include "app/main/settings_location.h"
#include "app/main/tarn_edit_application.h"

int main(int argc, char** argv) {
    tarn::TarnEditApplication app(argc, argv);
    const QString programDir = QCoreApplication::applicationDirPath();
    QString settings = tarn::settingsOptionOf(QCoreApplication::arguments().mid(1));
    if (settings.isEmpty()) {
        settings = tarn::defaultSettingsPath(
            programDir, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    }
    tarn::MainWindow mainWindow(settings, programDir);
    mainWindow.show();
    return app.exec();
}
