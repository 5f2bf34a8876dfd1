// SPDX-License-Identifier: GPL-3.0-or-later
// What helps a translator at the grid: identical texts translated once, the spelling underline
// and its menu, and pastes that are taken whole or refused whole, never cut.
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QPushButton>
#include <QUndoStack>
#include <algorithm>
#include <fstream>

#include "app/main/checks_panel.h"
#include "app/main/tests/editor_fixture.h"
#include "app/main/texts_session.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/paste_guard.h"
#include "app/widgets/spelling_highlighter.h"
#include "spelling/spell_checker.h"
#include "spelling/tests/test_dictionary.h"

namespace tarn {
namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

class TranslatorAidsTest : public EditorTest {
protected:
    // Replaces the current cell's text as the translator types it and ends the edit with Enter.
    void enter(int row, const QString& text) {
        ASSERT_TRUE(grid()->moveTo(row, Translated));
        QTest::keyClick(grid(), Qt::Key_Return);
        ASSERT_NE(grid()->cellEditor(), nullptr);
        grid()->cellEditor()->selectAll();
        QTest::keyClicks(grid()->cellEditor(), text);
        pressInEditor(Qt::Key_Return);
    }
    std::string translated(int row) const { return window->document().cell(row, Translated); }
    QString statusText() const { return window->statusBar()->currentMessage(); }
    SpellingHighlighter* highlighter() const {
        return grid()->cellEditor()->findChild<SpellingHighlighter*>("spellingHighlighter");
    }
};

TEST_F(TranslatorAidsTest, ATranslationFillsTheUntranslatedCopiesOfItsOriginalInOneStep) {
    std::vector<std::string> originals = texts;
    for (std::size_t row = 51; row <= 1251; row += 100) {
        originals[row - 1] = "Yes";  // a dozen more copies of "Yes"
    }
    originals[200] = "YES!";  // text 201: an original much like "Yes"
    std::vector<std::string> given = originals;
    given[150] = "Jawohl";  // text 151, "Yes" translated already
    given[200] = "JA!";
    writeGame(originals, given);
    writeSettings();
    start();
    std::vector<int> copies;
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        if (originals[static_cast<std::size_t>(row - 1)] == "Yes" && row != 51 && row != 151) {
            copies.push_back(row);
        }
    }
    ASSERT_GT(copies.size(), 10u);

