// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_button_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/object_names.h"
#include "app/widgets/po_prompts.h"

namespace tarn {

ObjectButtonPanel::ObjectButtonPanel(QWidget& window)
    : QWidget(&window),
      enhancedRleCheck_(new QCheckBox(QStringLiteral("Enhanced RLE encoding (creates slightly "
                                                     "smaller files than the original)"),
                                      this)),
      saveButton_(new QPushButton(QStringLiteral("Save"), this)),
      buildPatchButton_(
          new QPushButton(QStringLiteral("Create end-user translator executable..."), this)),
      exportPoButton_(new QPushButton(exportPoCaption() + QStringLiteral("..."), this)),
      importPoButton_(new QPushButton(importPoCaption() + QStringLiteral("..."), this)),
      checksButton_(new QPushButton(QStringLiteral("Checks..."), this)),
      closeButton_(new QPushButton(QStringLiteral("Close"), this)) {
    setObjectNames({
        {this, "buttonPanel"},
        {enhancedRleCheck_, "enhancedRleCheck"},
        {saveButton_, "saveButton"},
        {buildPatchButton_, "buildPatchButton"},
        {exportPoButton_, "objectExportPoButton"},
        {importPoButton_, "objectImportPoButton"},
        {checksButton_, "checksButton"},
        {closeButton_, "closeButton"},
    });
    enhancedRleCheck_->setChecked(true);
    checksButton_->setToolTip(
        QStringLiteral("Checks each group's target-language text against its source"));
    for (QPushButton* b : {saveButton_, buildPatchButton_, exportPoButton_, importPoButton_,
                           checksButton_, closeButton_}) {
        b->setAutoDefault(false);
    }
    addSaveKey(window);
    layOut();
}

void ObjectButtonPanel::addSaveKey(QWidget& window) {
    // The desktop's save key, as in the main window: it clicks Save at once while Save is
    // enabled (a button's own shortcut would click it only after its animation).
    auto* saveKey = new QAction(&window);
    saveKey->setShortcut(QKeySequence::Save);
    saveKey->setShortcutContext(Qt::WindowShortcut);
    window.addAction(saveKey);
    connect(saveKey, &QAction::triggered, saveButton_, [this] {
        if (saveButton_->isEnabled()) {
            saveButton_->click();
        }
    });
    saveButton_->setToolTip(
        QStringLiteral("Save (%1)").arg(saveKey->shortcut().toString(QKeySequence::NativeText)));
}

void ObjectButtonPanel::layOut() {
    // A row each for the saving option, the end-user program and the file commands: no two of
    // the long captions share a row, so the smallest window stays narrow enough for a laptop's
    // screen even with a large font.
    auto* options = new QHBoxLayout;
    options->addWidget(enhancedRleCheck_);
    options->addStretch();
    auto* builder = new QHBoxLayout;
    builder->addWidget(buildPatchButton_);
    builder->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addWidget(exportPoButton_);
    buttons->addWidget(importPoButton_);
    buttons->addWidget(checksButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* panelLayout = new QVBoxLayout(this);
    panelLayout->addLayout(options);
    panelLayout->addLayout(builder);
    panelLayout->addLayout(buttons);
}

bool ObjectButtonPanel::enhancedRle() const {
    return enhancedRleCheck_->isChecked();
}

void ObjectButtonPanel::setEnhancedRle(bool enhanced) {
    enhancedRleCheck_->setChecked(enhanced);
}

}  // namespace tarn
