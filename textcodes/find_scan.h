// SPDX-License-Identifier: GPL-3.0-or-later
// The walk of "Find next" over the grid's text cells in reading order, apart from any window.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "textcodes/text_search.h"

namespace tarn {

enum class SearchIn { OriginalTexts = 0, TranslatedTexts = 1, Both = 2 };
enum class SearchDirection { Forward = 0, Backward = 1 };

struct GridCell {
    int row = 1;
    int column = 1;
    bool operator==(const GridCell&) const = default;
};

// The text of a cell (row 1..rowCount, column 1 original or 2 translated).
using CellTextFn = std::function<std::string_view(int row, int column)>;

// The next cell after `from` in reading order (forward: (r,1) -> (r,2) -> (r+1,1); backward the
// reverse) whose column is searched and whose text matches, or nothing when the walk leaves
// rows 1..rowCount. The walk never wraps around and never returns `from` itself.
std::optional<GridCell> findNextCell(GridCell from, int rowCount, std::string_view searchText,
                                     SearchIn searchIn, SearchDirection direction,
                                     const SearchOptions& options, const CellTextFn& cellText);

}  // namespace tarn
