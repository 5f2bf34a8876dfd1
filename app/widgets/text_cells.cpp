// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/text_cells.h"

#include <QLineEdit>

#include "app/widgets/display_text.h"

namespace tarn {

std::string currentCellText(const TextCells& cells) {
    if (auto editor = cells.cellEditorState()) {
        return editor->text;
    }
    return cells.cellText(cells.currentRow(), cells.currentColumn());
}

std::optional<CellEditorState> lineEditorState(const QLineEdit* editor, const CodePage& codePage) {
    if (editor == nullptr) {
        return std::nullopt;
    }
    CellEditorState state;
    state.text = displayToGameBytes(editor->text(), codePage).bytes;
    state.selectionStart =
        editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
    state.selectionLength = editor->hasSelectedText() ? editor->selectionLength() : 0;
    return state;
}

void setLineEditorSelection(QLineEdit* editor, int start, int length) {
    if (editor == nullptr) {
        return;
    }
    if (length > 0) {
        editor->setSelection(start, length);
    } else {
        editor->setCursorPosition(start);
    }
}

}  // namespace tarn
