// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/find/replace_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/find/occurrence_overlay.h"
#include "app/find/replace_prompt.h"
#include "app/find/tests/fake_run_cells.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "common/code_page_choice.h"

namespace tarn {
namespace {

using testing::FakeRunCells;

// What the overlay showed while a question was asked.
struct Shown {
    int currentRow;
    int currentColumn;
    QRect geometry;
    QString text;
    QString selected;
    int selectionStart;
    bool visible;
};

class ReplaceFormTest : public ::testing::Test {
protected:
    FakeRunCells grid{6};
    ReplacePrompt question;
    ReplaceDialog form{grid, question};
    ScriptedPrompter prompter;
    std::vector<Shown> shown;

    void setUpRun(const QString& toFind, const QString& newText, bool prompt = true) {
        childByName<QLineEdit>(form, "toFindEdit")->setText(toFind);
        childByName<QLineEdit>(form, "newTextEdit")->setText(newText);
        childByName<QCheckBox>(form, "promptBox")->setChecked(prompt);
    }
    // Answers the next question by clicking one of its buttons (nullptr: the close box).
    void answerWith(const char* button) {
        prompter.onDialog([this, button](QDialog& dialog) {
            EXPECT_EQ(&dialog, &question);
            recordOverlay();
            if (button == nullptr) {
                dialog.close();
            } else {
                childByName<QPushButton>(question, button)->click();
            }
        });
    }
    void recordOverlay() {
        auto* overlay = grid.overlayParent()->findChild<OccurrenceOverlay*>("occurrenceOverlay");
        ASSERT_NE(overlay, nullptr);
        shown.push_back({grid.currentRow(), grid.currentColumn(), overlay->geometry(),
                         overlay->text(), overlay->selectedText(), overlay->selectionStart(),
                         overlay->isVisibleTo(grid.overlayParent())});
    }
};

TEST_F(ReplaceFormTest, InitialStateAndExclusiveWholeOptions) {
    EXPECT_EQ(form.windowTitle(), "Replace");
    EXPECT_TRUE(form.isModal());
    EXPECT_EQ(form.pos(), QPoint(232, 296));
    EXPECT_EQ(childByName<QButtonGroup>(form, "scopeButtons")->checkedId(), 0);
    EXPECT_TRUE(childByName<QCheckBox>(form, "promptBox")->isChecked());
    EXPECT_FALSE(childByName<QPushButton>(form, "replaceButton")->isEnabled());
    childByName<QLineEdit>(form, "toFindEdit")->setText("a");
    EXPECT_TRUE(childByName<QPushButton>(form, "replaceButton")->isEnabled());
    childByName<QCheckBox>(form, "wholeWordsBox")->click();
    childByName<QCheckBox>(form, "wholeTextBox")->click();
    EXPECT_TRUE(childByName<QCheckBox>(form, "wholeTextBox")->isChecked());
    EXPECT_FALSE(childByName<QCheckBox>(form, "wholeWordsBox")->isChecked());
    childByName<QCheckBox>(form, "wholeWordsBox")->click();
    EXPECT_TRUE(childByName<QCheckBox>(form, "wholeWordsBox")->isChecked());
    EXPECT_FALSE(childByName<QCheckBox>(form, "wholeTextBox")->isChecked());
    childByName<QCheckBox>(form, "wholeWordsBox")
        ->click();  // unchecking one leaves the other alone
    EXPECT_FALSE(childByName<QCheckBox>(form, "wholeWordsBox")->isChecked());
    EXPECT_FALSE(childByName<QCheckBox>(form, "wholeTextBox")->isChecked());
    EXPECT_EQ(question.windowTitle(), "Replace");
}

TEST_F(ReplaceFormTest, PromptedRunAnsweredYesNoAndAbort) {
    grid.set(1, 2, "no match");
    grid.set(2, 2, "a cat and a cat");
    grid.set(4, 2, "cat");
    grid.set(5, 2, "cat");
    grid.setCurrent(3, 1);
    grid.openEditorWith("typing", 0, 0);
    setUpRun("CAT", "dog");
    answerWith("yesButton");    // Yes
    answerWith("noButton");     // No
    answerWith("abortButton");  // Abort replace
    form.runReplace();

    EXPECT_EQ(grid.editorClosings, 1);  // the open editor is closed before the run
    EXPECT_EQ(grid.text(2, 2), "a dog and a cat");
    EXPECT_EQ(grid.text(4, 2), "cat");
    EXPECT_EQ(grid.text(5, 2), "cat");
    EXPECT_TRUE(grid.modified);
    EXPECT_EQ(grid.steps, std::vector<std::string>{"Replace"});  // the run is one step
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].currentRow, 2);
    EXPECT_EQ(shown[0].currentColumn, 2);
    EXPECT_EQ(shown[0].geometry, grid.cellRect(2, 2));
    EXPECT_EQ(shown[0].text, "a cat and a cat");
    EXPECT_EQ(shown[0].selected, "cat");
    EXPECT_EQ(shown[0].selectionStart, 2);
    EXPECT_TRUE(shown[0].visible);
    EXPECT_EQ(shown[1].text, "a dog and a cat");  // the second occurrence, after the first
    EXPECT_EQ(shown[1].selectionStart, 12);
    EXPECT_EQ(shown[2].currentRow, 4);
    EXPECT_EQ(shown[2].geometry, grid.cellRect(4, 2));
    // Row first, then column 2.
    EXPECT_EQ(grid.moves,
              (std::vector<std::pair<int, int>>{{2, 1}, {2, 2}, {2, 2}, {2, 2}, {4, 2}, {4, 2}}));
    // What the answers did, told once the run ends.
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "1 replacement in 1 text, 1 skipped");
    EXPECT_EQ(prompter.messages()[0].caption, "Replace");
    EXPECT_FALSE(grid.overlayParent()->findChild<OccurrenceOverlay*>(
        "occurrenceOverlay"));  // the overlay is gone
}

