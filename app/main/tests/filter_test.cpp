// SPDX-License-Identifier: GPL-3.0-or-later
// The filter bar over the real window: rows hidden and shown, F7, F8 and Find among the shown
// rows, a jump to a hidden text; the question of a save while texts have errors; and the
// figures a replace run keeps fresh while its dialog stays open.
#include <QCheckBox>
#include <QComboBox>

#include "app/main/checks_panel.h"
#include "app/main/tests/editor_fixture.h"
#include "exetext/space_budget.h"

namespace tarn {
namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

class FilterTest : public EditorTest {
protected:
    // Every text translated but these: 10 and 30 untranslated, 20 with an error (a value code
    // the original lacks), 40 with a warning (trailing spaces).
    void writeFilterGame() {
        useRepetitiveSample();
        texts[7] = "Bread";
        texts[9] = "Open the zorblax";
        texts[19] = "Close the gate";
        texts[29] = "Open the chest";
        texts[39] = "Close the Zorblax";
        std::vector<std::string> translated = texts;
        for (std::string& text : translated) {
            if (!text.empty()) {
                text += " (de)";
            }
        }
        translated[9] = texts[9];
        translated[19] = "Tor \x7B schliessen";  // \x7B: the value code %N
        translated[29] = texts[29];
        translated[39] = "T\xFCr schliessen  ";
        writeGame(texts, translated);
        writeSettings();
    }

