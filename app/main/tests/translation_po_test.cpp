// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's PO commands: export, then import into the Translated column (nothing
// written until Save), a bad file that changes nothing, and the folder the dialog remembers.
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>

#include "app/main/checks_panel.h"
#include "app/main/tests/editor_fixture.h"
#include "exchange/po_file.h"
#include "exchange/translation_notes.h"
#include "exetext/space_budget.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

class TranslationPoTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        fs::create_directories(poFolder);
        writeGame();
        writeSettings(kLanguage);
    }
    // The translation's language, asked once and stored: the export asks no more.
    static constexpr const char* kLanguage = "[Translation]\r\nLanguage=de\r\n";
    // The file dialog: records the folder it opened in, then takes path.
    void answerFile(const fs::path& path) {
        prompter.onDialog([this, path](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            openedIn = files.directory().absolutePath();
            proposedName = QFileInfo(files.selectedFiles().value(0)).fileName();
            files.selectFile(QString::fromStdString(path.string()));
            d.accept();
        });
    }
    void setTranslations(const std::map<std::string, std::string>& translations) {
        PoReadResult read = readPoFile(po);
        ASSERT_TRUE(read.problems.empty());
        for (PoEntry& e : read.entries) {
            if (const auto it = translations.find(e.context); it != translations.end()) {
                e.translation = it->second;
            }
        }
        writePoFile(po, {{"Content-Type", "text/plain; charset=UTF-8"}}, read.entries);
    }
    std::string translated(int row) const {
        return window->document().cell(row, StringTableDocument::TranslatedColumn);
    }
    bool hasFinding(int text, std::string_view check) const {
        const auto& all = child<ChecksPanel>("checksDock")->findings();
        return std::any_of(all.begin(), all.end(), [&](const TextFinding& f) {
            return f.text == text && f.finding.check == check;
        });
    }

    fs::path poFolder = dir.path() / "po files";
    fs::path po = poFolder / "de.po";
    QString openedIn;
    QString proposedName;  // the file name the dialog started with
};

TEST_F(TranslationPoTest, ExportThenImportFillsTheTranslatedColumn) {
    MainWindow& main = start();
    answerFile(po);
    action("exportPoAction")->trigger();
    const PoReadResult read = readPoFile(po);
    ASSERT_TRUE(read.problems.empty());
    EXPECT_EQ(read.entries.size(), static_cast<std::size_t>(kTextCount));
    EXPECT_EQ(read.entries[0].source, "Hi");

    setTranslations({{"exe/0002", "Hallo\nWelt \\c3!"}, {"exe/0003", "Zwei"}});
    ASSERT_TRUE(hasFinding(3, "untranslated"));
    answerFile(po);
    action("importPoAction")->trigger();
    // The import brings the checks and the status-bar budget up to date at once.
    EXPECT_FALSE(hasFinding(3, "untranslated"));
    EXPECT_EQ(child<QLabel>("budgetLabel")->text().toStdString(),
              spaceBudgetStatus(spaceBudget(profileByNumber(main.translatedProfile()).textAreas,
                                            main.document().translatedTexts(), Notation::Raw)));
    EXPECT_EQ(translated(2),
              rawText({'H', 'a', 'l', 'l', 'o', 5, 'W', 'e', 'l', 't', ' ', 145, '!'}));
    EXPECT_EQ(translated(3), "Zwei");
    EXPECT_EQ(main.cellText(3, StringTableDocument::TranslatedColumn), "Zwei");
    EXPECT_TRUE(main.session().isModified());
    EXPECT_TRUE(action("saveAction")->isEnabled());
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages().back().text,
              "applied 2, unchanged 0, untranslated 3451, fuzzy 0, unknown 0");
    EXPECT_EQ(translatedOnDisk(), texts);  // written by Save only
    // The import is one step of the history.
    EXPECT_EQ(action("undoAction")->text(), "Undo Import translation (PO)");
    action("undoAction")->trigger();
    EXPECT_EQ(main.document().translatedTexts(), texts);
    EXPECT_FALSE(main.session().isModified());
    action("redoAction")->trigger();
    EXPECT_EQ(translated(3), "Zwei");

    // In C-style notation the cells take the same game bytes, shown in that notation.
    action("notationAction")->trigger();
    setTranslations({{"exe/0002", "Tsch\xC3\xBCss\n"}});
    answerFile(po);
    action("importPoAction")->trigger();
    EXPECT_EQ(translated(2), rawText({'T', 's', 'c', 'h', 0xFC, 's', 's', 5}));
    EXPECT_EQ(main.cellText(2, StringTableDocument::TranslatedColumn),
              QString::fromUtf8("Tsch\xC3\xBCss\\n"));
    action("saveAction")->trigger();
    EXPECT_EQ(translatedOnDisk()[1], rawText({'T', 's', 'c', 'h', 0xFC, 's', 's', 5}));
    EXPECT_TRUE(prompter.mismatches().empty());
}

