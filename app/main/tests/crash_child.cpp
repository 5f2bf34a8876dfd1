// SPDX-License-Identifier: GPL-3.0-or-later
// The TarnEdit session the crash test kills: opens the main window offscreen on the settings
// file given, edits the translations of texts 2 and 5 as typing would, and runs until it is
// killed. Its recovery journal is written by the window itself, as in a real session.
#include <QTimer>
#include <cstdlib>
#include <iostream>

#include "app/main/main_window.h"
#include "app/main/tarn_edit_application.h"
#include "app/widgets/scripted_prompter.h"
#include "exetext/string_table_document.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: crash_child SETTINGS PROGRAM_DIR\n";
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    tarn::TarnEditApplication app(argc, argv);
    tarn::ScriptedPrompter prompter;  // nothing is asked on the way; nothing may wait for a reply
    tarn::MainWindow window(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    window.show();
    // After the queued start-up has loaded the executables.
    QTimer::singleShot(0, &window, [&window] {
        constexpr int column = tarn::StringTableDocument::TranslatedColumn;
        for (const int row : {2, 5}) {
            window.setCellText(row, column,
                               window.document().notationText(row, column) + " crashed");
        }
    });
    return QApplication::exec();
}
