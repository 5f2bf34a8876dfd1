// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard's path through the main window: Jump to, Find, F7, F8 and the filter's word end
// with the keyboard in the grid on the row's translation; F7 and F8 start again from the top
// when the translator agrees; Esc leaves the menu bar; Copy strings' question answers No to
// Enter, and every item of the Other menu has a letter of its own.
#include <QComboBox>
#include <QMenuBar>
#include <set>

#include "app/main/tests/editor_fixture.h"

namespace tarn {
namespace {

constexpr int Original = StringTableDocument::OriginalColumn;
constexpr int Translated = StringTableDocument::TranslatedColumn;

class KeyboardPathTest : public EditorTest {
protected:
    // Every text translated but 10 and 30; text 20's translation holds the value code %N.
    void writeKeyboardGame() {
        useRepetitiveSample();
        texts[9] = "Open the zorblax";
        texts[29] = "Open the chest";
        std::vector<std::string> translated = texts;
        for (std::string& text : translated) {
            if (!text.empty()) {
                text += " (de)";
            }
        }
        translated[9] = texts[9];
        translated[19] = "Tor \x7B schliessen";
        translated[29] = texts[29];
        writeGame(texts, translated);
        writeSettings();
    }
    MainWindow& startFocused() {
        MainWindow& f = start();
        f.activateWindow();
        grid()->setFocus();
        QApplication::processEvents();
        return f;
    }
    QLineEdit* filterText() const { return child<QLineEdit>("filterText"); }
    // The grid has the keyboard on this row's translation.
    void expectWorkingOn(int row) const {
        EXPECT_EQ(grid()->currentRow(), row);
        EXPECT_EQ(grid()->currentColumn(), Translated);
        EXPECT_TRUE(grid()->hasFocus())
            << (QApplication::focusWidget() != nullptr
                    ? QApplication::focusWidget()->objectName().toStdString()
                    : std::string("no focus"));
    }
    void jumpTo(const char* number) {
        prompter.onDialog([number](QDialog& dialog) {
            childByName<QLineEdit>(dialog, "numberEdit")->setText(number);
            childByName<QPushButton>(dialog, "okButton")->click();
        });
        action("jumpToAction")->trigger();
    }
    QString lastMessage() const {
        return prompter.messages().empty() ? QString() : prompter.messages().back().text;
    }
};

TEST_F(KeyboardPathTest, JumpFindAndTheFilterLeaveTheKeyboardOnTheTranslation) {
    writeKeyboardGame();
    startFocused();

    // Jump to: typing goes into the translation, not the original.
    filterText()->setFocus();
    jumpTo("17");
    expectWorkingOn(17);
    QTest::keyClick(grid(), Qt::Key_Return);
    ASSERT_NE(grid()->cellEditor(), nullptr);
    QTest::keyClick(grid()->cellEditor(), Qt::Key_Escape);

    // Find: the grid takes the keyboard from the find window; Find next goes on from the cell
    // found, so the original's match is not found again and the translation's is not passed.
    ASSERT_TRUE(grid()->moveTo(5, Translated));
    action("findAction")->trigger();
    auto* find = child<QDialog>("findDialog");
    childByName<QLineEdit>(*find, "searchTextEdit")->setText("zorblax");
    childByName<QPushButton>(*find, "findNextButton")->click();
    expectWorkingOn(10);  // found in the original
    childByName<QPushButton>(*find, "findNextButton")->click();
    expectWorkingOn(10);  // and in the translation
    childByName<QPushButton>(*find, "findNextButton")->click();
    EXPECT_EQ(lastMessage(), "zorblax");  // "Text not found"
    find->hide();

    // The filter's word chosen with Enter, Down or Esc: the shown text's translation.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Escape}) {
        ASSERT_TRUE(grid()->moveTo(3, Original));
        action("filterFocusAction")->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(filterText()->hasFocus());
        filterText()->setText("chest");
        QTest::keyClick(filterText(), key);
        expectWorkingOn(30);
        EXPECT_TRUE(grid()->isRowHidden(2));  // the row left goes
        filterText()->clear();
    }
}

TEST_F(KeyboardPathTest, TheFilterFindsCodesAsTheGridWritesThemAndShowsThatItFilters) {
    writeKeyboardGame();
    startFocused();
    auto* state = child<QLabel>("filterState");
    EXPECT_TRUE(state->text().isEmpty());

    action("notationAction")->trigger();  // C-style: the code shows as %N
    ASSERT_TRUE(grid()->moveTo(20, Translated));
    filterText()->setText("tor %n schl");
    std::vector<int> shown;
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        if (!grid()->isRowHidden(row - 1)) {
            shown.push_back(row);
        }
    }
    EXPECT_EQ(shown, std::vector<int>{20});
    EXPECT_EQ(state->text(), "1 of 3453 texts shown");
    EXPECT_TRUE(filterText()->property("filtering").toBool());

