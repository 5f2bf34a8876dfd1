// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/find/find_dialog.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/find/tests/fake_run_cells.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"

namespace tarn {
namespace {

using testing::FakeRunCells;

class FindFormTest : public ::testing::Test {
protected:
    FakeRunCells grid{10};
    FindDialog form{grid};
    ScriptedPrompter prompter;

    void SetUp() override {
        for (int row = 1; row <= grid.rowCount(); ++row) {
            grid.set(row, 1, "original " + std::to_string(row));
            grid.set(row, 2, "translated " + std::to_string(row));
        }
    }
    void search(const QString& text, int searchIn, int direction) {
        childByName<QLineEdit>(form, "searchTextEdit")->setText(text);
        childByName<QButtonGroup>(form, "searchInButtons")->button(searchIn)->setChecked(true);
        childByName<QButtonGroup>(form, "directionButtons")->button(direction)->setChecked(true);
    }
    std::pair<int, int> current() const { return {grid.currentRow(), grid.currentColumn()}; }
};

TEST_F(FindFormTest, InitialStateAndFindNextFollowsTheSearchText) {
    EXPECT_EQ(form.windowTitle(), "Find");
    EXPECT_FALSE(form.isModal());
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(childByName<QButtonGroup>(form, "searchInButtons")->checkedId(), 2);
    EXPECT_EQ(childByName<QButtonGroup>(form, "directionButtons")->checkedId(), 0);
    EXPECT_FALSE(childByName<QCheckBox>(form, "caseSensitiveBox")->isChecked());
    EXPECT_FALSE(childByName<QCheckBox>(form, "wholeWordsBox")->isChecked());
    EXPECT_FALSE(childByName<QPushButton>(form, "findNextButton")->isEnabled());
    childByName<QLineEdit>(form, "searchTextEdit")->insert("x");
    EXPECT_TRUE(childByName<QPushButton>(form, "findNextButton")->isEnabled());
    childByName<QLineEdit>(form, "searchTextEdit")->clear();
    EXPECT_FALSE(childByName<QPushButton>(form, "findNextButton")->isEnabled());
}

TEST_F(FindFormTest, ForwardAcrossColumnsUntilTheEnd) {
    grid.set(5, 2, "the cat");
    grid.set(6, 1, "CAT");
    grid.set(8, 2, "cat");
    grid.setCurrent(5, 2);
    search("cat", 2, 0);
    childByName<QPushButton>(form, "findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(6, 1));
    // Column first, then row.
    EXPECT_EQ(grid.moves, (std::vector<std::pair<int, int>>{{5, 1}, {6, 1}}));
    childByName<QPushButton>(form, "findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(8, 2));
    childByName<QPushButton>(form, "findNextButton")
        ->click();  // no more matches: reported, no wrap to row 1
    EXPECT_EQ(current(), std::make_pair(8, 2));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "cat");
    EXPECT_EQ(prompter.messages()[0].caption, "Text not found");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
}

TEST_F(FindFormTest, BackwardAcrossColumnsUntilTheStart) {
    grid.set(4, 2, "hit");
    grid.set(1, 1, "hit");
    grid.set(5, 2, "hit");  // the current cell is not searched again
    grid.setCurrent(5, 1);
    search("HIT", 2, 1);
    childByName<QPushButton>(form, "findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(4, 2));
    childByName<QPushButton>(form, "findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(1, 1));
    childByName<QPushButton>(form, "findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_EQ(prompter.messages().size(), 1u);
}

TEST_F(FindFormTest, SearchInAndOptionsLimitTheMatches) {
    grid.set(3, 1, "cat");
    grid.set(7, 2, "cats");
    grid.set(9, 2, "Cat.");
    search("Cat", 1, 0);  // translated texts only
    childByName<QCheckBox>(form, "wholeWordsBox")->setChecked(true);
    childByName<QCheckBox>(form, "caseSensitiveBox")->setChecked(true);
    childByName<QPushButton>(form, "findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(9, 2));
    grid.setCurrent(1, 1);
    childByName<QCheckBox>(form, "caseSensitiveBox")->setChecked(false);
    childByName<QButtonGroup>(form, "searchInButtons")->button(0)->setChecked(true);
    childByName<QPushButton>(form, "findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(3, 1));
}

TEST_F(FindFormTest, RefusedMoveLeavesTheCurrentCell) {
    grid.set(9, 1, "target");
    grid.checkCell = [] { return false; };
    search("target", 2, 0);
    childByName<QPushButton>(form, "findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_EQ(grid.moves.size(), 1u);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(FindFormTest, CloseHidesTheDialog) {
    form.show();
    childByName<QPushButton>(form, "closeButton")->click();
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace tarn