TEST_F(ReplaceFormTest, CloseBoxAbortsAndNothingChanges) {
    grid.set(3, 2, "abc");
    setUpRun("b", "x");
    answerWith(nullptr);
    form.runReplace();
    EXPECT_EQ(grid.text(3, 2), "abc");
    EXPECT_FALSE(grid.modified);
    EXPECT_TRUE(grid.steps.empty());
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(prompter.unusedEntries(), 0u);
}

TEST_F(ReplaceFormTest, NoMovesOnByOneCharacter) {
    grid.set(1, 2, "aaa");
    setUpRun("aa", "b");
    answerWith("noButton");
    answerWith("noButton");
    form.runReplace();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].selectionStart, 0);
    EXPECT_EQ(shown[1].selectionStart, 1);
    EXPECT_EQ(grid.text(1, 2), "aaa");
}

TEST_F(ReplaceFormTest, SilentRunReportsItsOutcome) {
    grid.set(1, 2, "aaaa");
    grid.set(6, 2, "Yes");
    grid.set(6, 1, "aa");  // the original column is never changed
    setUpRun("aa", "a", false);
    form.runReplace();
    EXPECT_EQ(grid.text(1, 2), "aa");
    EXPECT_EQ(grid.text(6, 1), "aa");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "All matching strings were replaced\n\r2 replacements in 1 text");
    EXPECT_EQ(prompter.messages()[0].caption, "Replace");

    prompter.clear();
    setUpRun("zzz", "a", false);
    form.runReplace();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "No matches were found");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(grid.steps, std::vector<std::string>{"Replace All"});  // none for no match

    prompter.clear();
    setUpRun("YES", "Ja", false);
    childByName<QCheckBox>(form, "wholeTextBox")->click();
    form.runReplace();
    EXPECT_EQ(grid.text(6, 2), "Ja");
}

TEST_F(ReplaceFormTest, UpwardsFromRowOneSearchesRowOneOnly) {
    grid.set(1, 2, "x");
    grid.set(2, 2, "x");
    grid.setCurrent(1, 2);
    setUpRun("x", "y", false);
    childByName<QButtonGroup>(form, "scopeButtons")->button(2)->setChecked(true);
    form.runReplace();
    EXPECT_EQ(grid.text(1, 2), "y");
    EXPECT_EQ(grid.text(2, 2), "x");
}