    QComboBox* kindChoice() const { return child<QComboBox>("filterKind"); }
    QLineEdit* filterText() const { return child<QLineEdit>("filterText"); }
    void chooseKind(const char* caption) {
        const int index = kindChoice()->findText(QString::fromLatin1(caption));
        ASSERT_GE(index, 0) << caption;
        kindChoice()->setCurrentIndex(index);
    }
    bool shown(int row) const { return !grid()->isRowHidden(row - 1); }
    std::vector<int> shownRows() const {
        std::vector<int> rows;
        for (int row = 1; row <= StringTableDocument::kRows; ++row) {
            if (shown(row)) {
                rows.push_back(row);
            }
        }
        return rows;
    }
    QString lastMessage() const {
        return prompter.messages().empty() ? QString() : prompter.messages().back().text;
    }
};

TEST_F(FilterTest, KindsAndWordHideRowsAndTheMovesStayAmongTheShownOnes) {
    writeFilterGame();
    start();
    ASSERT_NE(child<QWidget>("filterBar"), nullptr);
    EXPECT_EQ(kindChoice()->count(), 6);
    ASSERT_TRUE(grid()->moveTo(2, Translated));

    chooseKind("Untranslated");
    EXPECT_EQ(shownRows(), (std::vector<int>{2, 10, 30}));  // the current row stays
    chooseKind("With errors");
    EXPECT_EQ(shownRows(), (std::vector<int>{2, 20}));
    // Errors and warnings; "untranslated" has its own kind, and "longer", which nearly every
    // translation has (" (de)" here), is left to the Checks panel.
    chooseKind("With findings");
    EXPECT_EQ(shownRows(), (std::vector<int>{2, 20, 40}));
    chooseKind("Same as original");
    EXPECT_EQ(shownRows(), (std::vector<int>{2, 10, 30}));
    chooseKind("Changed since load");
    EXPECT_EQ(shownRows(), std::vector<int>{2});
    window->setCellText(8, Translated, "Bread");
    ASSERT_TRUE(grid()->moveTo(3, Translated));  // leaving a cell counts the edit
    EXPECT_EQ(shownRows(), (std::vector<int>{3, 8}));

    // The word, in the original or the translation, without case; the numbers stay.
    chooseKind("All");
    filterText()->setText("ZORBLAX");
    EXPECT_EQ(shownRows(), (std::vector<int>{3, 10, 40}));
    EXPECT_EQ(grid()->model()->index(39, 0).data().toString(), "40");
    filterText()->setText(QString::fromUtf8("t\xC3\xBCr"));  // the translation's "Tür"
    EXPECT_EQ(shownRows(), (std::vector<int>{3, 40}));
    filterText()->setText("zorblax");

    // F7: text 30 is untranslated but hidden.
    action("nextUntranslatedAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 10);
    action("nextUntranslatedAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 10);
    EXPECT_EQ(lastMessage(), "No more untranslated texts");

    // F8: errors and warnings only, the hidden text 20 passed over.
    action("nextFindingAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 40);

    // Find: "schliessen" is in the hidden text 20 and in text 40.
    ASSERT_TRUE(grid()->moveTo(3, Translated));
    action("findAction")->trigger();
    auto* find = child<QDialog>("findDialog");
    childByName<QLineEdit>(*find, "searchTextEdit")->setText("schliessen");
    childByName<QPushButton>(*find, "findNextButton")->click();
    EXPECT_EQ(grid()->currentRow(), 40);
    find->hide();

    // All texts again: F8 stops at the error first, never at an untranslated text's info.
    chooseKind("All");
    filterText()->clear();
    EXPECT_EQ(shownRows().size(), static_cast<std::size_t>(StringTableDocument::kRows));
    ASSERT_TRUE(grid()->moveTo(1, Translated));
    action("nextFindingAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 20);

    // Ctrl+Shift+F goes to the word box.
    QAction* focus = action("filterFocusAction");
    EXPECT_EQ(focus->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    window->activateWindow();
    focus->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(filterText()->hasFocus());
}

TEST_F(FilterTest, JumpToAHiddenTextAsksToShowAllTexts) {
    writeFilterGame();
    start();
    ASSERT_TRUE(grid()->moveTo(2, Translated));
    filterText()->setText("zorblax");
    const auto jumpTo = [this](const char* number, MessageAnswer answer) {
        prompter.onDialog([number](QDialog& dialog) {
            childByName<QLineEdit>(dialog, "numberEdit")->setText(number);
            childByName<QPushButton>(dialog, "okButton")->click();
        });
        prompter.answer(answer);
        action("jumpToAction")->trigger();
    };
    jumpTo("41", MessageAnswer::No);
    EXPECT_EQ(lastMessage(), "Text 41 is hidden by the filter. Show all texts?");
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_FALSE(shown(41));

    jumpTo("41", MessageAnswer::Yes);
    EXPECT_EQ(grid()->currentRow(), 41);
    EXPECT_TRUE(filterText()->text().isEmpty());
    EXPECT_EQ(kindChoice()->currentText(), "All");
    EXPECT_TRUE(shown(20));

    // A shown text asks nothing.
    const std::size_t asked = prompter.messages().size();
    prompter.onDialog([](QDialog& dialog) {
        childByName<QLineEdit>(dialog, "numberEdit")->setText("17");
        childByName<QPushButton>(dialog, "okButton")->click();
    });
    action("jumpToAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 17);
    EXPECT_EQ(prompter.messages().size(), asked);
    EXPECT_EQ(prompter.unusedEntries(), 0u);
}

class SaveQuestionTest : public FilterTest {
protected:
    // Answers the save's question with the button of that name.
    void answerSave(const char* button, bool dontAsk = false) {
        prompter.onDialog([button, dontAsk](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), "saveErrorsDialog");
            childByName<QCheckBox>(dialog, "dontAskAgainBox")->setChecked(dontAsk);
            childByName<QPushButton>(dialog, button)->click();
        });
    }
    QString question() const { return child<QLabel>("saveErrorsQuestion")->text(); }
    // How often the save asked about errors.
    std::size_t questionsAsked() const {
        return static_cast<std::size_t>(std::count_if(
            prompter.asked().begin(), prompter.asked().end(),
            [](const auto& a) { return a.isDialog && a.text.endsWith("SaveErrorsDialog"); }));
    }
};

TEST_F(SaveQuestionTest, ErrorsAskBeforeSavingWarningsDoNot) {
    writeFilterGame();
    MainWindow& f = start();
    const std::string onDisk20 = translatedOnDisk()[19];

    // Text 20's error came with the file; a warning only would not ask.
    f.setCellText(41, Translated, "\x7B " + f.document().cell(41, Translated));
    ASSERT_TRUE(grid()->moveTo(2, Translated));

    answerSave("cancelSaveButton");
    f.saveTexts();
    EXPECT_EQ(question(), "2 texts have errors (first: 0020 value-codes). Save anyway?");
    EXPECT_TRUE(f.session().isModified());
    EXPECT_NE(translatedOnDisk()[40], f.document().cell(41, Translated));

    answerSave("showErrorsButton");
    f.saveTexts();
    EXPECT_TRUE(f.session().isModified());
    EXPECT_EQ(kindChoice()->currentText(), "With errors");
    EXPECT_EQ(grid()->currentRow(), 20);
    EXPECT_EQ(shownRows(), (std::vector<int>{20, 41}));

    answerSave("saveAnywayButton");
    f.saveTexts();
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(translatedOnDisk()[40], f.document().cell(41, Translated));
    EXPECT_EQ(translatedOnDisk()[19], onDisk20);
    EXPECT_EQ(settingsText().find("[SaveChecks]"), std::string::npos);
    EXPECT_EQ(prompter.unusedEntries(), 0u);

    // Without errors nothing is asked: one warning is left.
    f.setCellText(20, Translated, "Tor schliessen");
    f.setCellText(41, Translated, "ok");
    ASSERT_TRUE(grid()->moveTo(41, Translated));
    const std::size_t before = questionsAsked();
    f.saveTexts();
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(questionsAsked(), before);
}

TEST_F(SaveQuestionTest, DontAskAgainIsKeptForTheTranslatedFile) {
    writeFilterGame();
    MainWindow& f = start();
    answerSave("saveAnywayButton", true);
    f.saveTexts();
    EXPECT_EQ(question(), "1 text has errors (first: 0020 value-codes). Save anyway?");
    EXPECT_FALSE(f.session().isModified());
    EXPECT_NE(settingsText().find("[SaveChecks]\r\n" + transPath.string() + "=0\r\n"),
              std::string::npos);

    const std::size_t before = questionsAsked();
    f.setCellText(5, Translated, "anders");
    f.saveTexts();
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(questionsAsked(), before);
    // The window's own settings at closing keep the choice.
    EXPECT_TRUE(f.close());
    EXPECT_NE(settingsText().find(transPath.string() + "=0"), std::string::npos);
}

TEST_F(FilterTest, ReplaceStepsAndReplaceAllRefreshTheFiguresWhileTheDialogIsOpen) {
    writeFilterGame();
    MainWindow& f = start();
    action("checksAction")->trigger();
    auto* budget = child<QLabel>("budgetLabel");
    const auto expected = [&f] {
        return QString::fromStdString(
            spaceBudgetStatus(spaceBudget(profileByNumber(f.translatedProfile()).textAreas,
                                          f.document().translatedTexts(), Notation::Raw)));
    };
    auto* panel = child<ChecksPanel>("checksDock");
    const auto valueCodes = [panel] {
        return std::count_if(panel->findings().begin(), panel->findings().end(),
                             [](const TextFinding& t) { return t.finding.check == "value-codes"; });
    };
    f.setCellText(5, Translated, "qq qq");
    ASSERT_TRUE(grid()->moveTo(1, Translated));
    const QString before = budget->text();
    EXPECT_TRUE(budget->toolTip().startsWith("The space a save would leave now\n"));
    ASSERT_EQ(valueCodes(), 1);

    auto replace = [this](const char* name) {
        return child<QWidget>("replaceDialog")->findChild<QWidget*>(name);
    };
    const auto run = [&](const char* find, const char* with, bool prompt) {
        prompter.onDialog([&, find, with, prompt](QDialog&) {
            qobject_cast<QLineEdit*>(replace("toFindEdit"))->setText(find);
            qobject_cast<QLineEdit*>(replace("newTextEdit"))->setText(with);
            qobject_cast<QCheckBox*>(replace("promptBox"))->setChecked(prompt);
            qobject_cast<QPushButton*>(replace("replaceButton"))->click();
        });
    };
    // Prompted, two occurrences in one text: the second question sees the first replacement.
    run("qq", "{", true);  // the value code %N
    QStringList seen;
    long seenValueCodes = 0;
    const auto yes = [&](QDialog& d) { childByName<QPushButton>(d, "yesButton")->click(); };
    prompter.onDialog(yes);  // the first "qq"
    prompter.onDialog([&](QDialog& d) {
        seen << budget->text() << expected();
        seenValueCodes = valueCodes();
        childByName<QPushButton>(d, "abortButton")->click();
    });
    // The dialog again, still open after the run: Replace All with the figures checked after.
    ASSERT_TRUE(grid()->moveTo(1, Translated));
    run("(de)", "(deutsch)", false);
    prompter.answer(MessageAnswer::Ok);  // "All matching strings were replaced"
    prompter.onDialog([&](QDialog&) {
        seen << budget->text() << expected();
        qobject_cast<QPushButton*>(replace("closeButton"))->click();
    });
    action("replaceAction")->trigger();
    ASSERT_EQ(prompter.unusedEntries(), 0u);
    ASSERT_EQ(seen.size(), 4);
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_NE(seen[0], before);
    EXPECT_EQ(seenValueCodes, 2);  // text 5's "{ qq" counts before the next question
    EXPECT_EQ(seen[2], seen[3]);
    EXPECT_NE(seen[0], seen[2]);
}

}  // namespace
}  // namespace tarn
