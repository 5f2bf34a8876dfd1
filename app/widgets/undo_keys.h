// SPDX-License-Identifier: GPL-3.0-or-later
// Ctrl+Z and Ctrl+Y in a grid of game texts, the same in every window: the open cell editor's
// own typing first; with nothing of it to take back or make again, the step of the window's
// history, once the cell may be left (its editor then closes).
#pragma once

#include <QLineEdit>

namespace tarn {

// Takes the key in the open editor (null: none) when it has typing to undo or redo; false
// leaves the key to the window's history.
inline bool editorTakesUndoKey(QLineEdit* editor, bool redo) {
    if (editor == nullptr || !(redo ? editor->isRedoAvailable() : editor->isUndoAvailable())) {
        return false;
    }
    redo ? editor->redo() : editor->undo();
    return true;
}

}  // namespace tarn