    enter(51, QStringLiteral("Ja"));
    EXPECT_EQ(statusText(),
              QStringLiteral("Use for %1 other texts with the same original (Ctrl+Shift+U)")
                  .arg(copies.size()));
    QAction* useForOthers = action("useForOthersAction");
    EXPECT_EQ(useForOthers->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+U")));
    useForOthers->trigger();
    for (const int row : copies) {
        EXPECT_EQ(translated(row), "Ja") << row;
    }
    EXPECT_EQ(translated(151), "Jawohl");  // a translation of its own is kept
    EXPECT_EQ(translated(201), "JA!");

    // One step undoes them all and leaves the text typed.
    window->session().undo();
    for (const int row : copies) {
        EXPECT_EQ(translated(row), "Yes") << row;
    }
    EXPECT_EQ(translated(51), "Ja");

    // An untranslated "Yes" is offered what the same and a similar original were given.
    ASSERT_TRUE(grid()->moveTo(copies.front(), Translated));
    const QString line = child<QLabel>("suggestionLine")->text();
    EXPECT_TRUE(line.contains(QStringLiteral("Ja (text 51)"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("Jawohl (text 151)"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("JA! (text 201, similar original)")))
        << line.toStdString();
}

TEST_F(TranslatorAidsTest, UnknownWordsAreUnderlinedWithSuggestionsAndCanBeLearnt) {
    const fs::path dictionaries = dir.path() / "dictionaries";
    fs::create_directories(dictionaries);
    writeTestDictionary(dictionaries, "de_DE", {"Hello", "world", "door"});
    writeGame();
    writeSettings("[Spelling]\r\nLanguage=de_DE\r\nDictionaryFolder=" + dictionaries.string() +
                  "\r\n");
    start();
    enter(5, QStringLiteral("Helo world Zorp"));
    ASSERT_TRUE(grid()->moveTo(5, Translated));
    QTest::keyClick(grid(), Qt::Key_Return);
    QLineEdit* editor = grid()->cellEditor();
    ASSERT_NE(editor, nullptr);
    QCoreApplication::processEvents();
    ASSERT_EQ(highlighter()->unknownWords().size(), 2u);
    EXPECT_EQ(highlighter()->unknownWords()[0].word, "Helo");
    EXPECT_EQ(highlighter()->unknownWords()[1].start, 11);
    const QImage underlined = editor->grab().toImage();

    // The checks panel lists the text's unknown words.
    const auto& findings = child<ChecksPanel>("checksDock")->findings();
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [](const TextFinding& f) {
        return f.text == 5 && f.finding.check == "spelling" &&
               f.finding.message == "unknown words: Helo, Zorp";
    }));

    // The menu over a word offers the dictionary's suggestions first.
    editor->setCursorPosition(1);
    emit editor->customContextMenuRequested(
        editor->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
    QAction* suggestion = child<QAction>("spellingSuggestion");
    EXPECT_EQ(suggestion->text(), "Hello");
    suggestion->trigger();
    EXPECT_EQ(editor->text(), "Hello world Zorp");
    ASSERT_EQ(highlighter()->unknownWords().size(), 1u);

    // A word added is known from then on, here and in later runs.
    const int zorp = editor->text().indexOf(QStringLiteral("Zorp"));
    editor->setCursorPosition(zorp + 1);
    emit editor->customContextMenuRequested(
        editor->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
    child<QAction>("addToDictionaryAction")->trigger();
    EXPECT_TRUE(highlighter()->unknownWords().empty());
    EXPECT_NE(editor->grab().toImage(), underlined);  // the wavy lines are gone
    std::ifstream words(dir.path() / "tarnedit-words.txt");
    std::string word;
    std::getline(words, word);
    EXPECT_EQ(word, "Zorp");

    // Words are taken between the codes: no escape's letters join or make a word.
    std::vector<std::string> found;
    for (const EditorWord& w :
         editorWords(QStringLiteral("Helo\\c4wrld %N\\nok"), CodePage(), Notation::CStyle)) {
        found.push_back(w.word);
    }
    EXPECT_EQ(found, (std::vector<std::string>{"Helo", "wrld", "ok"}));
}

TEST_F(TranslatorAidsTest, APasteIsTakenWholeOrRefusedWholeNeverCut) {
    writeGame();
    writeSettings();
    start();
    const int limit = textFieldLimit(&profileByNumber(2), Notation::Raw);
    ASSERT_GT(limit, 32767);
    ASSERT_TRUE(grid()->moveTo(5, Translated));
    QTest::keyClick(grid(), Qt::Key_Return);
    QLineEdit* editor = grid()->cellEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_GE(editor->maxLength(), limit);

    const auto paste = [&](int length) {
        QApplication::clipboard()->setText(QString(length, QChar('a')));
        editor->selectAll();
        QTest::keySequence(editor, QKeySequence::Paste);
    };
    const std::string before = translated(5);
    for (const int length : {100000, limit + 1}) {
        const std::size_t asked = prompter.messages().size();
        paste(length);
        if (length <= limit) {
            EXPECT_EQ(editor->text().size(), length);
            EXPECT_EQ(translated(5).size(), static_cast<std::size_t>(length));
            editor->setText(QString::fromStdString(before));
        } else {
            ASSERT_EQ(prompter.messages().size(), asked + 1);
            EXPECT_EQ(prompter.messages().back().text,
                      QStringLiteral("The text would be %1 characters long, and a text can hold "
                                     "at most %2. Nothing was pasted.")
                          .arg(length)
                          .arg(limit));
            EXPECT_EQ(translated(5), before);
        }
    }
    paste(limit);  // the longest paste is taken whole
    EXPECT_EQ(editor->text().size(), limit);
}

// "Add dictionary..." copies the pair of the chosen file into the user's own folder, where it is
// found at once and by later runs; a dictionary of that language there is replaced only on yes.
TEST_F(TranslatorAidsTest, AnAddedDictionaryIsCopiedIntoTheUsersFolder) {
    const fs::path downloads = dir.path() / "downloads";
    fs::create_directories(downloads);
    writeTestDictionary(downloads, "pl_PL", {"kot"});
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir.path() / "data").string()));
    writeGame();
    start();
    // The user's folder as this system names it (under %APPDATA% on Windows), left as found.
    const fs::path added = userDictionaryFolder().value() / "pl_PL.dic";
    fs::remove(added);
    fs::remove(userDictionaryFolder().value() / "pl_PL.aff");
    for (const bool again : {false, true}) {
        QString chosen;
        prompter.onDialog([&](QDialog& d) {
            childByName<QPushButton>(d, "addDictionaryButton")->click();
            chosen = childByName<QComboBox>(d, "spellingLanguageBox")->currentData().toString();
            d.accept();
        });
        prompter.onDialog([&](QDialog& files) {
            static_cast<QFileDialog&>(files).selectFile(fromFilePath(downloads / "pl_PL.dic"));
            files.accept();
        });
        if (again) {
            writeFileAtomically(added, toBytes("1\nzmieniony\n"));
            prompter.answer(MessageAnswer::No);
        }
        action("spellingLanguageAction")->trigger();
        EXPECT_EQ(chosen, QStringLiteral("pl_PL"));
    }
    // Asked once, the second time (the other message is the first run's welcome).
    const auto asked = prompter.messages();
    EXPECT_EQ(std::count_if(asked.begin(), asked.end(),
                            [](const ScriptedPrompter::Asked& a) {
                                return a.text.startsWith(
                                    QStringLiteral("Replace the dictionary pl_PL in "));
                            }),
              1);
    EXPECT_EQ(readWholeFile(added), toBytes("1\nzmieniony\n"));  // kept: the answer was no
    fs::remove(added);
    fs::remove(userDictionaryFolder().value() / "pl_PL.aff");
    qputenv("XDG_DATA_HOME", dataHome);
}

}  // namespace
}  // namespace tarn
