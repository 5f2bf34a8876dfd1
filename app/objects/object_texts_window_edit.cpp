// SPDX-License-Identifier: GPL-3.0-or-later
// The text grid of the object texts window: showing a group, editing it in place, adding and
// removing language IDs, stepping through the groups, saving and building the end-user program.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStackedWidget>
#include <QStringList>
#include <QTreeView>
#include <exception>

#include "app/objects/group_texts_grid.h"
#include "app/objects/new_language_id_dialog.h"
#include "app/objects/object_texts_window.h"
#include "app/patch_builder/build_patch.h"
#include "app/widgets/busy_guard.h"
#include "app/widgets/game_text_delegate.h"
#include "app/widgets/grid_text.h"
#include "app/widgets/prompter.h"
#include "common/code_page_choice.h"
#include "objfiles/object_container.h"
#include "textcodes/cstyle.h"

namespace tarn {

namespace {

// The fixed column: drawn like a heading, never selected or edited.
QTableWidgetItem* idItem(std::uint8_t id, const QPalette& palette) {
    auto* item = new QTableWidgetItem(QString::number(id));
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(palette.button());
    item->setForeground(palette.buttonText());
    return item;
}

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

const ObjTextGroup& ObjectTextsWindow::shownGroup() const {
    return document_.group(static_cast<std::size_t>(currentFile_),
                           static_cast<std::size_t>(currentGroup_));
}

void ObjectTextsWindow::showGroup(int file, int group) {
    pages_->setCurrentWidget(groupTextsPage_);
    textGrid_->setCurrentItem(nullptr);  // leaves cell editing
    currentFile_ = file;
    currentGroup_ = group;
    fillGrid();
    selectGridRow(0);
    const ObjTextGroup& entries = shownGroup();
    undoText_ = entries.empty() ? std::string() : entries.front().text;
    showGroupFindings();
}

void ObjectTextsWindow::fillGrid() {
    const ObjTextGroup& entries = shownGroup();
    filling_ = true;
    textGrid_->setRowCount(static_cast<int>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i);
        textGrid_->setItem(row, 0, idItem(entries[i].id, textGrid_->palette()));
        auto* text = new QTableWidgetItem(displayText(entries[i].text));
        if (readOnly_) {
            text->setFlags(text->flags() & ~Qt::ItemIsEditable);
        }
        textGrid_->setItem(row, 1, text);
    }
    filling_ = false;
}

QString ObjectTextsWindow::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(cStyle_ ? rawToCStyle(bytes) : bytes, codePage_);
}

bool ObjectTextsWindow::cellBytes(const QString& shown, std::string& result) const {
    const EncodeResult encoded = displayToGameBytes(shown, codePage_);
    if (!encoded.ok()) {
        result = missingCharacterMessage(encoded.missing, codePage_);
        return false;
    }
    if (cStyle_) {
        return cStyleToRaw(encoded.bytes, result);
    }
    result = encoded.bytes;
    return true;
}

bool ObjectTextsWindow::checkCurrentCell() {
    const QTableWidgetItem* item =
        currentGroup_ >= 0 && !filling_ ? textGrid_->item(textGrid_->currentRow(), 1) : nullptr;
    std::string error;
    if (item == nullptr || cellBytes(item->text(), error)) {
        return true;
    }
    showNotationError(error);
    return false;
}

void ObjectTextsWindow::showAnew(const std::function<void()>& change) {
    // An open editor closes while its characters still read as before.
    const int row = textGrid_->currentRow();
    if (currentGroup_ >= 0) {
        textGrid_->setCurrentItem(nullptr);
    }
    change();
    if (currentGroup_ >= 0) {
        fillGrid();
        selectGridRow(row);
    } else if (currentFile_ >= 0) {
        showNode(objectTree_->currentIndex());
    }
}

void ObjectTextsWindow::setCodePage(const CodePage& codePage) {
    if (codePage != codePage_) {
        showAnew([&] { codePage_ = codePage; });
        checkSoon();  // the checks read the bytes' characters in the page
    }
}

void ObjectTextsWindow::setCStyle(bool cstyle) {
    if (cstyle == cStyle_) {
        return;
    }
    const int row = textGrid_->currentRow();
    const QTableWidgetItem* item = currentGroup_ >= 0 ? textGrid_->item(row, 1) : nullptr;
    std::string bytes;
    if (item != nullptr && cStyle_ && !cellBytes(item->text(), bytes)) {
        // The text that does not convert is kept as typed, as raw text.
        const EncodeResult typed = displayToGameBytes(item->text(), codePage_);
        if (typed.ok() && typed.bytes.find('\0') == std::string::npos) {
            typeText(static_cast<std::size_t>(row), typed.bytes);
        }
    }
    showAnew([&] { cStyle_ = cstyle; });
    endTyping();
    rememberUndoText(textGrid_->currentRow(), 1);
}

void ObjectTextsWindow::selectGridRow(int row) {
    if (row >= 0 && row < textGrid_->rowCount()) {
        textGrid_->setCurrentCell(row, 1);
    }
}

void ObjectTextsWindow::takeCellText(int row, const QString& text) {
    if (filling_ || currentGroup_ < 0 || row < 0 || row >= static_cast<int>(shownGroup().size())) {
        return;
    }
    // A text that does not convert stays in the cell, never stored with a character replaced,
    // until it is corrected or Esc brings back the text it had.
    std::string bytes;
    if (cellBytes(text, bytes) && shownGroup()[static_cast<std::size_t>(row)].text != bytes) {
        typeText(static_cast<std::size_t>(row), std::move(bytes));
    }
}

