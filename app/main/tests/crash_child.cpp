// SPDX-License-Identifier: GPL-3.0-or-later
// The TarnEdit session the crash tests kill: opens the main window offscreen on the settings
// file given and runs until it is killed. Given only the settings and the program's folder, it
// edits the translations of texts 2 and 5 as typing would (its recovery journal written by the
// window itself); given also a character table and a folder of dictionaries, it sets the code
// page, the table, the notation and the spelling language through the window's commands.
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <iostream>

#include "app/main/main_window.h"
#include "app/main/tarn_edit_application.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "exetext/string_table_document.h"

namespace {

void setFourSettings(tarn::MainWindow& window, tarn::ScriptedPrompter& prompter,
                     const QString& table, const QString& dictionaries) {
    using tarn::childByName;
    window.setFontCharset(238);
    childByName<QAction>(window, "notationAction")->trigger();
    prompter.onDialog([&prompter, table](QDialog& dialog) {
        prompter.onDialog([table](QDialog& files) {
            static_cast<QFileDialog&>(files).selectFile(table);
            files.accept();
        });
        childByName<QPushButton>(dialog, "chooseTableButton")->click();
        dialog.accept();
    });
    childByName<QAction>(window, "characterTableAction")->trigger();
    prompter.onDialog([dictionaries](QDialog& dialog) {
        auto* folder = childByName<QLineEdit>(dialog, "dictionaryFolderEdit");
        folder->setText(dictionaries);
        emit folder->editingFinished();
        auto* languages = childByName<QComboBox>(dialog, "spellingLanguageBox");
        languages->setCurrentIndex(languages->findData(QStringLiteral("cs_CZ")));
        dialog.accept();
    });
    childByName<QAction>(window, "spellingLanguageAction")->trigger();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::cerr << "usage: crash_child SETTINGS PROGRAM_DIR [TABLE DICTIONARIES]\n";
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    tarn::TarnEditApplication app(argc, argv);
    tarn::ScriptedPrompter prompter;  // nothing is asked on the way; nothing may wait for a reply
    tarn::MainWindow window(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    window.show();
    // After the queued start-up has loaded the executables.
    QTimer::singleShot(0, &window, [&window, &prompter, argc, argv] {
        if (argc == 5) {
            setFourSettings(window, prompter, QString::fromLocal8Bit(argv[3]),
                            QString::fromLocal8Bit(argv[4]));
            return;
        }
        constexpr int column = tarn::StringTableDocument::TranslatedColumn;
        for (const int row : {2, 5}) {
            window.setCellText(row, column,
                               window.document().notationText(row, column) + " crashed");
        }
    });
    return QApplication::exec();
}
