// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's editing rules, the status bar and the notation toggle.
#include <QContextMenuEvent>
#include <QMenu>
#include <QStatusTipEvent>

#include "app/main/tests/editor_fixture.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/display_text.h"
#include "textcodes/cstyle.h"

namespace tarn {
namespace {

using GridTest = EditorTest;

TEST(GridText, ControlBytesShowAsPicturesAndEveryByteMapsBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    for (const int number : CodePage::supportedNumbers()) {
        const CodePage page = *CodePage::byNumber(number);
        const QString shown = gameBytesToDisplay(all, page);
        EXPECT_EQ(shown[5], QChar(0x2405)) << number;
        EXPECT_EQ(displayToGameBytes(shown, page).bytes, all) << number;
    }
    EXPECT_EQ(gameBytesToDisplay(all, CodePage())[0x80], QChar(0x20AC));  // the euro sign
    const CodePage centralEuropean = *CodePage::byNumber(1250);
    EXPECT_EQ(gameBytesToDisplay("\xB3", centralEuropean), QStringLiteral("\u0142"));
    const EncodeResult refused = displayToGameBytes(QStringLiteral("a\u0142b"), CodePage());
    EXPECT_EQ(refused.fault, EncodeFault::MissingCharacter);
    EXPECT_EQ(refused.missing, U'\u0142');
    EXPECT_TRUE(refused.bytes.empty());
    // A character outside the Basic Multilingual Plane is named whole, never as half a pair.
    EXPECT_EQ(displayToGameBytes(QString::fromUcs4(U"x\U0001F600"), CodePage()).missing,
              U'\U0001F600');
}

TEST_F(GridTest, StatusBarShowsTheBytesOfTheCurrentCellAndFollowsTyping) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    ASSERT_TRUE(grid()->moveTo(2, 2));
    ASSERT_TRUE(grid()->moveTo(1, 1));
    EXPECT_EQ(f.statusBar()->currentMessage(), "72 105 ");
    type("!");
    EXPECT_EQ(f.statusBar()->currentMessage(), "72 105 33 ");
    EXPECT_EQ(f.document().cell(1, 1), "Hi!");
    EXPECT_FALSE(f.session().isModified());  // column 1 edits are no changes
    EXPECT_FALSE(action("saveAction")->isEnabled());
    pressInEditor(Qt::Key_Return);
    ASSERT_TRUE(grid()->moveTo(1, 2));
    type("x");
    EXPECT_TRUE(f.session().isModified());
    EXPECT_TRUE(action("saveAction")->isEnabled());
}

TEST_F(GridTest, ColumnThreeAndTheNumberColumnCannotBeEntered) {
    writeGame();
    writeSettings();
    start();
    ASSERT_TRUE(grid()->moveTo(5, 2));
    EXPECT_FALSE(grid()->moveTo(5, 3));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->cellRect(6, 3).center());
    EXPECT_FALSE(grid()->moveTo(6, 0));
    EXPECT_EQ(grid()->currentRow(), 5);
    EXPECT_EQ(grid()->currentColumn(), 2);
}

TEST_F(GridTest, InvalidCStyleCellCannotBeLeftUntilEsc) {
    writeGame();
    writeSettings("[Options]\r\nCStyleStrings=1\r\n");
    MainWindow& f = start();
    ASSERT_TRUE(grid()->moveTo(4, 2));
    const std::string before = f.document().cell(4, 2);
    type(" 50%");
    pressInEditor(Qt::Key_Return);  // refused: the editor stays open
    EXPECT_TRUE(grid()->isEditing());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Error in string");
    EXPECT_EQ(prompter.messages()[0].text,
              "The C-style string you entered has an error:\n\rUnmatched % sign at the end of the "
              "text\n\rYou must fix this error to continue or press ESC to undo your changes");
    EXPECT_FALSE(grid()->moveTo(5, 2));
    // Every command that works beyond the current cell says why it cannot run, and runs not.
    for (const char* name : {"nextUntranslatedAction", "copyTextsAction", "pathsAction",
                             "exportPoAction", "importPoAction", "findAction", "replaceAction",
                             "jumpToAction", "notationAction", "nextFindingAction"}) {
        const std::size_t shown = prompter.messages().size();
        action(name)->trigger();
        ASSERT_EQ(prompter.messages().size(), shown + 1) << name;
        EXPECT_EQ(prompter.messages().back().caption, "Error in string") << name;
    }
    EXPECT_TRUE(action("notationAction")->isChecked());
    EXPECT_EQ(f.document().notation(), Notation::CStyle);
    EXPECT_FALSE(child<QDialog>("findDialog")->isVisible());
    f.saveTexts();
    EXPECT_EQ(prompter.messages().size(), 13u);
    EXPECT_EQ(grid()->currentRow(), 4);
    pressInEditor(Qt::Key_Escape);
    EXPECT_EQ(f.document().cell(4, 2), before);
    EXPECT_TRUE(grid()->moveTo(5, 2));
}