// A text's note and review mark are edited beside the grid as steps of the history, written
// beside the translated executable by Save, shown again when the translation is reopened, and
// exported as translator comments and the fuzzy flag; an import's notes show at once.
TEST_F(TranslationPoTest, NotesAreEditedInTheWindowSavedWithItAndExchangedThroughPo) {
    MainWindow& main = start();
    const auto note = [this] { return child<QPlainTextEdit>("noteEdit"); };
    const auto mark = [this] { return child<QCheckBox>("needsReviewBox"); };
    ASSERT_TRUE(grid()->moveTo(2, StringTableDocument::TranslatedColumn));
    type("!");  // translated: a fuzzy flag is written only beside a translation
    pressInEditor(Qt::Key_Return);
    QTest::keyClicks(note(), "gate or door?");
    mark()->click();
    EXPECT_TRUE(main.session().isModified());
    EXPECT_EQ(action("undoAction")->text(), "Undo Edit note");
    action("undoAction")->trigger();
    EXPECT_FALSE(mark()->isChecked());
    EXPECT_EQ(note()->toPlainText(), "gate or door?");
    action("redoAction")->trigger();
    EXPECT_TRUE(mark()->isChecked());
    // The row's number shows that its text needs review.
    const QModelIndex number = grid()->model()->index(1, 0);
    EXPECT_TRUE(number.data(Qt::DecorationRole).isValid());
    EXPECT_EQ(number.data(Qt::ToolTipRole).toString(), "Needs review");
    EXPECT_FALSE(grid()->model()->index(2, 0).data(Qt::DecorationRole).isValid());
    // Another text has a note of its own.
    ASSERT_TRUE(grid()->moveTo(3, StringTableDocument::TranslatedColumn));
    EXPECT_TRUE(note()->toPlainText().isEmpty());

    const fs::path notesFile = notesPathFor(transPath);
    EXPECT_FALSE(fs::exists(notesFile));  // written by Save only
    action("saveAction")->trigger();
    const TextNote expected{{"gate or door?"}, true};
    EXPECT_EQ(readTranslationNotes(notesFile).texts,
              (std::map<std::string, TextNote>{{"exe/0002", expected}}));
    EXPECT_FALSE(main.session().isModified());

    window.reset();
    start();
    ASSERT_TRUE(grid()->moveTo(2, StringTableDocument::TranslatedColumn));
    EXPECT_EQ(note()->toPlainText(), "gate or door?");
    EXPECT_TRUE(mark()->isChecked());

    // The export writes what the window holds, typed since the last save included.
    ASSERT_TRUE(grid()->moveTo(3, StringTableDocument::TranslatedColumn));
    QTest::keyClicks(note(), "two");
    answerFile(po);
    action("exportPoAction")->trigger();
    PoReadResult read = readPoFile(po);
    ASSERT_TRUE(read.problems.empty());
    EXPECT_EQ(read.entries[1].comments, std::vector<std::string>{"gate or door?"});
    EXPECT_TRUE(read.entries[1].fuzzy);
    EXPECT_EQ(read.entries[2].comments, std::vector<std::string>{"two"});

    // An import's notes show at once, as a step of the history, and reach the file by Save.
    read.entries[2].comments = {"three"};
    writePoFile(po, {{"Content-Type", "text/plain; charset=UTF-8"}}, read.entries);
    answerFile(po);
    action("importPoAction")->trigger();
    EXPECT_EQ(note()->toPlainText(), "three");
    action("undoAction")->trigger();
    EXPECT_EQ(note()->toPlainText(), "two");
    action("redoAction")->trigger();
    action("saveAction")->trigger();
    EXPECT_EQ(readTranslationNotes(notesFile).texts.at("exe/0003").lines,
              std::vector<std::string>{"three"});
}

