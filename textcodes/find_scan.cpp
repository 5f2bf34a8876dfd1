// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/find_scan.h"

namespace tarn {
namespace {

GridCell stepForward(GridCell cell) {
    return cell.column == 1 ? GridCell{cell.row, 2} : GridCell{cell.row + 1, 1};
}

GridCell stepBackward(GridCell cell) {
    return cell.column == 2 ? GridCell{cell.row, 1} : GridCell{cell.row - 1, 2};
}

bool isSearched(int column, SearchIn searchIn) {
    if (column == 1) {
        return searchIn != SearchIn::TranslatedTexts;
    }
    return searchIn != SearchIn::OriginalTexts;
}

}  // namespace

std::optional<GridCell> findNextCell(GridCell from, int rowCount, std::string_view searchText,
                                     SearchIn searchIn, SearchDirection direction,
                                     const SearchOptions& options, const CellTextFn& cellText) {
    GridCell cell = from;
    for (;;) {
        cell = direction == SearchDirection::Forward ? stepForward(cell) : stepBackward(cell);
        if (cell.row < 1 || cell.row > rowCount) {
            return std::nullopt;
        }
        if (isSearched(cell.column, searchIn) &&
            textMatches(searchText, cellText(cell.row, cell.column), options)) {
            return cell;
        }
    }
}

}  // namespace tarn
