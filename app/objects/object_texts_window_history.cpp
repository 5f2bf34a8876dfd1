// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's history: every change to the document is a step of its session,
// taken back and made again with Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z or the grid's context menu
// (ObjectGridActions). While a cell editor is open those keys act on its own typing first, as
// in the main window (CellRules::stepHistory).
#include <QUndoStack>
#include <algorithm>

#include "app/objects/object_grid_actions.h"
#include "app/objects/object_texts_session.h"
#include "app/objects/object_texts_window.h"
#include "app/preview/text_grid.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

ObjectTextsWindow::~ObjectTextsWindow() {
    // The stack clears itself as it goes; the grid goes before the session it shows.
    session_->stack().disconnect(gridActions_);
    delete cellRules_;
    delete textGrid_;
    delete model_;
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
