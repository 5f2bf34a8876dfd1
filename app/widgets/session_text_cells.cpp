// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/session_text_cells.h"

#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/game_texts_session.h"
#include "app/widgets/display_text.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

bool SessionTextCells::isTextCell(int row, int column) const {
    const GameTextRows& rows = parts_.session.rows();
    return row >= 1 && row <= rows.rowCount() && rows.isTextColumn(column);
}

int SessionTextCells::currentRow() const {
    return parts_.view.currentRow();
}

int SessionTextCells::currentColumn() const {
    return parts_.view.currentColumn();
}

std::string SessionTextCells::cellText(int row, int column) const {
    return isTextCell(row, column) ? parts_.session.rows().notationText(row, column)
                                   : std::string();
}

void SessionTextCells::setCellText(int row, int column, const std::string& text) {
    if (!isTextCell(row, column)) {
        return;
    }
    parts_.model.setCellText(row, column, text);
    TextGridView& view = parts_.view;
    if (row == view.currentRow() && column == view.currentColumn() && view.isEditing()) {
        view.itemDelegate()->setEditorData(view.cellEditor(), view.currentIndex());
    }
}

std::string SessionTextCells::undoText() const {
    return parts_.cellRules.escText();
}

Notation SessionTextCells::notation() const {
    return parts_.view.notation();
}

bool SessionTextCells::checkCurrentCell() {
    return parts_.cellRules.checkCurrentCell();
}

std::optional<CellEditorState> SessionTextCells::cellEditorState() const {
    return lineEditorState(parts_.view.cellEditor(), parts_.codePage);
}

void SessionTextCells::closeCellEditor() {
    parts_.view.closeCellEditor();
}

void SessionTextCells::openCellEditor() {
    parts_.view.editCurrentCell();
}

void SessionTextCells::setCellEditorSelection(int start, int length) {
    setLineEditorSelection(parts_.view.cellEditor(), start, length);
}

CodePage SessionTextCells::codePage() const {
    return parts_.codePage;
}

QString SessionTextCells::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(bytes, parts_.codePage);
}

EncodeResult SessionTextCells::bytesFromDisplay(const QString& text) const {
    return displayToGameBytes(text, parts_.codePage);
}

void SessionTextCells::reportRefusal(const QString& message) {
    if (parts_.showRefusal) {
        parts_.showRefusal(message);
    }
}

}  // namespace tarn
