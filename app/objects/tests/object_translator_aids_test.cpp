// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's aids for the translator: spelling, the groups lacking the
// translation's language and adding it to all of them, the save's confirmation, the groups'
// notes, and the grid's header.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

#include "app/objects/object_texts_session.h"
#include "app/objects/tests/object_window_fixture.h"
#include "app/widgets/spelling_highlighter.h"
#include "common/tests/temp_dir.h"
#include "exchange/translation_notes.h"
#include "objfiles/object_folder.h"
#include "spelling/spell_checker.h"
#include "spelling/tests/test_dictionary.h"

namespace tarn {
namespace {

class ObjectTranslatorAids : public ObjectWindowTest {
protected:
    const ObjectTextGroup& group(int file, int g) const {
        return window.document().group(static_cast<std::size_t>(file), static_cast<std::size_t>(g));
    }
    QCheckBox* lackingFilter() const {
        return childByName<QCheckBox>(window, "lackingLanguageCheck");
    }
    bool hidden(const TreeNode& node) const {
        return tree()->isRowHidden(node.index().row(), node.index().parent());
    }
    // Answers the next ID prompt with id, noting what it proposed.
    void answerId(const QString& id, QString* proposed = nullptr) {
        prompter.onDialog([id, proposed](QDialog& dialog) {
            auto* edit = childByName<QLineEdit>(dialog, "idEdit");
            if (proposed != nullptr) {
                *proposed = edit->text();
            }
            edit->setText(id);
            childByName<QPushButton>(dialog, "okButton")->click();
        });
    }
};

TEST_F(ObjectTranslatorAids, SpellingUnderlinesTheEditorAndJoinsTheChecks) {
    game.add("a.dat", 0, 0,
             {{{0, "Sword"}, {20, "Miecz ostry"}},
              {{0, "Shield"}, {20, "Tarcza"}},
              {{0, "Axe"}, {20, "Axe"}}});  // still the original's text: not checked
    TempDir words;
    writeTestDictionary(words.path(), "pl_PL", {"Miecz", "Tarcza"});
    const std::unique_ptr<SpellChecker> checker = SpellChecker::open("pl_PL", {words.path()});
    window.setSpellChecker([&checker] { return checker.get(); });
    open();
    root().child(0).child(0).makeCurrent();

    grid()->setCurrentCell(1, 1);
    grid()->editCurrentCell();
    QLineEdit* editor = grid()->cellEditor();
    ASSERT_NE(editor, nullptr);
    auto* highlighter = editor->findChild<SpellingHighlighter*>();
    ASSERT_NE(highlighter, nullptr);
    QApplication::processEvents();
    ASSERT_EQ(highlighter->unknownWords().size(), 1u);
    EXPECT_EQ(highlighter->unknownWords()[0].word, "ostry");
    editor->setText("Miecz");
    EXPECT_TRUE(highlighter->unknownWords().empty());
    editor->setText("Miecz ostry");
    checker->addWord("ostry");
    window.spellingWordsChanged();
    EXPECT_TRUE(highlighter->unknownWords().empty());
    QTest::keyClick(editor, Qt::Key_Escape);

    // The checks between 0 and 20 find the unknown words, worded as the main window's.
    prompter.onDialog([](QDialog& dialog) {
        childByName<QLineEdit>(dialog, "sourceIdEdit")->setText("0");
        childByName<QLineEdit>(dialog, "targetIdEdit")->setText("20");
        childByName<QPushButton>(dialog, "okButton")->click();
    });
    childByName<QPushButton>(window, "checksButton")->click();
    window.session().editCell(2, 1, {"Tarcza wielka", false});
    ASSERT_TRUE(processEventsUntil([&] { return window.statusText().contains("spelling"); }));
    root().child(0).child(1).makeCurrent();
    QApplication::processEvents();
    EXPECT_EQ(window.statusText().toStdString(), "Checks (20 against 0): no findings");
    root().child(0).child(0).makeCurrent();
    QApplication::processEvents();
    EXPECT_EQ(window.statusText().toStdString(),
              "Checks (20 against 0): info spelling: unknown word: wielka");
    root().child(0).child(2).makeCurrent();
    QApplication::processEvents();
    EXPECT_EQ(window.statusText().toStdString(),
              "Checks (20 against 0): info untranslated: the text is the same as the original");
}

TEST_F(ObjectTranslatorAids, TheFilterLeavesTheGroupsLackingTheLanguageAndStepsThroughThem) {
    game.add("a.dat", 0, 0, {{{0, "Sword"}, {20, "Miecz"}}, {{0, "Shield"}}, {{0, "Axe"}}});
    game.add("b.dat", 2, 0, {{{0, "Bow"}, {20, "Luk"}}});
    window.setPrimaryLanguageId(20);
    open();
    EXPECT_EQ(lackingFilter()->text(), "Only groups lacking language ID 20");
    lackingFilter()->setChecked(true);
    const TreeNode a = root().child(0);
    EXPECT_TRUE(hidden(a.child(0)));
    EXPECT_FALSE(hidden(a.child(1)));
    EXPECT_FALSE(hidden(a.child(2)));
    EXPECT_TRUE(hidden(root().child(1)));

    window.goToNextGroup();
    EXPECT_TRUE(a.child(1).isCurrent());
    // A group given the language stays while it is shown and goes once another is chosen.
    answerId("20");
    window.addLanguageId();
    QApplication::processEvents();
    EXPECT_FALSE(hidden(a.child(1)));
    window.goToNextGroup();
    QApplication::processEvents();
    EXPECT_TRUE(a.child(2).isCurrent());
    EXPECT_TRUE(hidden(a.child(1)));
    window.goToNextGroup();
    EXPECT_EQ(prompter.beeps(), 1);
    window.goToPreviousGroup();
    EXPECT_EQ(prompter.beeps(), 2);

    lackingFilter()->setChecked(false);
    EXPECT_FALSE(hidden(a.child(0)));
    EXPECT_FALSE(hidden(root().child(1)));
}

TEST_F(ObjectTranslatorAids, AddingTheLanguageEverywhereIsOneStepAndTheAddPromptsProposeIt) {
    game.add("a.dat", 0, 0, {{{0, "Sword"}, {20, "Miecz"}}, {{0, "Shield"}}});
    game.add("b.dat", 2, 3, {{{0, "Bow"}}});
    window.setPrimaryLanguageId(20);
    open();
    const int steps = window.session().stack().count();
    QString proposed;
    answerId("20", &proposed);
    childByName<QPushButton>(window, "addLanguageEverywhereButton")->click();
    EXPECT_EQ(proposed, "20");
    EXPECT_EQ(group(0, 0), (ObjectTextGroup{{0, "Sword"}, {20, "Miecz"}}));
    EXPECT_EQ(group(0, 1), (ObjectTextGroup{{0, "Shield"}, {20, ""}}));
    EXPECT_EQ(group(1, 0), (ObjectTextGroup{{0, "Bow"}, {20, ""}}));
    EXPECT_EQ(window.statusText().toStdString(), "Language ID 20 added to 2 text groups");
    EXPECT_EQ(window.session().stack().count(), steps + 1);
    EXPECT_TRUE(window.document().isModified(0));
    EXPECT_TRUE(window.document().isModified(1));

    answerId("20");
    childByName<QPushButton>(window, "addLanguageEverywhereButton")->click();
    EXPECT_EQ(window.statusText().toStdString(), "Every text group holds language ID 20");
    EXPECT_EQ(window.session().stack().count(), steps + 1);

    window.undo();
    EXPECT_EQ(group(0, 1), (ObjectTextGroup{{0, "Shield"}}));
    EXPECT_EQ(group(1, 0), (ObjectTextGroup{{0, "Bow"}}));
    EXPECT_FALSE(window.document().anyModified());

    // Alt+Insert's prompt proposes the same ID.
    root().child(0).child(1).makeCurrent();
    proposed.clear();
    answerId("20", &proposed);
    window.addLanguageId();
    EXPECT_EQ(proposed, "20");
    EXPECT_EQ(group(0, 1), (ObjectTextGroup{{0, "Shield"}, {20, ""}}));
    EXPECT_TRUE(prompter.mismatches().empty());
}

TEST_F(ObjectTranslatorAids, ASaveNamesTheFilesItWrote) {
    game.add("a.dat", 0, 0, {{{0, "Sword"}}});
    game.add("b.dat", 1, 0, {{{0, "Bow"}}});
    game.add("c.dat", 1, 0, {{{0, "Axe"}}});
    open();
    window.document().setText(0, 0, 0, "Miecz");
    window.document().setText(2, 0, 0, "Topor");
    const std::size_t before = prompter.messages().size();
    window.saveModified();
    ASSERT_EQ(prompter.messages().size(), before + 1);
    const ScriptedPrompter::Asked told = prompter.messages().back();
    const QString folder = QString::fromStdString(findObjDataFolder(game.exePath())->string());
    EXPECT_EQ(
        told.text.toStdString(),
        ("Saved in " + folder + ":\n" + QString::fromStdString(window.document().file(0).fileName) +
         "\n" + QString::fromStdString(window.document().file(2).fileName))
            .toStdString());
    EXPECT_EQ(told.icon, MessageIcon::Information);
    EXPECT_EQ(window.statusText().toStdString(), "2 files updated successfully");
}

// A group's note and review mark are edited under its grid, keep the window modified, are
// written beside the object folder by Save and shown again when the folder is loaded anew.
TEST_F(ObjectTranslatorAids, AGroupsNoteIsSavedBesideTheFolderAndShownAgain) {
    game.add("a.dat", 0, 0, {{{0, "Troll"}}, {{0, "Door"}}});
    open();
    const auto note = [this] { return childByName<QPlainTextEdit>(window, "noteEdit"); };
    const auto mark = [this] { return childByName<QCheckBox>(window, "needsReviewBox"); };
    root().child(0).child(0).makeCurrent();
    QTest::keyClicks(note(), "troll or ogre?");
    mark()->click();
    EXPECT_TRUE(window.isWindowModified());
    root().child(0).child(1).makeCurrent();
    EXPECT_TRUE(note()->toPlainText().isEmpty());
    EXPECT_FALSE(mark()->isChecked());

    window.saveModified();
    EXPECT_FALSE(window.isWindowModified());
    const std::string key = "obj/" + window.document().file(0).fileName + "/1";
    EXPECT_EQ(readTranslationNotes(notesPathFor(*findObjDataFolder(game.exePath()))).texts,
              (std::map<std::string, TextNote>{{key, TextNote{{"troll or ogre?"}, true}}}));

    window.hide();
    open();
    root().child(0).child(0).makeCurrent();
    EXPECT_EQ(note()->toPlainText(), "troll or ogre?");
    EXPECT_TRUE(mark()->isChecked());
}

TEST_F(ObjectTranslatorAids, TheIdColumnShowsItsHeaderWhole) {
    game.add("a.dat", 0, 0, {{{0, "Sword"}}});
    open();
    root().child(0).child(0).makeCurrent();
    const QHeaderView* header = gridView()->horizontalHeader();
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    EXPECT_GE(header->sectionSize(0),
              header->fontMetrics().horizontalAdvance(QStringLiteral("Language ID")) + margins);
}

}  // namespace
}  // namespace tarn
