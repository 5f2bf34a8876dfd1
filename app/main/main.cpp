// SPDX-License-Identifier: GPL-3.0-or-later
// TarnEdit: the translator's program for the texts of the game Tarn.
#include <iostream>
#include <string>
#include <string_view>

#include "app/main/main_window.h"
#include "app/main/settings_location.h"
#include "app/main/tarn_edit_application.h"
#include "app/widgets/file_paths.h"
#include "platform/core/console.h"

namespace {

std::string usage() {
    return std::string("Usage: TarnEdit [--settings FILE]\n"
                       "The translator's program for the texts of the game Tarn.\n"
                       "\n"
                       "Options:\n"
                       "  --settings FILE  keep the settings in FILE instead of tarnedit.ini "
                       "beside the program\n"
                       "                   (or in ") +
           tarn::userSettingsFolderInHelp() +
           " when that folder cannot be written)\n"
           "  --version        print the version and exit\n"
           "  --help           print this help and exit\n";
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is asked for, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version" || argument == "--help" || argument == "-h") {
            tarn::platform::useParentConsole();
        }
        if (argument == "--version") {
            std::cout << "TarnEdit " << TARN_VERSION << '\n';
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::cout << usage();
            return 0;
        }
    }
    tarn::TarnEditApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(TARN_VERSION));  // for PO headers
    const QString programDir = tarn::nativePath(QCoreApplication::applicationDirPath());
    QString settings = tarn::settingsOptionOf(QCoreApplication::arguments().mid(1));
    if (settings.isEmpty()) {
        settings = tarn::defaultSettingsPath(programDir, tarn::userSettingsFolder());
    }
    tarn::MainWindow mainWindow(settings, programDir);
    mainWindow.show();
    return app.exec();
}
