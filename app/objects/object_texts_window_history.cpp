// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's history: every change to the document is a step on the window's own
// undo stack, taken back and made again with Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z or the grid's
// context menu. While a cell editor is open those keys act on its own typing first, as in the
// main window (CellRules::stepHistory).
#include <QAction>
#include <QUndoStack>
#include <algorithm>

#include "app/objects/object_texts_session.h"
#include "app/objects/object_texts_window.h"
#include "app/preview/text_grid.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

namespace {

QString stepCaption(const QString& verb, const QString& step) {
    return step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
}

}  // namespace

ObjectTextsWindow::~ObjectTextsWindow() {
    // The stack clears itself as it goes; the grid goes before the session it shows.
    session_->stack().disconnect(this);
    delete cellRules_;
    delete textGrid_;
    delete model_;
}

void ObjectTextsWindow::createHistory() {
    QUndoStack* stack = &session_->stack();
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
    connect(stack, &QUndoStack::undoTextChanged, this, [this](const QString& step) {
        undoAction_->setText(stepCaption(QStringLiteral("Undo"), step));
    });
    connect(stack, &QUndoStack::redoTextChanged, this, [this](const QString& step) {
        redoAction_->setText(stepCaption(QStringLiteral("Redo"), step));
    });
    connect(stack, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    undoAction_->setEnabled(false);
    redoAction_->setEnabled(false);
}

void ObjectTextsWindow::undo() {
    stepHistory(true);
}

void ObjectTextsWindow::redo() {
    stepHistory(false);
}

void ObjectTextsWindow::stepHistory(bool back) {
    if (busy_ || currentGroup() < 0) {
        if (!busy_) {
            back ? session_->undo() : session_->redo();
        }
        return;
    }
    // The row stays where it was when it still exists.
    const int row = textGrid_->currentRow();
    cellRules_->stepHistory(!back);
    if (!textGrid_->currentIndex().isValid() && model_->rowCount() > 0) {
        textGrid_->placeWithoutChecks(std::clamp(row, 1, model_->rowCount()), 1);
        cellRules_->rememberCurrentText();
    }
}

}  // namespace tarn
