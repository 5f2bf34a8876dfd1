// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/spelling_language_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/utf8_path.h"
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

std::string SpellingLanguageDialog::language() const {
    return languages_->currentData().toString().toStdString();
}

std::string SpellingLanguageDialog::folder() const {
    return folder_->text().trimmed().toStdString();
}

}  // namespace tarn