TEST_F(TranslationPoTest, ABadFileChangesNothingAndTheBoxListsItsProblems) {
    MainWindow& main = start();
    answerFile(po);
    action("exportPoAction")->trigger();
    std::map<std::string, std::string> bad = {{"exe/0001", "Hallo"}, {"exe/0002", "50 %x"}};
    for (int n = 10; n < 40; ++n) {
        bad["exe/00" + std::to_string(n)] = "\xE4\xB8\xAD";  // not in code page 1252
    }
    setTranslations(bad);
    answerFile(po);
    action("importPoAction")->trigger();  // the question answered No
    const ScriptedPrompter::Asked box = prompter.messages().back();
    EXPECT_EQ(box.icon, MessageIcon::Question);
    const QStringList lines = box.text.split('\n');
    ASSERT_EQ(lines.size(), 24);
    EXPECT_EQ(lines[0], "Nothing was imported: the file has 31 problems.");
    EXPECT_EQ(lines[1], "exe/0002: Incorrect % sequence at position 4");
    EXPECT_EQ(
        lines[2],
        "exe/0010: The character '\xE4\xB8\xAD' (U+4E2D) at position 1 is not in code page 1252");
    EXPECT_EQ(lines[21], "... and 11 more");
    EXPECT_EQ(lines[23], "Import the 1 good entry and skip 31?");
    EXPECT_EQ(translated(1), "Hi");
    EXPECT_FALSE(main.session().isModified());
    EXPECT_FALSE(action("saveAction")->isEnabled());

    // Yes takes the good entry, as one step, and lists the skipped ones.
    answerFile(po);
    prompter.answer(MessageAnswer::Yes);
    action("importPoAction")->trigger();
    EXPECT_EQ(translated(1), "Hallo");
    const QStringList report = prompter.messages().back().text.split('\n');
    EXPECT_EQ(report[0].toStdString(), "applied 1, unchanged 0, untranslated 3421, fuzzy 0, unknown 0");
    EXPECT_EQ(report[1], "skipped 31 entries for their problems:");
    EXPECT_EQ(prompter.messages().back().icon, MessageIcon::Information);
    action("undoAction")->trigger();
    EXPECT_FALSE(main.session().isModified());

    writeFileAtomically(po, toBytes("msgctxt \"exe/0001\"\nmsgid \"Hi\"\nmsgstr \"Hallo\" x\n"));
    answerFile(po);
    action("importPoAction")->trigger();
    EXPECT_TRUE(prompter.messages().back().text.startsWith("Nothing was imported"));
    EXPECT_EQ(translated(1), "Hi");
    EXPECT_FALSE(main.session().isModified());
}