    // In raw notation the grid shows the code's byte, and only that finds the text.
    action("notationAction")->trigger();
    filterText()->setText("Tor %N schl");
    EXPECT_EQ(state->text(), "0 of 3453 texts shown");  // the current row alone stays
    filterText()->setText("Tor { schl");
    EXPECT_EQ(state->text(), "1 of 3453 texts shown");

    filterText()->clear();
    EXPECT_TRUE(state->text().isEmpty());
    EXPECT_FALSE(filterText()->property("filtering").toBool());
}

TEST_F(KeyboardPathTest, F7AndF8AskToStartFromTheFirstTextAndSayWhenNothingIsLeft) {
    writeKeyboardGame();
    MainWindow& f = startFocused();
    ASSERT_EQ(action("nextUntranslatedAction")->shortcut(), QKeySequence(Qt::Key_F7));

    // F7 below the last untranslated text: asked, No stays, Yes goes to the first one.
    ASSERT_TRUE(grid()->moveTo(31, Original));
    prompter.answer(MessageAnswer::No);
    action("nextUntranslatedAction")->trigger();
    EXPECT_EQ(lastMessage(), "Start from the first text?");
    EXPECT_EQ(prompter.messages().back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(grid()->currentRow(), 31);
    filterText()->setFocus();
    prompter.answer(MessageAnswer::Yes);
    action("nextUntranslatedAction")->trigger();
    expectWorkingOn(10);
    action("nextUntranslatedAction")->trigger();
    expectWorkingOn(30);

    // With the only untranslated text the current one, nothing is left anywhere else.
    f.setCellText(10, Translated, "Offne den Zorblax");
    ASSERT_TRUE(grid()->moveTo(31, Translated));
    ASSERT_TRUE(grid()->moveTo(30, Translated));
    prompter.clear();
    action("nextUntranslatedAction")->trigger();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(lastMessage(), "No more untranslated texts");
    EXPECT_EQ(prompter.messages().back().caption, "Information");

    // F8 alike: text 20's value code is an error.
    ASSERT_TRUE(grid()->moveTo(40, Original));
    prompter.answer(MessageAnswer::Yes);
    action("nextFindingAction")->trigger();
    EXPECT_EQ(lastMessage(), "Start from the first text?");
    expectWorkingOn(20);
    prompter.clear();
    action("nextFindingAction")->trigger();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(lastMessage(), "No more findings");
    EXPECT_EQ(prompter.unusedEntries(), 0u);
}

TEST_F(KeyboardPathTest, EscClosesAMenuAndLeavesTheMenuBar) {
    writeKeyboardGame();
    startFocused();
    QMenuBar* bar = window->menuBar();
    QMenu* edit = nullptr;
    for (QAction* item : bar->actions()) {
        if (item->text() == "&Edit") {
            edit = item->menu();
        }
    }
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(grid(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(edit->isVisible());
    QTest::keyClick(edit, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_FALSE(bar->hasFocus());
    EXPECT_TRUE(grid()->hasFocus());
    // A letter typed next opens no menu.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S);
    QApplication::processEvents();
    for (QAction* item : bar->actions()) {
        EXPECT_FALSE(item->menu() != nullptr && item->menu()->isVisible())
            << item->text().toStdString();
    }
}

TEST_F(KeyboardPathTest, CopyStringsAsksWithNoAsDefaultAndEveryOtherItemHasALetter) {
    writeKeyboardGame();
    startFocused();
    action("copyTextsAction")->trigger();  // unscripted: answered No
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Confirmation");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_FALSE(window->session().isModified());

    QMenu* other = nullptr;
    for (QAction* item : window->menuBar()->actions()) {
        if (item->text() == "&Other") {
            other = item->menu();
        }
    }
    ASSERT_NE(other, nullptr);
    std::set<int> letters;
    int items = 0;
    for (QAction* item : other->actions()) {
        if (item->isSeparator()) {
            continue;
        }
        ++items;
        const QKeySequence letter = QKeySequence::mnemonic(item->text());
        ASSERT_FALSE(letter.isEmpty()) << item->text().toStdString();
        letters.insert(letter[0].toCombined());
    }
    EXPECT_EQ(letters.size(), static_cast<std::size_t>(items));      // none shared
    EXPECT_EQ(other->actions().front(), action("copyTextsAction"));  // the order stays
}

}  // namespace
}  // namespace tarn
