// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's grid as the find, replace, preview and format-code windows see it: the
// shared cells of a grid of game texts, with the main window's filter and replace runs.
#pragma once

#include "app/find/replace_run_cells.h"
#include "app/main/window_parts.h"
#include "app/widgets/session_text_cells.h"

namespace tarn {

class MainWindowCells : public SessionTextCells, public ReplaceRunCells {
public:
    explicit MainWindowCells(WindowParts& parts);

    int rowCount() const override;
    bool isRowShown(int row) const override;
    bool selectCell(int row, int column) override;
    void workOnRow(int row) override;
    QRect cellRect(int row, int column) const override;
    QWidget* overlayParent() const override;
    void beginChange() override;
    void endChange(const std::string& action) override;
    void catchUp() override;

private:
    WindowParts& parts_;
};

}  // namespace tarn
