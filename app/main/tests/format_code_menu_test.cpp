// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview/format_code_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPixmap>

#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/fake_text_cells.h"

namespace tarn {
namespace {

using testing::FakeTextCells;

QStringList captions(const QMenu& menu) {
    QStringList out;
    for (const QAction* action : menu.actions()) {
        out << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return out;
}

QAction* itemNamed(const QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions()) {
        if (action->text() == caption) {
            return action;
        }
    }
    return nullptr;
}

class FormatCodeMenuTest : public ::testing::Test {
protected:
    FakeTextCells grid{3};
    QAction cut{QStringLiteral("Cu&t")};
    QAction copy{QStringLiteral("&Copy")};
    QAction paste{QStringLiteral("&Paste")};
    QMenu popup;
    FormatCodeMenu menu{popup, grid, &cut, &copy, &paste};

    void SetUp() override {
        grid.set(2, 2, "abc");
        grid.setCurrent(2, 2);
        grid.setUndoText("abc");
    }
    QMenu* colours() const { return childByName<QMenu>(popup, "colourCodeMenu"); }
    QMenu* values() const { return childByName<QMenu>(popup, "valueCodeMenu"); }
    QAction* item(const char* name) const { return childByName<QAction>(popup, name); }
    void choose(const QMenu& submenu, const QString& caption) {
        QAction* item = itemNamed(submenu, caption);
        ASSERT_NE(item, nullptr) << caption.toStdString();
        item->trigger();
    }
};

TEST_F(FormatCodeMenuTest, ItemsInOrderWithTheirCodes) {
    EXPECT_EQ(captions(popup),
              (QStringList{"Cu&t", "&Copy", "&Paste", "-", "Change &color to", "Show &variable",
                           "Insert &line break", "Switch to t&hin letters",
                           "Switch to &default text color", "-", "&Undo editing"}));
    EXPECT_EQ(captions(*colours()), (QStringList{"Black", "Grey", "White", "Red", "Green", "Yellow",
                                                 "Orange", "Light Green", "Light Blue", "Purple",
                                                 "Brown", "Pink", "Aqua", "Light Brown"}));
    const QStringList variables = captions(*values());
    ASSERT_EQ(variables.size(), 17);
    EXPECT_EQ(variables.front(), "4-byte number");
    EXPECT_EQ(variables.back(), "Picture");
    EXPECT_EQ(itemNamed(*values(), "Date")->data().toInt(), 133);
    EXPECT_EQ(itemNamed(*colours(), "Light Brown")->data().toInt(), 155);
    EXPECT_EQ(item("lineBreakAction")->data().toInt(), 5);
    EXPECT_EQ(item("thinLettersAction")->data().toInt(), 10);
    EXPECT_EQ(item("defaultColourAction")->data().toInt(), 14);
}

TEST_F(FormatCodeMenuTest, ColourItemsShowSwatchesOfTheirColour) {
    const QAction* red = itemNamed(*colours(), "Red");
    const QImage image = red->icon().pixmap(16, 16).toImage();
    ASSERT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0xFF, 0x07, 0x00));
    EXPECT_EQ(QColor(image.pixel(15, 15)), QColor(0xFF, 0x07, 0x00));
    const QImage black = itemNamed(*colours(), "Black")->icon().pixmap(16, 16).toImage();
    EXPECT_EQ(QColor(black.pixel(8, 8)), QColor(0x17, 0x23, 0x23));
}

