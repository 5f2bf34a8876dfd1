// The grid's editing rules, the status bar and the notation toggle.
#include <QContextMenuEvent>
#include <QMenu>
#include <QStatusTipEvent>

#include "editor/grid_model.h"
#include "editor/grid_text.h"
#include "editor/tests/editor_fixture.h"
#include "textcodes/cstyle.h"

namespace tarn {
namespace {

using GridTest = EditorTest;

TEST(GridText, ControlBytesShowAsPicturesAndEveryByteMapsBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const QString shown = gameBytesToDisplay(all);
    EXPECT_EQ(shown[5], QChar(0x2405));
    EXPECT_EQ(shown[0x80], QChar(0x20AC));  // the euro sign of Windows-1252
    EXPECT_EQ(displayToGameBytes(shown), all);
    EXPECT_FALSE(displayToGameBytes(QStringLiteral("\u0142")));  // not in the code page
}

TEST_F(GridTest, StatusBarShowsTheBytesOfTheCurrentCellAndFollowsTyping) {
    writeGame();
    writeSettings();
    TFoForm& f = start();
    ASSERT_TRUE(f.selectCell(2, 2));
    ASSERT_TRUE(f.selectCell(1, 1));
    EXPECT_EQ(f.statusText(), "72 105 ");
    type("!");
    EXPECT_EQ(f.statusText(), "72 105 33 ");
    EXPECT_EQ(f.document().cell(1, 1), "Hi!");
    EXPECT_FALSE(f.Modified());  // column 1 edits are no changes
    EXPECT_FALSE(f.Save->isEnabled());
    pressInEditor(Qt::Key_Return);
    ASSERT_TRUE(f.selectCell(1, 2));
    type("x");
    EXPECT_TRUE(f.Modified());
    EXPECT_TRUE(f.Save->isEnabled());
}

TEST_F(GridTest, ColumnThreeAndTheNumberColumnCannotBeEntered) {
    writeGame();
    writeSettings();
    TFoForm& f = start();
    ASSERT_TRUE(f.selectCell(5, 2));
    EXPECT_FALSE(f.selectCell(5, 3));
    QTest::mouseClick(f.StringGrid1->viewport(), Qt::LeftButton, {}, f.cellRect(6, 3).center());
    EXPECT_FALSE(f.selectCell(6, 0));
    EXPECT_EQ(f.currentRow(), 5);
    EXPECT_EQ(f.currentColumn(), 2);
}

TEST_F(GridTest, EscRestoresTheTextTheCellHadWhenEntered) {
    writeGame();
    writeSettings();
    TFoForm& f = start();
    ASSERT_TRUE(f.selectCell(8, 2));
    const std::string before = f.document().cell(8, 2);
    type("abc");
    pressInEditor(Qt::Key_Backspace);
    type("d");
    pressInEditor(Qt::Key_Escape);
    EXPECT_FALSE(f.isEditing());
    EXPECT_EQ(f.document().cell(8, 2), before);
}

TEST_F(GridTest, InvalidCStyleCellCannotBeLeftUntilEsc) {
    writeGame();
    writeSettings("[Options]\r\nCStyleStrings=1\r\n");
    TFoForm& f = start();
    ASSERT_TRUE(f.selectCell(4, 2));
    const std::string before = f.document().cell(4, 2);
    type(" 50%");
    pressInEditor(Qt::Key_Return);  // refused: the editor stays open
    EXPECT_TRUE(f.isEditing());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Error in string");
    EXPECT_EQ(prompter.messages()[0].text,
              "The C-style string you entered has an error:\n\rUnmatched % sign at the end of the "
              "text\n\rYou must fix this error to continue or press ESC to undo your changes");
    EXPECT_FALSE(f.selectCell(5, 2));
    f.NextUntransExecute();
    f.CopyStringsExecute();
    f.SaveTexts();
    EXPECT_EQ(prompter.messages().size(), 5u);
    EXPECT_EQ(f.currentRow(), 4);
    pressInEditor(Qt::Key_Escape);
    EXPECT_EQ(f.document().cell(4, 2), before);
    EXPECT_TRUE(f.selectCell(5, 2));
}

TEST_F(GridTest, LeavingACStyleCellWritesItsCanonicalForm) {
    writeGame();
    writeSettings("[Options]\r\nCStyleStrings=1\r\n");
    TFoForm& f = start();
    ASSERT_TRUE(f.selectCell(4, 2));
    f.setCellText(4, 2, "\\x41\\p0000abcd");
    ASSERT_TRUE(f.selectCell(5, 2));
    EXPECT_EQ(f.document().cell(4, 2), "A\\p0000ABCD");
    EXPECT_EQ(f.statusText(), "");  // C-style: no byte view
}

TEST_F(GridTest, NotationToggleReportsEachBadCellAndKeepsIt) {
    writeGame();
    writeSettings("[Options]\r\nCStyleStrings=1\r\n");
    TFoForm& f = start();
    f.setCellText(10, 1, "%x");
    f.setCellText(11, 2, "\\ce");
    f.CStyle->trigger();
    EXPECT_FALSE(f.CStyle->isChecked());
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Error in string number 10: Incorrect % sequence at position 1");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::None);
    EXPECT_EQ(prompter.messages()[1].text,
              "Error in string number 11: Invalid color specifier for \\c at position 1");
    EXPECT_EQ(f.document().cell(10, 1), "%x");
    EXPECT_EQ(f.document().cell(1, 2), "Hi");
    EXPECT_EQ(f.statusText(), "72 105 ");
}

TEST_F(GridTest, TogglingTheNotationThereAndBackRestoresEveryCell) {
    writeGame();
    writeSettings();
    TFoForm& f = start();
    f.CStyle->trigger();
    EXPECT_TRUE(f.isCStyle());
    EXPECT_EQ(f.document().cell(7, 1), rawToCStyle(texts[6]));
    f.CStyle->trigger();
    EXPECT_FALSE(f.isCStyle());
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        const std::string& raw = texts[static_cast<std::size_t>(row - 1)];
        ASSERT_EQ(f.document().cell(row, 1), raw) << "row " << row;
        ASSERT_EQ(f.document().cell(row, 2), raw) << "row " << row;
    }
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST_F(GridTest, ContextMenuOpensOnlyWhileACellIsEdited) {
    writeGame();
    writeSettings();
    TFoForm& f = start();
    f.PopupMenu1->addAction(QStringLiteral("Red"));
    ASSERT_TRUE(f.selectCell(3, 2));
    const QPoint at = f.cellRect(3, 2).center();
    QContextMenuEvent onGrid(QContextMenuEvent::Mouse, at,
                             f.StringGrid1->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(f.StringGrid1->viewport(), &onGrid);
    EXPECT_FALSE(f.PopupMenu1->isVisible());
    type("a");
    emit f.cellEditor()->customContextMenuRequested(QPoint(2, 2));
    EXPECT_TRUE(f.PopupMenu1->isVisible());
    f.PopupMenu1->hide();
}

TEST_F(GridTest, FreeSpaceHintShowsOverTheGridUntilACellIsSelected) {
    writeGame();
    writeSettings();
    TFoForm& f = start();
    f.setHint(QStringLiteral("120 unused bytes remaining"));
    QStatusTipEvent hover(f.StringGrid1->statusTip());
    QCoreApplication::sendEvent(&f, &hover);
    EXPECT_EQ(f.statusText(), "120 unused bytes remaining");
    ASSERT_TRUE(f.selectCell(1, 2));
    EXPECT_EQ(f.statusText(), "72 105 ");
    type("!");
    EXPECT_EQ(f.statusText(), "72 105 33 ");
}

}  // namespace
}  // namespace tarn
