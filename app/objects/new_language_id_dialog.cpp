// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/new_language_id_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/lang_id_edit.h"
#include "app/widgets/object_names.h"

namespace tarn {

NewLanguageIdDialog::NewLanguageIdDialog(QWidget* parent)
    : QDialog(parent),
      idEdit_(new LangIdEdit(this)),
      idUpDown_(new LangIdUpDown(*idEdit_, this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("newLanguageIdDialog"));
    setWindowTitle(QStringLiteral("New language ID"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setObjectNames({{idEdit_, "idEdit"},
                    {idUpDown_, "idUpDown"},
                    {okButton_, "okButton"},
                    {cancelButton_, "cancelButton"}});

    auto* edit = new QHBoxLayout;
    edit->setSpacing(0);
    edit->addWidget(idEdit_);
    edit->addWidget(idUpDown_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("New language ID:"), this));
    layout->addLayout(edit);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

int NewLanguageIdDialog::id() const {
    return idUpDown_->position();
}

void NewLanguageIdDialog::setId(int id) {
    idUpDown_->setPosition(id);
}

void NewLanguageIdDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    idEdit_->setFocus();
    idEdit_->selectAll();
}

}  // namespace tarn
