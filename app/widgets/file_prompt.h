// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs of the program's own commands: our dialog rather than the system's, run
// through the Prompter so that tests answer it, opened in the folder it showed last.
#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace tarn {

struct FilePrompt {
    QString objectName;  // "exportPoFileDialog"
    QString title;
    QString nameFilter;     // "PO files (*.po)"
    QString defaultSuffix;  // "po"
    bool save = false;      // a file to write (may be new) rather than one to read
    QString proposedName = {};  // a file name the dialog starts with, when saving
};

// Asks for a file, opened in folder (UTF-8; the current folder when empty or gone). Saving over
// an existing file asks first. Answers the chosen path, or nothing when the translator cancels;
// folder then holds the chosen file's folder.
std::optional<QString> askForFile(QWidget* parent, const FilePrompt& prompt, std::string& folder);

}  // namespace tarn
