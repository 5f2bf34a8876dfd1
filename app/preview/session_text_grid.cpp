// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview/session_text_grid.h"

#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/game_texts_session.h"
#include "app/widgets/grid_text.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

bool SessionTextGrid::isTextCell(int row, int column) const {
    const GameTextRows& rows = parts_.session.rows();
    return row >= 1 && row <= rows.rowCount() && rows.isTextColumn(column);
}

int SessionTextGrid::rowCount() const {
    return parts_.session.rows().rowCount();
}

int SessionTextGrid::currentRow() const {
    return parts_.view.currentRow();
}

int SessionTextGrid::currentColumn() const {
    return parts_.view.currentColumn();
}

bool SessionTextGrid::selectCell(int row, int column) {
    return parts_.view.moveTo(row, column);
}

std::string SessionTextGrid::cellText(int row, int column) const {
    return isTextCell(row, column) ? parts_.session.rows().notationText(row, column)
                                   : std::string();
}

void SessionTextGrid::setCellText(int row, int column, const std::string& text) {
    if (!isTextCell(row, column)) {
        return;
    }
    parts_.model.setCellText(row, column, text);
    TextGridView& view = parts_.view;
    if (row == view.currentRow() && column == view.currentColumn() && view.isEditing()) {
        view.itemDelegate()->setEditorData(view.cellEditor(), view.currentIndex());
    }
}

std::string SessionTextGrid::undoText() const {
    return parts_.cellRules.escText();
}

bool SessionTextGrid::cStyle() const {
    return parts_.view.notation() == Notation::CStyle;
}

bool SessionTextGrid::checkCurrentCell() {
    return parts_.cellRules.checkCurrentCell();
}

std::optional<CellEditorState> SessionTextGrid::cellEditorState() const {
    return lineEditorState(parts_.view.cellEditor(), parts_.codePage);
}

void SessionTextGrid::closeCellEditor() {
    parts_.view.closeCellEditor();
}

void SessionTextGrid::openCellEditor() {
    parts_.view.editCurrentCell();
}

void SessionTextGrid::setCellEditorSelection(int start, int length) {
    setLineEditorSelection(parts_.view.cellEditor(), start, length);
}

QRect SessionTextGrid::cellRect(int row, int column) const {
    return parts_.view.cellRect(row, column);
}

QWidget* SessionTextGrid::overlayParent() const {
    return parts_.view.viewport();
}

CodePage SessionTextGrid::codePage() const {
    return parts_.codePage;
}

QString SessionTextGrid::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(bytes, parts_.codePage);
}

EncodeResult SessionTextGrid::bytesFromDisplay(const QString& text) const {
    return displayToGameBytes(text, parts_.codePage);
}

void SessionTextGrid::reportRefusal(const QString& message) {
    if (parts_.showRefusal) {
        parts_.showRefusal(message);
    }
}

}  // namespace tarn
