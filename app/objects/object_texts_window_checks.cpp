// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's checks: the findings tarntool's obj check reports, between a source
// and a target language ID asked once, shown as marks on the tree (on a group and on its file)
// and, for the shown group, in the status line. They follow every change of the texts.
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "app/objects/object_texts_window.h"
#include "app/objects/po_language_ids_dialog.h"
#include "app/widgets/prompter.h"
#include "objfiles/object_texts_check.h"

namespace tarn {

void ObjectTextsWindow::createChecks() {
    checksButton_ = new QPushButton(QStringLiteral("Checks..."), buttonPanel_);
    checksButton_->setToolTip(
        QStringLiteral("Checks each group's target-language text against its source"));
    checksTimer_ = new QTimer(this);
    checksTimer_->setSingleShot(true);
    connect(checksButton_, &QPushButton::clicked, this, &ObjectTextsWindow::chooseCheckedIds);
    connect(checksTimer_, &QTimer::timeout, this, &ObjectTextsWindow::runChecks);
}

void ObjectTextsWindow::chooseCheckedIds() {
    if (poLanguageIdsDialog_ == nullptr) {
        poLanguageIdsDialog_ = new PoLanguageIdsDialog(this);
    }
    poLanguageIdsDialog_->prepareChecks(checkedIds_ ? checkedIds_->first : 0,
                                        checkedIds_ ? checkedIds_->second : primaryLanguageId_);
    if (prompter().runModal(*poLanguageIdsDialog_) != QDialog::Accepted) {
        return;
    }
    checkedIds_ = {poLanguageIdsDialog_->sourceId(), poLanguageIdsDialog_->targetId()};
    runChecks();
}

void ObjectTextsWindow::checkSoon() {
    if (checkedIds_) {
        checksTimer_->start(0);  // once for all the changes of one event
    }
}

void ObjectTextsWindow::runChecks() {
    findings_.clear();
    if (!checkedIds_) {
        return;
    }
    const std::vector<ObjFile>& files = document().files();
    const std::vector<ObjectTextPair> pairs =
        objectTextPairs(files, static_cast<std::uint8_t>(checkedIds_->first),
                        static_cast<std::uint8_t>(checkedIds_->second));
    for (TextFinding& found : checkObjectTexts(files, pairs, byteCharacters(codePage_))) {
        const ObjectTextPair& pair = pairs[static_cast<std::size_t>(found.text - 1)];
        findings_[{pair.file, pair.group}].push_back(std::move(found.finding));
    }
    markTree();
    showGroupFindings();
}

void ObjectTextsWindow::markTree() {
    treeModel_->marksChanged();  // the marks are read from findings_ as they are drawn
}

void ObjectTextsWindow::showGroupFindings() {
    if (!checkedIds_ || currentGroup() < 0) {
        return;
    }
    const auto found = findings_.find(
        {static_cast<std::size_t>(currentFile_), static_cast<std::size_t>(currentGroup())});
    if (found == findings_.end()) {
        setStatus(QStringLiteral("Checks (%1 against %2): no findings")
                      .arg(checkedIds_->second)
                      .arg(checkedIds_->first));
        return;
    }
    QStringList lines;
    for (const CheckFinding& finding : found->second) {
        lines.append(findingLine(finding));
    }
    setStatus(QStringLiteral("Checks (%1 against %2): %3")
                  .arg(checkedIds_->second)
                  .arg(checkedIds_->first)
                  .arg(lines.join(QStringLiteral("; "))));
}

}  // namespace tarn
