// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's grid as the find, replace, preview and format-code windows see it.
#pragma once

#include <functional>

#include "app/main/window_parts.h"
#include "app/preview/text_grid.h"

namespace tarn {

class WindowTextGrid : public TextGrid {
public:
    explicit WindowTextGrid(WindowParts& parts) : parts_(parts) {}
    void whenCatchingUp(std::function<void()> catchUp) { catchUp_ = std::move(catchUp); }

    int rowCount() const override;
    int currentRow() const override;
    int currentColumn() const override;
    bool isRowShown(int row) const override;
    bool selectCell(int row, int column) override;
    std::string cellText(int row, int column) const override;
    void setCellText(int row, int column, const std::string& text) override;
    void beginChange() override;
    void endChange(const std::string& action) override;
    void catchUp() override;
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
    WindowParts& parts_;
    std::function<void()> catchUp_;
};

}  // namespace tarn
