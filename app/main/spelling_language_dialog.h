// SPDX-License-Identifier: GPL-3.0-or-later
// Other > Spelling language...: the translation's spelling language among the dictionaries found
// (or none), and a folder of dictionaries looked in before the system's. Without any dictionary
// it names the package to install. "Add dictionary..." copies a Hunspell pair the translator
// chooses into the user's own dictionaries folder.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tarn {

class SpellingLanguageDialog : public QDialog {
    Q_OBJECT
public:
    // language, folder: the current choice; proposed: the language whose package is named when
    // no dictionary is found.
    SpellingLanguageDialog(const std::string& language, const std::string& folder,
                           const std::string& proposed, QWidget* parent);

    std::string language() const;  // empty: none
    std::string folder() const;

private:
    void listLanguages(const std::string& chosen);
    void addDictionary();

    QComboBox* languages_;
    QLineEdit* folder_;
    QLabel* note_;
    std::string proposed_;
    std::string addedFrom_;  // the folder the file dialog opens in (UTF-8)
};

// What to do without dictionaries: "No spelling dictionary found: install the Debian package
// hunspell-pl, or name a folder that holds .aff and .dic files."
QString missingDictionaryNote(const std::string& proposed);

}  // namespace tarn
