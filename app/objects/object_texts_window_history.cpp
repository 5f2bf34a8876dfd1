// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's history: every change to the document is a step on the window's own
// undo stack, taken back and made again with Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z or the grid's
// context menu. While a cell editor is open those keys act on its own typing first, as in the
// main window (undo_keys.h).
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>
#include <algorithm>

#include "app/objects/group_texts_grid.h"
#include "app/objects/object_texts_window.h"
#include "app/preview/text_grid.h"
#include "app/widgets/undo_command.h"
#include "app/widgets/undo_keys.h"

namespace tarn {

namespace {

QString stepCaption(const QString& verb, const QString& step) {
    return step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
}

}  // namespace

ObjectTextsWindow::~ObjectTextsWindow() {
    if (undoStack_ != nullptr) {
        undoStack_->disconnect(this);
    }
}

void ObjectTextsWindow::createHistory() {
    undoStack_ = new QUndoStack(this);
    undoAction_ = new QAction(QStringLiteral("Undo"), this);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(QStringLiteral("Redo"), this);
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* action : {undoAction_, redoAction_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(undoAction_, &QAction::triggered, this, &ObjectTextsWindow::undo);
    connect(redoAction_, &QAction::triggered, this, &ObjectTextsWindow::redo);
    // The captions name the step, as an Edit menu does.
    connect(undoStack_, &QUndoStack::undoTextChanged, this, [this](const QString& step) {
        undoAction_->setText(stepCaption(QStringLiteral("Undo"), step));
    });
    connect(undoStack_, &QUndoStack::redoTextChanged, this, [this](const QString& step) {
        redoAction_->setText(stepCaption(QStringLiteral("Redo"), step));
    });
    connect(undoStack_, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    connect(undoStack_, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    undoAction_->setEnabled(false);
    redoAction_->setEnabled(false);
    // A step done or undone elsewhere ends the typing that was going into the top one.
    connect(undoStack_, &QUndoStack::indexChanged, this, [this](int index) {
        if (index != typingIndex_) {
            typing_ = nullptr;
        }
    });
}

void ObjectTextsWindow::pushStep(std::unique_ptr<ObjectTextsEdit> step) {
    if (refusedAsReadOnly()) {
        return;
    }
    pushEdit(*undoStack_, std::move(step));
    updateSaveButton();
}

void ObjectTextsWindow::typeText(std::size_t row, std::string text) {
    if (refusedAsReadOnly()) {
        return;
    }
    if (typing_ != nullptr && typingRow_ == row && undoStack_->index() == typingIndex_) {
        typing_->retype(row, std::move(text));
        if (dropStepThatChangesNothing(*undoStack_)) {
            typing_ = nullptr;
        }
        updateSaveButton();
        return;
    }
    // The first keystroke in a cell is a new step; the ones after it change that step.
    std::unique_ptr<ObjectTextsEdit> step =
        document_.setTextStep(static_cast<std::size_t>(currentFile_),
                              static_cast<std::size_t>(currentGroup_), row, std::move(text));
    ObjectTextsEdit* typing = step.get();
    pushStep(std::move(step));
    typing_ = typing;
    typingIndex_ = undoStack_->index();
    typingRow_ = row;
}

void ObjectTextsWindow::endTyping() {
    typing_ = nullptr;
}

void ObjectTextsWindow::clearHistory() {
    typing_ = nullptr;
    undoStack_->clear();
}

void ObjectTextsWindow::undo() {
    stepHistory(true);
}

void ObjectTextsWindow::redo() {
    stepHistory(false);
}

void ObjectTextsWindow::stepHistory(bool back) {
    if (busy_) {
        return;
    }
    // A closed editor lingers until it is deleted: only an open one takes the keys.
    QLineEdit* editor = textGrid_->isEditing() ? textGrid_->cellEditor() : nullptr;
    if (editorTakesUndoKey(editor, !back) || (editor != nullptr && !checkCurrentCell())) {
        return;
    }
    textGrid_->closeCellEditor();
    if (back ? !undoStack_->canUndo() : !undoStack_->canRedo()) {
        return;
    }
    back ? undoStack_->undo() : undoStack_->redo();
    // The shown group shows the document again; the row stays where it was when it still exists.
    if (currentGroup_ >= 0) {
        const int row = textGrid_->currentRow();
        fillGrid();
        if (textGrid_->rowCount() > 0) {
            selectGridRow(std::clamp(row, 0, textGrid_->rowCount() - 1));
            rememberUndoText(textGrid_->currentRow(), 1);
        }
    }
    updateSaveButton();
}

}  // namespace tarn
