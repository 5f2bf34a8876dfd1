// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window works on in the window tests and the benchmark: a generated original
// and translated game executable with a settings file naming both, in a temporary folder; and
// long texts of game length for every cell.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main/main_window.h"
#include "app/main/texts_session.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_document.h"

namespace tarn {

class SampleGame {
public:
    SampleGame() {
        fs::create_directories(origPath.parent_path());
        fs::create_directories(transPath.parent_path());
    }

    void writeGame(const std::vector<std::string>& original,
                   const std::vector<std::string>& translated, int profile = 2) const {
        writeFileAtomically(origPath, windowsProgram(makeSampleExecutable(profile, original)));
        writeFileAtomically(transPath, windowsProgram(makeSampleExecutable(profile, translated)));
    }
    // A Windows program starts with the "MZ" mark; the texts lie far behind it.
    static Bytes windowsProgram(Bytes file) {
        file[0] = 'M';
        file[1] = 'Z';
        return file;
    }

    void writeSettings(const std::string& extra = {}) const {
        std::ofstream(settingsPath, std::ios::binary)
            << "[Paths]\r\nOrigExePath=" << origPath.string()
            << "\r\nTransExePath=" << transPath.string() << "\r\n"
            << extra;
    }

    // Creates and shows the main window on the settings file and lets its start-up run.
    std::unique_ptr<MainWindow> openMainWindow() const {
        auto window = std::make_unique<MainWindow>(QString::fromStdString(settingsPath.string()),
                                                   QString::fromStdString(dir.path().string()));
        window->show();
        QCoreApplication::processEvents();
        return window;
    }

    TempDir dir;
    fs::path origPath = dir.path() / "orig" / "Tarn.exe";
    fs::path transPath = dir.path() / "game" / "Tarn.exe";
    fs::path settingsPath = dir.path() / "tarnedit.ini";
};

// Sets every row's texts to a sentence with codes and the row's number: "cargo" twice in the
// original, once in the translation ("... de cargo, \c3vendez!").
inline void fillWithCargoTexts(MainWindow& window) {
    window.session().beginChange();  // one step, as a replace run makes it
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        const std::string number = std::to_string(row);
        window.setCellText(
            row, StringTableDocument::OriginalColumn,
            "The cargo bay of ship " + number + " holds %N units; sell the cargo at the station.");
        window.setCellText(
            row, StringTableDocument::TranslatedColumn,
            "La soute du vaisseau " + number + " contient %N unit\xE9s de cargo, \\c3vendez!");
    }
    window.session().endChange("Fill");
}

}  // namespace tarn
