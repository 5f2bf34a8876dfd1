// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/save_errors_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tarn {

SaveErrorsDialog::SaveErrorsDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("saveErrorsDialog"));
    setWindowTitle(QStringLiteral("Save"));
    question_ = new QLabel(this);
    question_->setObjectName(QStringLiteral("saveErrorsQuestion"));
    question_->setWordWrap(true);
    dontAskBox_ = new QCheckBox(QStringLiteral("Don't ask again for this file"), this);
    dontAskBox_->setObjectName(QStringLiteral("dontAskAgainBox"));
    auto* buttons = new QDialogButtonBox(this);
    const auto button = [this, buttons](const char* name, const QString& caption,
                                        QDialogButtonBox::ButtonRole role, Choice choice) {
        QPushButton* b = buttons->addButton(caption, role);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, [this, choice] { choose(choice); });
        return b;
    };
    button("saveAnywayButton", QStringLiteral("Save"), QDialogButtonBox::AcceptRole, SaveAnyway);
    button("showErrorsButton", QStringLiteral("Show errors"), QDialogButtonBox::ActionRole,
           ShowErrors)
        ->setDefault(true);
    button("cancelSaveButton", QStringLiteral("Cancel"), QDialogButtonBox::RejectRole, Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question_);
    layout->addWidget(dontAskBox_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SaveErrorsDialog::ask(const QString& question, bool mayRemember) {
    question_->setText(question);
    dontAskBox_->setChecked(false);
    dontAskBox_->setVisible(mayRemember);
    choice_ = Cancel;  // also the close box and Esc
}

bool SaveErrorsDialog::dontAskAgain() const {
    return !dontAskBox_->isHidden() && dontAskBox_->isChecked();
}

void SaveErrorsDialog::choose(Choice choice) {
    choice_ = choice;
    if (choice == Cancel) {
        reject();
    } else {
        accept();
    }
}

}  // namespace tarn
