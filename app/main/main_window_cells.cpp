// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/main_window_cells.h"

#include "app/main/status_line.h"
#include "app/main/text_moves.h"
#include "app/main/texts_session.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

MainWindowCells::MainWindowCells(WindowParts& parts)
    : SessionTextCells(
          {parts.grid, parts.model, parts.session, parts.cellRules, parts.codePage,
           [&status = parts.status](const QString& message) { status.showRefusal(message); }}),
      parts_(parts) {}

int MainWindowCells::rowCount() const {
    return parts_.session.rows().rowCount();
}

bool MainWindowCells::selectCell(int row, int column) {
    return parts_.grid.moveTo(row, column);
}

void MainWindowCells::workOnRow(int row) {
    workOnTranslation(parts_.grid, row);
}

QRect MainWindowCells::cellRect(int row, int column) const {
    return parts_.grid.cellRect(row, column);
}

QWidget* MainWindowCells::overlayParent() const {
    return parts_.grid.viewport();
}

bool MainWindowCells::isRowShown(int row) const {
    return !parts_.grid.isRowHidden(row - 1);
}

void MainWindowCells::beginChange() {
    parts_.session.beginChange();
}

void MainWindowCells::endChange(const std::string& action) {
    parts_.session.endChange(action);
}

void MainWindowCells::catchUp() {
    parts_.session.pauseChange();
}

}  // namespace tarn