void ObjectTextsWindow::takeChangedCell(int row, int column) {
    // The cell editor writes every change into the cell; other changes come the same way.
    if (column == 1 && !filling_) {
        takeCellText(row, textGrid_->item(row, 1)->text());
    }
}

void ObjectTextsWindow::rememberUndoText(int row, int column) {
    if (currentGroup_ < 0 || row < 0 || column != 1) {
        return;
    }
    const ObjTextGroup& entries = shownGroup();
    if (row < static_cast<int>(entries.size())) {
        undoText_ = entries[static_cast<std::size_t>(row)].text;
    }
}

void ObjectTextsWindow::restoreUndoText(int row) {
    if (currentGroup_ < 0 || row < 0 || textGrid_->item(row, 1) == nullptr) {
        return;
    }
    // Back into the cell and, through the same change, back into the group.
    const QString shown = displayText(undoText_);
    if (QLineEdit* editor = textGrid_->cellEditor()) {
        const QSignalBlocker quiet(editor);
        editor->setText(shown);
    }
    textGrid_->item(row, 1)->setText(shown);
}

void ObjectTextsWindow::addLanguageId() {
    if (currentGroup_ < 0 || refusedAsReadOnly()) {
        return;
    }
    if (prompter().runModal(*newLanguageIdDialog_) != QDialog::Accepted) {
        return;
    }
    ObjectTextsStep<AddLanguageIdResult> add = document_.addLanguageIdStep(
        static_cast<std::size_t>(currentFile_), static_cast<std::size_t>(currentGroup_),
        static_cast<std::uint8_t>(newLanguageIdDialog_->id()));
    const AddLanguageIdResult result = add.result;
    const int row = static_cast<int>(result.row);
    if (!result.added) {
        prompter().message(QStringLiteral("This language ID already exist in this list!"),
                           QStringLiteral("Wrong ID"), MessageIcon::Error, MessageButtons::Ok);
        selectGridRow(row);
        return;
    }
    pushStep(std::move(add.step));
    filling_ = true;
    textGrid_->setRowCount(row + 1);
    textGrid_->setItem(row, 0, idItem(shownGroup()[result.row].id, textGrid_->palette()));
    textGrid_->setItem(row, 1, new QTableWidgetItem(QString()));
    filling_ = false;
    selectGridRow(row);
    updateSaveButton();
}

void ObjectTextsWindow::removeLanguageId() {
    if (currentGroup_ < 0 || refusedAsReadOnly()) {
        return;
    }
    // An empty group has no language ID to remove either.
    if (textGrid_->rowCount() <= 1) {
        showLastIdRefused();
        return;
    }
    const int row = textGrid_->currentRow();
    if (row < 0) {
        return;
    }
    const QString idText = textGrid_->item(row, 0)->text();
    if (prompter().message(QStringLiteral("Are you sure to delete Language ID ") + idText,
                           QStringLiteral("Deleting Language ID"), MessageIcon::Question,
                           MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    ObjectTextsStep<RemoveLanguageIdResult> remove = document_.removeLanguageIdStep(
        static_cast<std::size_t>(currentFile_), static_cast<std::size_t>(currentGroup_),
        static_cast<std::size_t>(row));
    if (remove.result == RemoveLanguageIdResult::RefusedLast) {
        showLastIdRefused();
        return;
    }
    pushStep(std::move(remove.step));
    filling_ = true;
    textGrid_->removeRow(row);
    filling_ = false;
    updateSaveButton();
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
    for (const std::size_t file : document_.changedOnDisk()) {
        const QString name = QString::fromStdString(document_.file(file).fileName);
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
        std::unique_ptr<ObjectTextsEdit> step = document_.reloadStep(file, conflicts);
        if (step) {
            pushStep(std::move(step));
        }
        document_.settleReload(file);
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
        return;
    }
    if (currentGroup_ >= 0) {
        fillGrid();  // the shown group may hold the file's texts now
    }
    treeModel_->marksChanged();  // the file read again may store a wrong checksum, or no longer
    updateSaveButton();
    if (!conflicts.empty()) {
        QStringList groups;
        for (const std::size_t g : conflicts) {
            groups << QString::number(g);
        }
        prompter().message(
            QStringLiteral("These groups of %1 were changed both here and in the file; they now "
                           "hold the file's texts, and Undo brings your edits back: %2")
                .arg(QString::fromStdString(document_.file(file).fileName))
                .arg(groups.join(QStringLiteral(", "))),
            windowTitle(), MessageIcon::Information, MessageButtons::Ok);
    }
}

bool ObjectTextsWindow::mayRepairChecksums() {
    const std::vector<std::size_t> damaged = document_.modifiedWithWrongChecksum();
    if (damaged.empty()) {
        return true;
    }
    QStringList lines;
    for (std::size_t i = 0; i < damaged.size() && i < kNamesShown; ++i) {
        const ObjFile& file = document_.file(damaged[i]);
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
        report = document_.saveModified(
            {enhancedRleCheck_->isChecked(),
             document_.modifiedWithWrongChecksum().empty() ? WrongChecksumSave::Refuse
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
    updateSaveButton();
}

void ObjectTextsWindow::buildPatch() {
    busy_ = true;
    createEndUserExecutable(
        *patchBuilder_, document_.files(),
        {buttonPanel_, carriedProgram_, [this](const QString& text) { setStatus(text); }});
    busy_ = false;
}

}  // namespace tarn