// The font's character set 238 chooses code page 1250: PO files carry its letters.
TEST_F(TranslationPoTest, TheWindowsCodePageGivesTheLetters) {
    texts[1] =
        "\xA3\xF3"
        "d\x9F";  // Łódź in code page 1250
    writeGame(sampleTexts(), texts);
    writeSettings(std::string("[Options]\r\nFontCharset=238\r\n") + kLanguage);
    MainWindow& main = start();
    ASSERT_EQ(main.codePage().number(), 1250);
    answerFile(po);
    action("exportPoAction")->trigger();
    const PoReadResult read = readPoFile(po);
    ASSERT_TRUE(read.problems.empty());
    EXPECT_EQ(read.entries[1].translation,
              "\xC5\x81\xC3\xB3"
              "d\xC5\xBA");

    setTranslations({{"exe/0003", "Gda\xC5\x84sk"}, {"exe/0004", "\xD0\x96"}});  // Gdańsk, Ж
    answerFile(po);
    action("importPoAction")->trigger();
    EXPECT_EQ(prompter.messages().back().text.toStdString(),
              "Nothing was imported: the file has 1 problem.\n"
              "exe/0004: The character '\xD0\x96' (U+0416) at position 1 is not in code page 1250"
              "\n\nImport the 3 good entries and skip 1?");  // Łódź, unchanged, is one
    setTranslations({{"exe/0004", ""}});
    answerFile(po);
    action("importPoAction")->trigger();
    EXPECT_EQ(translated(3), "Gda\xF1sk");
    EXPECT_TRUE(main.session().isModified());
}

TEST_F(TranslationPoTest, TheDialogsFolderIsStoredAndUsedNextTime) {
    MainWindow& main = start();
    answerFile(po);
    action("exportPoAction")->trigger();
    ASSERT_TRUE(fs::exists(po));
    main.close();
    const std::string ini = settingsText();
    EXPECT_NE(ini.find("[Folders]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("TranslationPO=" + poFolder.string()), std::string::npos) << ini;
    EXPECT_NE(ini.find("[Paths]\r\nOrigExePath=" + origPath.string()), std::string::npos);

    window.reset();
    start();
    prompter.onDialog([this](QDialog& d) {
        openedIn = static_cast<QFileDialog&>(d).directory().absolutePath();
        d.reject();
    });
    action("importPoAction")->trigger();
    EXPECT_EQ(nativePath(openedIn), fromFilePath(poFolder));  // Qt's QDir answers with '/'
    EXPECT_FALSE(window->session().isModified());
}

TEST_F(TranslationPoTest, TheExportAsksForTheLanguageOnceAndWritesIt) {
    // Proposed from the spelling language (no dictionary needed for that).
    writeSettings("[Spelling]\r\nLanguage=pt-BR\r\n");
    MainWindow& main = start();
    QString proposed;
    prompter.onDialog([&proposed](QDialog& d) {
        auto* code = childByName<QLineEdit>(d, "poLanguageEdit");
        proposed = code->text();
        code->setText(QStringLiteral("de"));
        d.accept();
    });
    answerFile(po);
    action("exportPoAction")->trigger();
    EXPECT_EQ(proposed, "pt_BR");
    EXPECT_EQ(proposedName, QStringLiteral("Tarn-de.po"));  // the executable's name, the language
    const std::string written = toString(readWholeFile(po));
    EXPECT_NE(written.find("\"Language: de\\n\""), std::string::npos);
    // msgfmt takes the window's export without a warning.
    const QString msgfmt = QStandardPaths::findExecutable(QStringLiteral("msgfmt"));
    if (!msgfmt.isEmpty()) {
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(msgfmt, {QStringLiteral("--check"), QStringLiteral("-o"),
                             QStringLiteral("/dev/null"), QString::fromStdString(po.string())});
        ASSERT_TRUE(check.waitForFinished(30000));
        EXPECT_EQ(check.exitCode(), 0);
        EXPECT_EQ(check.readAll(), QByteArray());
    }
    // Asked once: the next export goes straight to the file.
    const std::size_t asked = prompter.asked().size();
    answerFile(poFolder / "again.po");
    action("exportPoAction")->trigger();
    EXPECT_EQ(prompter.asked().size(), asked + 1);
    EXPECT_TRUE(fs::exists(poFolder / "again.po"));
    main.close();
    EXPECT_NE(settingsText().find("[Translation]\r\nLanguage=de\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tarn
