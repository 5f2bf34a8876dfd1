// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's grid as the preview and the format-code menu see it: text rows
// 1..rowCount() of the shown group, its texts in column 1, in the window's notation.
#pragma once

#include "app/preview/text_grid.h"

class QTableWidgetItem;

namespace tarn {

class GroupTextsGrid;
class ObjectTextsWindow;

class ObjectTextGrid : public TextGrid {
public:
    ObjectTextGrid(ObjectTextsWindow& window, GroupTextsGrid& grid)
        : window_(window), grid_(grid) {}

    int rowCount() const override;
    int currentRow() const override;
    int currentColumn() const override;
    bool selectCell(int row, int column) override;
    std::string cellText(int row, int column) const override;
    void setCellText(int row, int column, const std::string& text) override;
    // The window has no replace runs: each change of a cell is a step of its own.
    void beginChange() override {}
    void endChange(const std::string&) override {}
    std::string undoText() const override;
    bool cStyle() const override;
    bool checkCurrentCell() override;
    std::optional<CellEditorState> cellEditorState() const override;
    void closeCellEditor() override;
    void openCellEditor() override;
    void setCellEditorSelection(int start, int length) override;
    QRect cellRect(int row, int column) const override;
    QWidget* overlayParent() const override;
    CodePage codePage() const override;
    QString displayText(const std::string& bytes) const override;
    EncodeResult bytesFromDisplay(const QString& text) const override;
    void reportRefusal(const QString& message) override;

private:
    QTableWidgetItem* textItem(int row, int column) const;

    ObjectTextsWindow& window_;
    GroupTextsGrid& grid_;
};

}  // namespace tarn