TEST_F(ReplaceFormTest, RefusedMoveStillAsksForTheOccurrenceShown) {
    grid.set(3, 2, "abc");
    grid.checkCell = [] { return false; };
    setUpRun("b", "x");
    answerWith("yesButton");
    form.runReplace();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].currentRow, 1);
    EXPECT_EQ(shown[0].geometry, grid.cellRect(3, 2));
    EXPECT_EQ(grid.text(3, 2), "axc");
}

TEST_F(ReplaceFormTest, ExecuteRunsUntilClosed) {
    grid.set(2, 2, "one");
    prompter.onDialog([this](QDialog&) {
        childByName<QLineEdit>(form, "toFindEdit")->setText("one");
        childByName<QLineEdit>(form, "newTextEdit")->setText("two");
        childByName<QCheckBox>(form, "promptBox")->setChecked(false);
        childByName<QPushButton>(form, "replaceButton")->click();
    });
    prompter.answer(MessageAnswer::Ok);  // "All matching strings were replaced"
    prompter.onDialog([this](QDialog&) {
        EXPECT_TRUE(form.isVisible());  // shown again after the run
        childByName<QPushButton>(form, "closeButton")->click();
    });
    form.execute();
    EXPECT_EQ(grid.text(2, 2), "two");
    EXPECT_EQ(prompter.unusedEntries(), 0u);
    EXPECT_TRUE(prompter.mismatches().empty());
}

TEST_F(ReplaceFormTest, BothBoxesTakeOnlyLettersOfTheCodePageAndReplaceInIt) {
    auto* toFind = childByName<QLineEdit>(form, "toFindEdit");
    auto* newText = childByName<QLineEdit>(form, "newTextEdit");
    for (QLineEdit* box : {toFind, newText}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("\u0142"));
        QApplication::sendEvent(box, &press);
        EXPECT_EQ(box->text(), "");
    }
    EXPECT_EQ(prompter.beeps(), 2);
    const QString refusal = QString::fromStdString(missingCharacterMessage(0x142, CodePage()));
    EXPECT_EQ(grid.refusals, QStringList({refusal, refusal}));

    // In Windows-1250 "ł" is byte 0xB3, and without Match case "Ł" (0xA3) matches it.
    grid.setCodePage(*CodePage::byNumber(1250));
    grid.set(2, 2, "Kr\xF3l \xB3\x61sk");
    setUpRun(QStringLiteral("\u0141ASK"), QStringLiteral("\u017Aród\u0142o"), false);
    EXPECT_EQ(toFind->text(), QStringLiteral("\u0141ASK"));
    form.runReplace();
    EXPECT_EQ(grid.text(2, 2),
              "Kr\xF3l \x9Fr\xF3"
              "d\xB3o");
    EXPECT_EQ(prompter.beeps(), 2);

    // Shown anew in another page: the same bytes, other letters.
    form.recodeTexts([](const QString& text) {
        const EncodeResult bytes = CodePage::byNumber(1250)->fromUtf8(text.toStdString());
        return QString::fromStdString(CodePage().toUtf8(bytes.bytes));
    });
    EXPECT_EQ(toFind->text(), QStringLiteral("\u00A3ASK"));
    EXPECT_EQ(newText->text(), QStringLiteral("\u0178r\u00F3d\u00B3o"));
}

TEST(ReplaceQuestionPlacement, CentredOnceThenLeftWhereItIs) {
    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 600, 400);
    mainWindow.show();
    ReplacePrompt question(&mainWindow);
    question.show();
    const QPoint first = question.pos();
    EXPECT_TRUE(mainWindow.geometry().contains(question.geometry().center()));
    question.hide();
    mainWindow.move(400, 300);
    question.show();
    EXPECT_EQ(question.pos(), first);
    EXPECT_EQ(question.positionToStore(), first);
    question.hide();
}

}  // namespace
}  // namespace tarn
