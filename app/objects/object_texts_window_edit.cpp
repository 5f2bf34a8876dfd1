// SPDX-License-Identifier: GPL-3.0-or-later
// The text grid of the object texts window: showing a group, editing it in place, adding and
// removing language IDs, stepping through the groups, saving and building the end-user program.
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStackedWidget>
#include <QStringList>
#include <QTreeView>
#include <algorithm>
#include <exception>

#include "app/objects/new_language_id_dialog.h"
#include "app/objects/object_texts_session.h"
#include "app/objects/object_texts_window.h"
#include "app/patch_builder/build_patch.h"
#include "app/widgets/busy_guard.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/grid_text.h"
#include "app/widgets/paste_guard.h"
#include "app/widgets/prompter.h"
#include "app/widgets/text_grid_view.h"
#include "common/code_page_choice.h"
#include "objfiles/object_container.h"
#include "textcodes/cstyle.h"

namespace tarn {

namespace {

// Depth-first order over the whole tree, collapsed nodes included.
QModelIndex nextInTree(QModelIndex node) {
    const QAbstractItemModel& tree = *node.model();
    if (tree.rowCount(node) > 0) {
        return tree.index(0, 0, node);
    }
    while (node.isValid()) {
        const QModelIndex parent = node.parent();
        if (node.row() + 1 < tree.rowCount(parent)) {
            return tree.index(node.row() + 1, 0, parent);
        }
        node = parent;
    }
    return {};
}

QModelIndex previousInTree(const QModelIndex& node) {
    const QAbstractItemModel& tree = *node.model();
    const QModelIndex parent = node.parent();
    if (node.row() == 0) {
        return parent;
    }
    QModelIndex previous = tree.index(node.row() - 1, 0, parent);
    while (tree.rowCount(previous) > 0) {
        previous = tree.index(tree.rowCount(previous) - 1, 0, previous);
    }
    return previous;
}

}  // namespace

void ObjectTextsWindow::createGrid() {
    model_ = new GameTextsModel(*session_, codePage_, this);
    textGrid_ = new TextGridView(groupTextsPage_);
    textGrid_->setModel(model_);
    textGrid_->setCodePage(&codePage_);
    textGrid_->setNotation([this] { return cStyle() ? Notation::CStyle : Notation::Raw; });
    textGrid_->setTextLimit([this] { return textFieldLimit(nullptr, cStyle()); });
    textGrid_->horizontalHeader()->setStretchLastSection(true);
    textGrid_->setColumnWidth(0, 80);
    cellRules_ = new CellRules(*textGrid_, *model_, *session_, this);
    connect(textGrid_, &TextGridView::characterRefused, this, &ObjectTextsWindow::reportRefusal);
    connect(session_, &GameTextsSession::changeRefused, this, &ObjectTextsWindow::showRefusal);
    connect(session_, &GameTextsSession::modifiedChanged, this,
            &ObjectTextsWindow::updateSaveButton);
    connect(session_, &GameTextsSession::loaded, this, &ObjectTextsWindow::updateSaveButton);
    connect(session_, &GameTextsSession::readOnlyChanged, this, &ObjectTextsWindow::showReadOnly);
    connect(session_, &GameTextsSession::textsChanged, this, &ObjectTextsWindow::checkSoon);
}

const ObjectTextsDocument& ObjectTextsWindow::document() const {
    return session_->document();
}

ObjectTextsDocument& ObjectTextsWindow::document() {
    return session_->stepTarget();
}

int ObjectTextsWindow::currentGroup() const {
    return session_->groupRows().group();
}

const std::string& ObjectTextsWindow::undoText() const {
    return cellRules_->escText();
}

bool ObjectTextsWindow::isReadOnly() const {
    return session_->isReadOnly();
}

bool ObjectTextsWindow::cStyle() const {
    return session_->groupRows().cstyle();
}

void ObjectTextsWindow::showGroup(int file, int group) {
    pages_->setCurrentWidget(groupTextsPage_);
    textGrid_->closeCellEditor();
    currentFile_ = file;
    session_->showGroup(file, group);
    textGrid_->placeWithoutChecks(1, 1);
    cellRules_->rememberCurrentText();
    showGroupFindings();
}

QString ObjectTextsWindow::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(cStyle() ? rawToCStyle(bytes) : bytes, codePage_);
}

