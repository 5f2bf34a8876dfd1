// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/po_language_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/prompter.h"
#include "exchange/po_header.h"

namespace tarn {

PoLanguageDialog::PoLanguageDialog(const std::string& proposed, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("poLanguageDialog"));
    setWindowTitle(QStringLiteral("Language of the translation"));
    auto* label = new QLabel(
        QStringLiteral("The language code the PO files of this translation carry (for example "
                       "de, pl, pt_BR):"),
        this);
    label->setWordWrap(true);
    code_ = new QLineEdit(QString::fromStdString(proposed), this);
    code_->setObjectName(QStringLiteral("poLanguageEdit"));
    label->setBuddy(code_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    // Only a code that keeps the header's lines whole can be taken.
    const auto check = [this, ok] { ok->setEnabled(isPoLanguageCode(language())); };
    connect(code_, &QLineEdit::textChanged, this, check);
    check();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(code_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::string PoLanguageDialog::language() const {
    return code_->text().trimmed().toStdString();
}

std::optional<std::string> askPoLanguage(const std::string& proposed, QWidget* parent) {
    PoLanguageDialog dialog(proposed, parent);
    if (prompter().runModal(dialog) != QDialog::Accepted || !isPoLanguageCode(dialog.language())) {
        return std::nullopt;
    }
    return dialog.language();
}

}  // namespace tarn
