// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/window_text_grid.h"

#include "app/main/grid_controller.h"
#include "app/main/grid_model.h"
#include "app/main/status_line.h"
#include "app/main/text_grid_view.h"
#include "app/main/texts_session.h"
#include "app/widgets/grid_text.h"

namespace tarn {
namespace {

bool isTextCell(int row, int column) {
    return row >= 1 && row <= StringTableDocument::kRows &&
           column >= StringTableDocument::OriginalColumn &&
           column <= StringTableDocument::ShortColumn;
}

}  // namespace

int WindowTextGrid::rowCount() const {
    return StringTableDocument::kRows;
}

int WindowTextGrid::currentRow() const {
    return parts_.grid.currentRow();
}

int WindowTextGrid::currentColumn() const {
    return parts_.grid.currentColumn();
}

bool WindowTextGrid::isRowShown(int row) const {
    return !parts_.grid.isRowHidden(row - 1);
}

bool WindowTextGrid::selectCell(int row, int column) {
    return parts_.grid.moveTo(row, column);
}

std::string WindowTextGrid::cellText(int row, int column) const {
    return isTextCell(row, column) ? parts_.document.notationText(row, column) : std::string();
}

void WindowTextGrid::setCellText(int row, int column, const std::string& text) {
    if (isTextCell(row, column) && column != StringTableDocument::ShortColumn) {
        parts_.model.setCellText(row, column, text);
        TextGridView& grid = parts_.grid;
        if (row == grid.currentRow() && column == grid.currentColumn() && grid.isEditing()) {
            grid.itemDelegate()->setEditorData(grid.cellEditor(), grid.currentIndex());
        }
    }
}

void WindowTextGrid::beginChange() {
    parts_.session.beginChange();
}

void WindowTextGrid::endChange(const std::string& action) {
    parts_.session.endChange(action);
}

void WindowTextGrid::catchUp() {
    if (catchUp_) {
        catchUp_();
    }
}

std::string WindowTextGrid::undoText() const {
    return parts_.controller.escText();
}

bool WindowTextGrid::cStyle() const {
    return parts_.document.cstyle();
}

bool WindowTextGrid::checkCurrentCell() {
    return parts_.controller.checkCurrentCell();
}

std::optional<CellEditorState> WindowTextGrid::cellEditorState() const {
    return lineEditorState(parts_.grid.cellEditor(), parts_.codePage);
}

void WindowTextGrid::closeCellEditor() {
    parts_.grid.closeCellEditor();
}

void WindowTextGrid::openCellEditor() {
    QAbstractItemView& view = parts_.grid;
    view.edit(view.currentIndex());
}

void WindowTextGrid::setCellEditorSelection(int start, int length) {
    setLineEditorSelection(parts_.grid.cellEditor(), start, length);
}

QRect WindowTextGrid::cellRect(int row, int column) const {
    return parts_.grid.cellRect(row, column);
}

QWidget* WindowTextGrid::overlayParent() const {
    return parts_.grid.viewport();
}

CodePage WindowTextGrid::codePage() const {
    return parts_.codePage;
}

QString WindowTextGrid::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(bytes, parts_.codePage);
}

EncodeResult WindowTextGrid::bytesFromDisplay(const QString& text) const {
    return displayToGameBytes(text, parts_.codePage);
}

void WindowTextGrid::reportRefusal(const QString& message) {
    parts_.status.show(message);
}

}  // namespace tarn