bool ObjectTextsWindow::checkCurrentCell() {
    return currentGroup() < 0 || cellRules_->checkCurrentCell();
}

void ObjectTextsWindow::setCodePage(const CodePage& codePage) {
    if (codePage == codePage_) {
        return;
    }
    // An open editor closes while its characters still read as before.
    textGrid_->closeCellEditor();
    codePage_ = codePage;
    model_->refreshAll();
    if (currentGroup() < 0 && currentFile_ >= 0) {
        showNode(objectTree_->currentIndex());
    }
    checkSoon();  // the checks read the bytes' characters in the page
}

void ObjectTextsWindow::setCStyle(bool cstyle) {
    textGrid_->closeCellEditor();
    session_->setCStyle(cstyle);
}

void ObjectTextsWindow::selectGridRow(int row) {
    if (row >= 1 && row <= model_->rowCount()) {
        textGrid_->moveTo(row, 1);
    }
}

void ObjectTextsWindow::addLanguageId() {
    if (currentGroup() < 0 || refusedAsReadOnly()) {
        return;
    }
    if (prompter().runModal(*newLanguageIdDialog_) != QDialog::Accepted) {
        return;
    }
    ObjectTextsStep<AddLanguageIdResult> add = session_->stepTarget().addLanguageIdStep(
        static_cast<std::size_t>(currentFile_), static_cast<std::size_t>(currentGroup()),
        static_cast<std::uint8_t>(newLanguageIdDialog_->id()));
    const AddLanguageIdResult result = add.result;
    const int row = static_cast<int>(result.row) + 1;
    if (!result.added) {
        prompter().message(QStringLiteral("This language ID already exist in this list!"),
                           QStringLiteral("Wrong ID"), MessageIcon::Error, MessageButtons::Ok);
        selectGridRow(row);
        return;
    }
    session_->push(std::move(add.step));
    selectGridRow(row);
}