TEST_F(FormatCodeMenuTest, EnabledOnlyWhileEditingAndOpensOnlyThen) {
    EXPECT_FALSE(menu.popupWhileEditing(QPoint(10, 10)));
    menu.enableItems();
    EXPECT_FALSE(colours()->menuAction()->isEnabled());
    EXPECT_FALSE(item("undoEditingAction")->isEnabled());
    EXPECT_FALSE(item("thinLettersAction")->isEnabled());
    grid.openEditorWith("abc", 0, 0);
    EXPECT_TRUE(menu.popupWhileEditing(QPoint(10, 10)));  // aboutToShow enables the items
    EXPECT_TRUE(popup.isVisible());
    EXPECT_TRUE(colours()->menuAction()->isEnabled());
    EXPECT_TRUE(values()->menuAction()->isEnabled());
    EXPECT_TRUE(item("lineBreakAction")->isEnabled());
    EXPECT_TRUE(item("defaultColourAction")->isEnabled());
    EXPECT_TRUE(item("undoEditingAction")->isEnabled());
    popup.hide();
}

TEST_F(FormatCodeMenuTest, CStyleInsertionAtTheCaret) {
    grid.setNotation(Notation::CStyle);
    grid.openEditorWith("abc", 0, 0);
    choose(*colours(), "Red");
    EXPECT_EQ(grid.text(2, 2), "\\c3abc");
    ASSERT_TRUE(grid.cellEditorState());
    EXPECT_EQ(grid.cellEditorState()->text, "\\c3abc");
    EXPECT_EQ(grid.cellEditorState()->selectionStart, 3);
    EXPECT_EQ(grid.cellEditorState()->selectionLength, 0);
    EXPECT_TRUE(grid.modified);
}

TEST_F(FormatCodeMenuTest, RawInsertionIsTheSingleByte) {
    grid.openEditorWith("abc", 0, 0);
    choose(*colours(), "Red");
    EXPECT_EQ(grid.text(2, 2),
              "\x91"
              "abc");
    EXPECT_EQ(grid.cellEditorState()->selectionStart, 1);
    grid.openEditorWith("abc", 3, 0);
    item("thinLettersAction")->trigger();
    EXPECT_EQ(grid.text(2, 2), "abc\x0A");
}

TEST_F(FormatCodeMenuTest, InsertsInFrontOfTheSelectionAndKeepsItSelected) {
    grid.setNotation(Notation::CStyle);
    grid.openEditorWith("abc", 1, 2);  // "bc" selected
    item("lineBreakAction")->trigger();
    EXPECT_EQ(grid.text(2, 2), "a\\nbc");
    EXPECT_EQ(grid.cellEditorState()->selectionStart, 3);
    EXPECT_EQ(grid.cellEditorState()->selectionLength, 2);
    grid.openEditorWith("a\\nbc", 3, 2);
    choose(*values(), "4-byte number w/o th seps");
    EXPECT_EQ(grid.text(2, 2), "a\\n%nbc");
    item("defaultColourAction")->trigger();  // editor reopened with "bc" still selected
    EXPECT_EQ(grid.text(2, 2), "a\\n%n\\dbc");
}

TEST_F(FormatCodeMenuTest, OriginalColumnChangesDoNotMarkModified) {
    grid.set(2, 1, "xyz");
    grid.setCurrent(2, 1);
    grid.openEditorWith("xyz", 0, 0);
    item("lineBreakAction")->trigger();
    EXPECT_EQ(grid.text(2, 1), "\x05xyz");
    EXPECT_FALSE(grid.modified);
}

TEST_F(FormatCodeMenuTest, UndoEditingRestoresTheTextBeforeSeveralInsertions) {
    grid.setNotation(Notation::CStyle);
    grid.openEditorWith("abc", 0, 0);
    choose(*colours(), "Red");
    choose(*colours(), "Aqua");
    EXPECT_EQ(grid.text(2, 2), "\\c3\\ccabc");
    item("undoEditingAction")->trigger();
    EXPECT_EQ(grid.text(2, 2), "abc");
    ASSERT_TRUE(grid.cellEditorState());
    EXPECT_EQ(grid.cellEditorState()->text, "abc");
}

TEST_F(FormatCodeMenuTest, NothingHappensWithoutAnOpenEditor) {
    item("lineBreakAction")->trigger();
    EXPECT_EQ(grid.text(2, 2), "abc");
    EXPECT_FALSE(grid.modified);
}

}  // namespace
}  // namespace tarn
