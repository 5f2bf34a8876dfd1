// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/window_text_grid.h"

#include "app/main/status_line.h"
#include "app/main/text_moves.h"
#include "app/main/texts_session.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

WindowTextGrid::WindowTextGrid(WindowParts& parts)
    : SessionTextCells(
          {parts.grid, parts.model, parts.session, parts.cellRules, parts.codePage,
           [&status = parts.status](const QString& message) { status.showRefusal(message); }}),
      parts_(parts) {}

int WindowTextGrid::rowCount() const {
    return parts_.session.rows().rowCount();
}

bool WindowTextGrid::selectCell(int row, int column) {
    return parts_.grid.moveTo(row, column);
}

void WindowTextGrid::workOnRow(int row) {
    workOnTranslation(parts_.grid, row);
}

QRect WindowTextGrid::cellRect(int row, int column) const {
    return parts_.grid.cellRect(row, column);
}

QWidget* WindowTextGrid::overlayParent() const {
    return parts_.grid.viewport();
}

bool WindowTextGrid::isRowShown(int row) const {
    return !parts_.grid.isRowHidden(row - 1);
}

void WindowTextGrid::beginChange() {
    parts_.session.beginChange();
}

void WindowTextGrid::endChange(const std::string& action) {
    parts_.session.endChange(action);
}

void WindowTextGrid::catchUp() {
    parts_.session.pauseChange();
}

}  // namespace tarn
