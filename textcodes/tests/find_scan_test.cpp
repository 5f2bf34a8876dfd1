// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/find_scan.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tarn {
namespace {

// Rows 1..n, every cell holds "x" unless set otherwise.
class Cells {
public:
    explicit Cells(int rows) : texts_(rows, {"x", "x"}) {}
    void set(int row, int column, std::string text) { texts_[row - 1][column - 1] = text; }
    int rows() const { return static_cast<int>(texts_.size()); }
    CellTextFn fn() const {
        return [this](int row, int column) -> std::string_view {
            return texts_.at(row - 1).at(column - 1);
        };
    }

private:
    std::vector<std::array<std::string, 2>> texts_;
};

std::optional<GridCell> find(const Cells& cells, GridCell from, SearchIn in, SearchDirection dir,
                             std::string_view text = "hit") {
    return findNextCell(from, cells.rows(), text, in, dir, SearchOptions{}, cells.fn());
}

TEST(FindScan, StepsInReadingOrderFromTheCellAfterTheCurrentOne) {
    Cells cells(9);
    cells.set(5, 2, "hit");  // the current cell itself is never found
    cells.set(6, 1, "HIT");
    cells.set(4, 2, "hit");
    cells.set(4, 1, "hit");
    EXPECT_EQ(find(cells, {5, 2}, SearchIn::Both, SearchDirection::Forward), (GridCell{6, 1}));
    EXPECT_EQ(find(cells, {5, 1}, SearchIn::Both, SearchDirection::Forward), (GridCell{5, 2}));
    EXPECT_EQ(find(cells, {5, 1}, SearchIn::Both, SearchDirection::Backward), (GridCell{4, 2}));
    EXPECT_EQ(find(cells, {4, 2}, SearchIn::Both, SearchDirection::Backward), (GridCell{4, 1}));
    EXPECT_EQ(find(cells, {4, 1}, SearchIn::Both, SearchDirection::Backward), std::nullopt);
    // Columns 0 and 3 step like the column before the next row / after the previous row.
    EXPECT_EQ(find(cells, {3, 3}, SearchIn::Both, SearchDirection::Forward), (GridCell{4, 1}));
    EXPECT_EQ(find(cells, {7, 0}, SearchIn::Both, SearchDirection::Backward), (GridCell{6, 1}));
}

TEST(FindScan, SearchInLimitsTheColumns) {
    Cells cells(5);
    cells.set(2, 1, "hit");
    cells.set(3, 2, "hit");
    EXPECT_EQ(find(cells, {1, 1}, SearchIn::TranslatedTexts, SearchDirection::Forward),
              (GridCell{3, 2}));
    EXPECT_EQ(find(cells, {5, 2}, SearchIn::OriginalTexts, SearchDirection::Backward),
              (GridCell{2, 1}));
    EXPECT_EQ(find(cells, {2, 1}, SearchIn::OriginalTexts, SearchDirection::Forward), std::nullopt);
}

TEST(FindScan, StopsAtBothEndsWithoutWrapping) {
    Cells cells(3);
    cells.set(1, 1, "hit");
    cells.set(3, 2, "hit");
    EXPECT_EQ(find(cells, {3, 2}, SearchIn::Both, SearchDirection::Forward), std::nullopt);
    EXPECT_EQ(find(cells, {1, 1}, SearchIn::Both, SearchDirection::Backward), std::nullopt);
    EXPECT_EQ(find(cells, {1, 2}, SearchIn::Both, SearchDirection::Backward), (GridCell{1, 1}));
}

}  // namespace
}  // namespace tarn
