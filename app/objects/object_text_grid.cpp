// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_text_grid.h"

#include "app/objects/group_texts_grid.h"
#include "app/objects/object_texts_window.h"
#include "app/widgets/grid_text.h"
#include "textcodes/cstyle.h"

namespace tarn {

QTableWidgetItem* ObjectTextGrid::textItem(int row, int column) const {
    return column == 1 && row >= 1 ? grid_.item(row - 1, 1) : nullptr;
}

int ObjectTextGrid::rowCount() const {
    return grid_.rowCount();
}

int ObjectTextGrid::currentRow() const {
    return grid_.currentItem() != nullptr ? grid_.currentRow() + 1 : 0;
}

int ObjectTextGrid::currentColumn() const {
    return grid_.currentItem() != nullptr ? grid_.currentColumn() : -1;
}

bool ObjectTextGrid::selectCell(int row, int column) {
    if (textItem(row, column) == nullptr) {
        return false;
    }
    grid_.setCurrentCell(row - 1, column);
    return currentRow() == row && currentColumn() == column;
}

std::string ObjectTextGrid::cellText(int row, int column) const {
    const QTableWidgetItem* item = textItem(row, column);
    return item != nullptr ? displayToGameBytes(item->text(), window_.codePage()).bytes
                           : std::string();
}

void ObjectTextGrid::setCellText(int row, int column, const std::string& text) {
    if (QTableWidgetItem* item = textItem(row, column)) {
        item->setText(gameBytesToDisplay(text, window_.codePage()));  // taken as an edit
    }
}

std::string ObjectTextGrid::undoText() const {
    return window_.cStyle() ? rawToCStyle(window_.undoText()) : window_.undoText();
}

bool ObjectTextGrid::cStyle() const {
    return window_.cStyle();
}

bool ObjectTextGrid::checkCurrentCell() {
    return window_.checkCurrentCell();
}

std::optional<CellEditorState> ObjectTextGrid::cellEditorState() const {
    return lineEditorState(grid_.isEditing() ? grid_.cellEditor() : nullptr, window_.codePage());
}

void ObjectTextGrid::closeCellEditor() {
    grid_.closeCellEditor();
}

void ObjectTextGrid::openCellEditor() {
    grid_.editCurrentCell();
}

void ObjectTextGrid::setCellEditorSelection(int start, int length) {
    setLineEditorSelection(grid_.cellEditor(), start, length);
}

QRect ObjectTextGrid::cellRect(int row, int column) const {
    const QTableWidgetItem* item = textItem(row, column);
    return item != nullptr ? grid_.visualItemRect(item) : QRect();
}

QWidget* ObjectTextGrid::overlayParent() const {
    return grid_.viewport();
}

CodePage ObjectTextGrid::codePage() const {
    return window_.codePage();
}

QString ObjectTextGrid::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(bytes, window_.codePage());
}

EncodeResult ObjectTextGrid::bytesFromDisplay(const QString& text) const {
    return displayToGameBytes(text, window_.codePage());
}

void ObjectTextGrid::reportRefusal(const QString& message) {
    window_.reportRefusal(message);
}

}  // namespace tarn
