// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's smaller parts: the offer to use a translation for other texts follows the
// current row, Replace starts from Find's text and tells what it did, refusals are read whole
// and go after the next success, and the Edit menu names both of Redo's keys.
#include <QCheckBox>
#include <QMenu>
#include <QToolButton>

#include "app/main/tests/editor_fixture.h"
#include "app/main/texts_session.h"
#include "exetext/string_table_commands.h"

namespace tarn {
namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

class WindowDetailsTest : public EditorTest {
protected:
    QString statusText() const { return window->statusBar()->currentMessage(); }
    // Ends an edit of the row's translation with Enter.
    void enter(int row, const QString& text) {
        ASSERT_TRUE(grid()->moveTo(row, Translated));
        QTest::keyClick(grid(), Qt::Key_Return);
        ASSERT_NE(grid()->cellEditor(), nullptr);
        grid()->cellEditor()->selectAll();
        QTest::keyClicks(grid()->cellEditor(), text);
        pressInEditor(Qt::Key_Return);
    }
};

TEST_F(WindowDetailsTest, TheOfferForOtherTextsFollowsTheCurrentRow) {
    std::vector<std::string> originals = texts;
    for (const std::size_t row : {51, 151, 251, 351}) {
        originals[row - 1] = "Maybe";
    }
    writeGame(originals, originals);
    writeSettings();
    start();
    action("notationAction")->trigger();  // C-style: no codes take the status line's place
    enter(51, QStringLiteral("Vielleicht"));
    EXPECT_EQ(statusText(), "Use for 3 other texts with the same original (Ctrl+Shift+U)");

    // One copy translated another way: counted again.
    auto step = std::make_unique<SetTextsCommand>(window->session().stepTarget(), "Set");
    step->add(151, Translated, {"Kann sein", false});
    window->session().push(std::move(step));
    EXPECT_EQ(statusText(), "Use for 2 other texts with the same original (Ctrl+Shift+U)");

    // A row without copies to fill: gone.
    ASSERT_TRUE(grid()->moveTo(2, Translated));
    EXPECT_FALSE(statusText().startsWith("Use for")) << statusText().toStdString();
}

TEST_F(WindowDetailsTest, ReplaceStartsFromFindsTextAndTellsItsCounts) {
    std::vector<std::string> translated = texts;
    translated[4] = "cat and cat";
    translated[6] = "a cat";
    writeGame(texts, translated);
    writeSettings();
    start();
    action("findAction")->trigger();
    auto* find = child<QDialog>("findDialog");
    childByName<QLineEdit>(*find, "searchTextEdit")->setText("cat");
    find->hide();

    QString startedWith;
    prompter.onDialog([&startedWith](QDialog& dialog) {
        startedWith = childByName<QLineEdit>(dialog, "toFindEdit")->text();
        childByName<QLineEdit>(dialog, "newTextEdit")->setText("dog");
        childByName<QCheckBox>(dialog, "promptBox")->setChecked(false);
        childByName<QPushButton>(dialog, "replaceButton")->click();
    });
    prompter.answer(MessageAnswer::Ok);
    prompter.onDialog([](QDialog& dialog) { dialog.reject(); });
    action("replaceAction")->trigger();
    EXPECT_EQ(startedWith, "cat");
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages().back().text,
              "All matching strings were replaced\n\r3 replacements in 2 texts");
    EXPECT_EQ(window->document().cell(5, Translated), "dog and dog");
}

TEST_F(WindowDetailsTest, ARefusalIsReadWholeAndGoesAfterTheNextSuccess) {
    writeGame();
    writeSettings();
    start();
    action("notationAction")->trigger();  // C-style: typing leaves the status line alone
    openEditorAt(2, Translated);
    typeCharacter(grid()->cellEditor(), QStringLiteral("\u0416"));  // Ж: not in Windows-1252
    const QString refusal = statusText();
    ASSERT_FALSE(refusal.isEmpty());
    EXPECT_EQ(window->statusBar()->toolTip(), refusal);
    auto* logButton = child<QToolButton>("messageLogButton");
    ASSERT_NE(logButton->menu(), nullptr);
    ASSERT_FALSE(logButton->menu()->actions().isEmpty());
    EXPECT_EQ(logButton->menu()->actions().front()->text(), refusal);

    QTest::keyClicks(grid()->cellEditor(), "x");  // typing that is taken
    EXPECT_NE(statusText(), refusal);
    EXPECT_EQ(logButton->menu()->actions().front()->text(), refusal);  // still in the log
}

TEST_F(WindowDetailsTest, TheEditMenuNamesBothRedoKeys) {
    writeGame();
    writeSettings();
    start();
    const QString redo = action("redoAction")->text();
    EXPECT_TRUE(redo.endsWith(
        QChar('\t') + QKeySequence::listToString({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                                                 QKeySequence::NativeText)))
        << redo.toStdString();
    enter(2, QStringLiteral("Zwei"));
    window->session().undo();
    EXPECT_TRUE(action("redoAction")->text().startsWith("Redo ")) << redo.toStdString();
    EXPECT_TRUE(action("redoAction")->text().contains('\t'));
}

}  // namespace
}  // namespace tarn