TEST_F(GridTest, LeavingACStyleCellWritesItsCanonicalForm) {
    writeGame();
    writeSettings("[Options]\r\nCStyleStrings=1\r\n");
    MainWindow& f = start();
    ASSERT_TRUE(grid()->moveTo(4, 2));
    f.setCellText(4, 2, "\\x41\\p0000abcd");
    const QModelIndex cell = grid()->model()->index(3, 2);
    EXPECT_EQ(cell.data().toString(), "\\x41\\p0000abcd");  // as typed until the cell is left
    ASSERT_TRUE(grid()->moveTo(5, 2));
    EXPECT_EQ(cell.data().toString(), "A\\p0000ABCD");
    EXPECT_EQ(f.document().cell(4, 2), cStyleToRaw("A\\p0000ABCD").value());
    EXPECT_EQ(f.statusBar()->currentMessage(), "");  // C-style: no byte view
}

TEST_F(GridTest, NotationToggleReportsEachBadCellAndKeepsIt) {
    writeGame();
    writeSettings("[Options]\r\nCStyleStrings=1\r\n");
    MainWindow& f = start();
    f.setCellText(10, 1, "%x");
    f.setCellText(11, 2, "\\ce");
    action("notationAction")->trigger();
    EXPECT_FALSE(action("notationAction")->isChecked());
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Error in string number 10: Incorrect % sequence at position 1");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::None);
    EXPECT_EQ(prompter.messages()[1].text,
              "Error in string number 11: Invalid color specifier for \\c at position 1");
    EXPECT_EQ(f.document().cell(10, 1), "%x");
    EXPECT_EQ(f.document().cell(1, 2), "Hi");
    EXPECT_EQ(f.statusBar()->currentMessage(), "72 105 ");
}

// The notation is how the grid shows the texts: a toggle changes no byte of any of them.
TEST_F(GridTest, TogglingTheNotationChangesNoByte) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    for (const Notation notation : {Notation::CStyle, Notation::Raw}) {
        action("notationAction")->trigger();
        EXPECT_EQ(f.document().notation(), notation);
        const QString shown = grid()->model()->index(6, 1).data().toString();
        EXPECT_EQ(shown, gameBytesToDisplay(
                             notation == Notation::CStyle ? rawToCStyle(texts[6]) : texts[6],
                             f.codePage()));
        for (int row = 1; row <= StringTableDocument::kRows; ++row) {
            const std::string& raw = texts[static_cast<std::size_t>(row - 1)];
            ASSERT_EQ(f.document().cell(row, 1), raw) << "row " << row;
            ASSERT_EQ(f.document().cell(row, 2), raw) << "row " << row;
        }
    }
    EXPECT_FALSE(f.session().isModified());
    EXPECT_FALSE(action("undoAction")->isEnabled());  // no step: nothing changed
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST_F(GridTest, ContextMenuOpensOnlyWhileACellIsEdited) {
    writeGame();
    writeSettings();
    start();
    child<QMenu>("formatCodeMenu")->addAction(QStringLiteral("Red"));
    ASSERT_TRUE(grid()->moveTo(3, 2));
    const QPoint at = grid()->cellRect(3, 2).center();
    QContextMenuEvent onGrid(QContextMenuEvent::Mouse, at, grid()->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(grid()->viewport(), &onGrid);
    EXPECT_FALSE(child<QMenu>("formatCodeMenu")->isVisible());
    type("a");
    emit grid()->cellEditor()->customContextMenuRequested(QPoint(2, 2));
    EXPECT_TRUE(child<QMenu>("formatCodeMenu")->isVisible());
    child<QMenu>("formatCodeMenu")->hide();
}

TEST_F(GridTest, FreeSpaceHintShowsOverTheGridUntilACellIsSelected) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    f.setHint(QStringLiteral("120 unused bytes remaining"));
    QStatusTipEvent hover(grid()->statusTip());
    QCoreApplication::sendEvent(&f, &hover);
    EXPECT_EQ(f.statusBar()->currentMessage(), "120 unused bytes remaining");
    ASSERT_TRUE(grid()->moveTo(1, 2));
    EXPECT_EQ(f.statusBar()->currentMessage(), "72 105 ");
    type("!");
    EXPECT_EQ(f.statusBar()->currentMessage(), "72 105 33 ");
}

}  // namespace
}  // namespace tarn
