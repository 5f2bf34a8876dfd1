// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/spelling_language_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <filesystem>
#include <optional>

#include "app/widgets/file_paths.h"
#include "app/widgets/file_prompt.h"
#include "app/widgets/prompter.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "spelling/dictionary_install.h"
#include "spelling/spell_checker.h"

namespace tarn {

QString missingDictionaryNote(const std::string& proposed) {
    const std::string language = isSpellingLanguage(proposed) ? proposed : "LANG";
    return QStringLiteral("No spelling dictionary found: %1, or name a folder that holds .aff "
                          "and .dic files.")
        .arg(QString::fromStdString(missingDictionaryAdvice(language)));
}

SpellingLanguageDialog::SpellingLanguageDialog(const std::string& chosen, const std::string& folder,
                                               const std::string& proposed, QWidget* parent)
    : QDialog(parent), proposed_(proposed) {
    setObjectName(QStringLiteral("spellingLanguageDialog"));
    setWindowTitle(QStringLiteral("Spelling language"));
    languages_ = new QComboBox(this);
    languages_->setObjectName(QStringLiteral("spellingLanguageBox"));
    folder_ = new QLineEdit(QString::fromStdString(folder), this);
    folder_->setObjectName(QStringLiteral("dictionaryFolderEdit"));
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("spellingPackageNote"));
    note_->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Language:"), languages_);
    form->addRow(QStringLiteral("&Dictionary folder:"), folder_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* add =
        buttons->addButton(QStringLiteral("&Add dictionary..."), QDialogButtonBox::ActionRole);
    add->setObjectName(QStringLiteral("addDictionaryButton"));
    connect(add, &QPushButton::clicked, this, &SpellingLanguageDialog::addDictionary);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(folder_, &QLineEdit::editingFinished, this, [this] { listLanguages(language()); });
    listLanguages(chosen);
}

void SpellingLanguageDialog::listLanguages(const std::string& chosen) {
    const std::string folder = this->folder();
    const std::vector<std::string> found = availableLanguages(
        dictionaryFolders(folder.empty() ? std::nullopt : std::optional(pathFromUtf8(folder))));
    languages_->clear();
    languages_->addItem(QStringLiteral("None"), QString());
    for (const std::string& language : found) {
        languages_->addItem(QString::fromStdString(language), QString::fromStdString(language));
    }
    const int index = languages_->findData(QString::fromStdString(chosen));
    languages_->setCurrentIndex(index < 0 ? 0 : index);
    note_->setText(found.empty() ? missingDictionaryNote(proposed_) : QString());
    note_->setVisible(found.empty());
}

void SpellingLanguageDialog::addDictionary() {
    const QString caption = QStringLiteral("Add dictionary");
    const std::optional<std::filesystem::path> folder = userDictionaryFolder();
    if (!folder) {
        prompter().message(QStringLiteral("This system names no folder of yours to keep "
                                          "dictionaries in: name the dictionary's own folder "
                                          "as the dictionary folder instead."),
                           caption, MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    const std::optional<QString> chosen =
        askForFile(this,
                   {QStringLiteral("addDictionaryFileDialog"), caption,
                    QStringLiteral("Hunspell dictionaries (*.aff *.dic)"), QString(), false},
                   addedFrom_);
    if (!chosen) {
        return;
    }
    try {
        const DictionaryFiles pair = dictionaryPairOf(toFilePath(*chosen));
        const std::string language = pathToUtf8(pair.dic.stem());
        if (fileExists(*folder / pair.dic.filename()) &&
            prompter().message(QStringLiteral("Replace the dictionary %1 in %2?")
                                   .arg(QString::fromStdString(language), fromFilePath(*folder)),
                               caption, MessageIcon::Question,
                               MessageButtons::YesNo) != MessageAnswer::Yes) {
            return;
        }
        listLanguages(tarn::addDictionary(pair, *folder));
    } catch (const std::exception& e) {
        prompter().message(QString::fromStdString(e.what()), caption, MessageIcon::Error,
                           MessageButtons::Ok);
    }
}

std::string SpellingLanguageDialog::language() const {
    return languages_->currentData().toString().toStdString();
}

std::string SpellingLanguageDialog::folder() const {
    return folder_->text().trimmed().toStdString();
}

}  // namespace tarn
