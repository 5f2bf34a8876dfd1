// SPDX-License-Identifier: GPL-3.0-or-later
// The grid as Find and Replace go through it, beyond its cells: its rows and which of them the
// filter shows, moving the current cell, where a cell is drawn for the prompted replace's
// overlay, and a replace run kept as one step. Only the main window's grid has Find and Replace.
#pragma once

#include <QRect>
#include <string>

#include "app/widgets/text_cells.h"

class QWidget;

namespace tarn {

class ReplaceRunCells : public virtual TextCells {
public:
    virtual int rowCount() const = 0;
    // Whether the row is shown; Find passes over the rows a filter hides.
    virtual bool isRowShown(int /*row*/) const { return true; }
    // Moves the current cell through the grid's cell-entry rules; false when refused.
    virtual bool selectCell(int row, int column) = 0;
    // Find stopped on the row: a grid may take the keyboard there, on the row's translation.
    virtual void workOnRow(int /*row*/) {}

    // Where a cell is drawn, in the coordinates of overlayParent() (the cells' viewport).
    virtual QRect cellRect(int row, int column) const = 0;
    virtual QWidget* overlayParent() const = 0;

    // Changes of many cells made one by one (a replace run) that the window's history keeps
    // as one step, named after the action and the number of texts changed; a run that changed
    // nothing leaves no step.
    virtual void beginChange() = 0;
    virtual void endChange(const std::string& action) = 0;
    // In the middle of such a change, before the translator is asked about the next cell: the
    // views that count the texts (space, findings) catch up with the changes made so far.
    virtual void catchUp() {}
};

}  // namespace tarn
