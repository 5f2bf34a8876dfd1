// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/po_language_ids_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/lang_id_edit.h"
#include "app/widgets/object_names.h"

namespace tarn {

PoLanguageIdsDialog::PoLanguageIdsDialog(QWidget* parent)
    : QDialog(parent),
      sourceLabel_(new QLabel(this)),
      sourceEdit_(new LangIdEdit(this)),
      sourceUpDown_(new LangIdUpDown(*sourceEdit_, this)),
      targetLabel_(new QLabel(this)),
      targetEdit_(new LangIdEdit(this)),
      targetUpDown_(new LangIdUpDown(*targetEdit_, this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("poLanguageIdsDialog"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setObjectNames({{sourceEdit_, "sourceIdEdit"},
                    {sourceUpDown_, "sourceIdUpDown"},
                    {targetEdit_, "targetIdEdit"},
                    {targetUpDown_, "targetIdUpDown"},
                    {okButton_, "okButton"},
                    {cancelButton_, "cancelButton"}});

    auto* ids = new QGridLayout;
    ids->setHorizontalSpacing(0);
    ids->addWidget(sourceLabel_, 0, 0);
    ids->addWidget(sourceEdit_, 0, 1);
    ids->addWidget(sourceUpDown_, 0, 2);
    ids->addWidget(targetLabel_, 1, 0);
    ids->addWidget(targetEdit_, 1, 1);
    ids->addWidget(targetUpDown_, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ids);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    prepare(true, 0, 0);
}

void PoLanguageIdsDialog::prepare(bool exporting, int sourceId, int targetId) {
    setWindowTitle(QStringLiteral("Translation (PO)"));
    sourceLabel_->setText(QStringLiteral("Source language ID (msgid):"));
    targetLabel_->setText(QStringLiteral("Target language ID (msgstr):"));
    for (QWidget* part : {static_cast<QWidget*>(sourceLabel_), static_cast<QWidget*>(sourceEdit_),
                          static_cast<QWidget*>(sourceUpDown_)}) {
        part->setVisible(exporting);
    }
    sourceUpDown_->setPosition(sourceId);
    targetUpDown_->setPosition(targetId);
    (exporting ? sourceEdit_ : targetEdit_)->setFocus();
}

void PoLanguageIdsDialog::prepareChecks(int sourceId, int targetId) {
    prepare(true, sourceId, targetId);
    setWindowTitle(QStringLiteral("Checks"));
    sourceLabel_->setText(QStringLiteral("Source language ID:"));
    targetLabel_->setText(QStringLiteral("Target language ID:"));
}

int PoLanguageIdsDialog::sourceId() const {
    return sourceUpDown_->position();
}

int PoLanguageIdsDialog::targetId() const {
    return targetUpDown_->position();
}

}  // namespace tarn
