// SPDX-License-Identifier: GPL-3.0-or-later
// Another program writing the translated executable while the window has it open: the save
// asks before writing over that change, and Reload takes it in without losing the edits it does
// not contradict.
#include <unistd.h>
#include <QSysInfo>
#include <fstream>
#include "app/main/tests/editor_fixture.h"

#include "exetext/recovery_journal.h"
#include "exetext/string_table_commands.h"
#include "exetext/string_table_writer.h"

namespace tarn {
namespace {

class OtherWritersTest : public EditorTest {
protected:
    // Row 2 edited in the window, then rows 3 and 4 rewritten by another program, row 4 also
    // edited in the window.
    void editHereAndElsewhere() {
        writeGame();
        writeSettings();
        start();
        ASSERT_TRUE(grid()->moveTo(2, 2));
        type(" mine");
        pressInEditor(Qt::Key_Return);
        ASSERT_TRUE(grid()->moveTo(4, 2));
        type(" mine");
        pressInEditor(Qt::Key_Return);
        std::vector<std::string> theirs = texts;
        theirs[2] = "Row three, theirs";
        theirs[3] = "Row four, theirs";
        saveStrings(transPath, theirs, {});
        prompter.clear();
    }
    std::vector<std::string> texts2Edited() const {
        std::vector<std::string> expected = texts;
        expected[1] += " mine";
        return expected;
    }
};

TEST_F(OtherWritersTest, SaveAsksAndCancelWritesNothing) {
    editHereAndElsewhere();
    const auto before = translatedOnDisk();
    prompter.answer(MessageAnswer::Cancel);
    action("saveAction")->trigger();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Tarn.exe was changed on disk since it was loaded");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::OverwriteReloadCancel);
    EXPECT_EQ(translatedOnDisk(), before);
    EXPECT_TRUE(window->session().isModified());
}

TEST_F(OtherWritersTest, OverwriteWritesTheWindowsTexts) {
    editHereAndElsewhere();
    prompter.answer(MessageAnswer::Overwrite);
    action("saveAction")->trigger();
    const auto onDisk = translatedOnDisk();
    EXPECT_EQ(onDisk[1], texts[1] + " mine");
    EXPECT_EQ(onDisk[2], texts[2]);  // the other program's change is overwritten, as asked
    EXPECT_FALSE(window->session().isModified());
    // The file now holds the window's texts: the next save asks nothing.
    prompter.clear();
    action("saveAction")->trigger();
    EXPECT_TRUE(prompter.messages().empty() ||
                prompter.messages()[0].buttons != MessageButtons::OverwriteReloadCancel);
}

TEST_F(OtherWritersTest, ReloadKeepsEditsAndListsTextsChangedOnBothSides) {
    editHereAndElsewhere();
    prompter.answer(MessageAnswer::Reload);
    action("saveAction")->trigger();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_TRUE(prompter.messages()[1].text.endsWith("\n\r4"))
        << prompter.messages()[1].text.toStdString();
    const StringTableDocument& document = window->document();
    EXPECT_EQ(document.cell(2, 2), texts[1] + " mine");
    EXPECT_EQ(document.cell(3, 2), "Row three, theirs");
    EXPECT_EQ(document.cell(4, 2), "Row four, theirs");
    EXPECT_TRUE(window->session().isModified());

    // One undo brings back the window's texts from before the reload.
    action("undoAction")->trigger();
    EXPECT_EQ(document.cell(4, 2), texts[3] + " mine");
    EXPECT_EQ(document.cell(3, 2), texts[2]);
    action("redoAction")->trigger();

    // Saved now without a question: the file and the kept edit together.
    prompter.clear();
    action("saveAction")->trigger();
    EXPECT_TRUE(prompter.messages().empty());
    const auto onDisk = translatedOnDisk();
    EXPECT_EQ(onDisk[1], texts[1] + " mine");
    EXPECT_EQ(onDisk[2], "Row three, theirs");
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST_F(OtherWritersTest, TheWindowLocksTheTranslatedFileWhileItIsOpen) {
    writeGame();
    writeSettings();
    start();
    const fs::path lock = transPath.parent_path() / ".Tarn.exe.tarnlock";
    EXPECT_TRUE(fs::exists(lock));
    EXPECT_FALSE(fs::exists(origPath.parent_path() / ".Tarn.exe.tarnlock"));
    window->close();
    window.reset();
    EXPECT_FALSE(fs::exists(lock));
}

TEST_F(OtherWritersTest, ASecondInstanceOpensTheTextsReadOnly) {
#ifdef _WIN32
    GTEST_SKIP() << "the first instance is the parent process, whose id Windows does not give";
#else
    writeGame();
    writeSettings();
    // The parent process (the test runner's caller) stands for the first instance, whose
    // recovery journal lies beside the shared settings.
    std::ofstream(transPath.parent_path() / ".Tarn.exe.tarnlock")
        << "pid=" << ::getppid() << "\nhost=" << QSysInfo::machineHostName().toStdString()
        << "\nprogram=TarnEdit\n";
    const fs::path journal = dir.path() / "tarnedit.recovery";
    writeFileAtomically(
        journal, toBytes(formatJournal(
                     {transPath.string(), "09:15", std::nullopt, {{2, {"theirs", false}}}})));
    const Bytes journalBefore = readWholeFile(journal);
    start();
    ASSERT_EQ(prompter.messages().size(), 1u);  // no recovery offered
    EXPECT_EQ(prompter.messages()[0].text,
              QString("Tarn.exe is open in TarnEdit (process %1 on %2).\n\rIts texts are shown "
                      "read-only.")
                  .arg(::getppid())
                  .arg(QSysInfo::machineHostName()));
    EXPECT_TRUE(grid()->isReadOnly());
    EXPECT_EQ(window->windowTitle(), "TarnEdit (read-only)[*]");
    ASSERT_TRUE(grid()->moveTo(2, 2));
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(grid()->cellEditor(), nullptr);
    for (const char* name :
         {"replaceAction", "copyTextsAction", "importPoAction", "objectLanguageAction",
          "useForOthersAction", "pseudoTranslateAction"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    }

    // Changes asked for anyway (a replace run, a command over many texts) are refused.
    const StringTableDocument& document = window->document();
    window->session().beginChange();
    window->setCellText(3, 2, "replaced");
    window->session().endChange("Replace");
    window->setCellText(2, 2, "changed");
    window->session().push(copyOriginalToTranslated(window->session().stepTarget()));
    EXPECT_EQ(document.cell(2, 2), texts[1]);
    EXPECT_EQ(document.cell(3, 2), texts[2]);
    EXPECT_FALSE(window->session().isModified());
    EXPECT_FALSE(action("saveAction")->isEnabled());
    EXPECT_FALSE(action("undoAction")->isEnabled());
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "The texts are open read-only: nothing was changed.");

    // Saving is refused too; the first instance's journal is never touched.
    const Bytes before = readWholeFile(transPath);
    prompter.clear();
    window->saveTexts();
    EXPECT_EQ(readWholeFile(transPath), before);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages()[0].text.contains("read-only"));
    window->close();
    window.reset();
    EXPECT_EQ(readWholeFile(journal), journalBefore);
    EXPECT_TRUE(fs::exists(transPath.parent_path() / ".Tarn.exe.tarnlock"));  // still theirs
#endif
}

}  // namespace
}  // namespace tarn