void ObjectTextsWindow::removeLanguageId() {
    if (currentGroup() < 0 || refusedAsReadOnly()) {
        return;
    }
    // An empty group has no language ID to remove either.
    if (model_->rowCount() <= 1) {
        showLastIdRefused();
        return;
    }
    const int row = textGrid_->currentRow();
    if (row < 1) {
        return;
    }
    const QString idText = QString::fromStdString(session_->rows().label(row, 0));
    if (prompter().message(QStringLiteral("Are you sure to delete Language ID ") + idText,
                           QStringLiteral("Deleting Language ID"), MessageIcon::Question,
                           MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    ObjectTextsStep<RemoveLanguageIdResult> remove = session_->stepTarget().removeLanguageIdStep(
        static_cast<std::size_t>(currentFile_), static_cast<std::size_t>(currentGroup()),
        static_cast<std::size_t>(row - 1));
    if (remove.result == RemoveLanguageIdResult::RefusedLast) {
        showLastIdRefused();
        return;
    }
    session_->push(std::move(remove.step));
    selectGridRow(std::min(row, model_->rowCount()));
}

void ObjectTextsWindow::showLastIdRefused() {
    prompter().message(QStringLiteral("Can't delete the last language ID!"),
                       QStringLiteral("Deleting language ID"), MessageIcon::Error,
                       MessageButtons::Ok);
}

void ObjectTextsWindow::goToPreviousGroup() {
    stepTextGroup(false);
}

void ObjectTextsWindow::goToNextGroup() {
    stepTextGroup(true);
}

void ObjectTextsWindow::stepTextGroup(bool forward) {
    QModelIndex node = objectTree_->currentIndex();
    while (node.isValid()) {
        node = forward ? nextInTree(node) : previousInTree(node);
        // Group nodes only: a file without groups, or a damaged one, is passed by.
        if (treeModel_->isGroupNode(node)) {
            objectTree_->setCurrentIndex(node);
            objectTree_->scrollTo(node);
            return;
        }
    }
    prompter().beep();
}

bool ObjectTextsWindow::mayWriteOverOutsideChanges() {
    bool reloaded = false;
    for (const std::size_t file : document().changedOnDisk()) {
        const QString name = QString::fromStdString(document().file(file).fileName);
        const MessageAnswer answer = prompter().message(
            name + QStringLiteral(" was changed on disk since it was loaded"), windowTitle(),
            MessageIcon::Warning, MessageButtons::OverwriteReloadCancel);
        if (answer == MessageAnswer::Cancel) {
            return false;
        }
        if (answer == MessageAnswer::Reload) {
            reloadFile(file);
            reloaded = true;
        }
    }
    // After a reload the translator looks at the merged texts before saving them.
    return !reloaded;
}

void ObjectTextsWindow::reloadFile(std::size_t file) {
    std::vector<std::size_t> conflicts;
    try {
        conflicts = session_->reload(file);
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
        return;
    }
    treeModel_->marksChanged();  // the file read again may store a wrong checksum, or no longer
    if (!conflicts.empty()) {
        QStringList groups;
        for (const std::size_t g : conflicts) {
            groups << QString::number(g);
        }
        prompter().message(
            QStringLiteral("These groups of %1 were changed both here and in the file; they now "
                           "hold the file's texts, and Undo brings your edits back: %2")
                .arg(QString::fromStdString(document().file(file).fileName))
                .arg(groups.join(QStringLiteral(", "))),
            windowTitle(), MessageIcon::Information, MessageButtons::Ok);
    }
}

bool ObjectTextsWindow::mayRepairChecksums() {
    const std::vector<std::size_t> damaged = document().modifiedWithWrongChecksum();
    if (damaged.empty()) {
        return true;
    }
    QStringList lines;
    for (std::size_t i = 0; i < damaged.size() && i < kNamesShown; ++i) {
        const ObjFile& file = document().file(damaged[i]);
        lines.append(
            QString::fromStdString(file.fileName + ": " + wrongChecksumText(*file.wrongChecksum)));
    }
    if (damaged.size() > kNamesShown) {
        lines.append(QStringLiteral("... and %1 more").arg(damaged.size() - kNamesShown));
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("These files were changed or damaged by something that did not write their "
                       "checksum:\n%1\n\nSaving writes them with the right checksum, and "
                       "then nothing shows the damage any more. Save them?")
            .arg(lines.join(QLatin1Char('\n'))),
        QStringLiteral("Damaged object files"), MessageIcon::Warning, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) {
        setStatus(QStringLiteral("Nothing was saved."));
        return false;
    }
    return true;
}

void ObjectTextsWindow::saveModified() {
    if (refusedAsReadOnly() || !checkCurrentCell() || !mayWriteOverOutsideChanges() ||
        !mayRepairChecksums()) {
        return;
    }
    ObjectSaveReport report;
    try {
        busy_ = true;
        BusyGuard guard(buttonPanel_);
        // Repairing covers the files asked about; one damaged since it was loaded was asked
        // about as changed on disk.
        report = session_->saveModified(
            {enhancedRleCheck_->isChecked(),
             document().modifiedWithWrongChecksum().empty() ? WrongChecksumSave::Refuse
                                                            : WrongChecksumSave::Repair,
             "TarnEdit"},
            [this](std::size_t k, std::size_t count, const std::string& name) {
                setStatus(QStringLiteral("Saving %1  (%2/%3)")
                              .arg(QString::fromStdString(name))
                              .arg(k + 1)
                              .arg(count));
                QApplication::processEvents();
            });
        busy_ = false;
    } catch (const std::exception& e) {
        busy_ = false;
        report.problems.push_back(e.what());
    }
    if (report.ok()) {
        setStatus(QStringLiteral("%1 files updated successfully").arg(report.written.size()));
    } else {
        // Files that could not be written stay modified for a retry; a problem found before
        // writing kept every file as it was.
        const std::vector<std::string>& lines =
            report.problems.empty() ? report.failures : report.problems;
        std::string text;
        for (const std::string& line : lines) {
            text += (text.empty() ? "" : "\n") + line;
        }
        showExceptionMessage(QString::fromStdString(text));
    }
    treeModel_->marksChanged();  // a file written stores the right checksum now
}

void ObjectTextsWindow::buildPatch() {
    busy_ = true;
    createEndUserExecutable(
        *patchBuilder_, document().files(),
        {buttonPanel_, carriedProgram_, [this](const QString& text) { setStatus(text); }});
    busy_ = false;
}

}  // namespace tarn
