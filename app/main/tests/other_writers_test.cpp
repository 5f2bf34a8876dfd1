// Another program writing the translated executable while the window has it open: the save
// asks before writing over that change, and Reload takes it in without losing the edits it does
// not contradict.
#include <unistd.h>
#include <QSysInfo>
#include <fstream>
#include "app/main/tests/editor_fixture.h"

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
    EXPECT_TRUE(window->document().modified());
}

TEST_F(OtherWritersTest, OverwriteWritesTheWindowsTexts) {
    editHereAndElsewhere();
    prompter.answer(MessageAnswer::Overwrite);
    action("saveAction")->trigger();
    const auto onDisk = translatedOnDisk();
    EXPECT_EQ(onDisk[1], texts[1] + " mine");
    EXPECT_EQ(onDisk[2], texts[2]);  // the other program's change is overwritten, as asked
    EXPECT_FALSE(window->document().modified());
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
    EXPECT_TRUE(document.modified());

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
#ifdef _WIN32
    GTEST_SKIP() << "the Windows build takes no edit lock: a second instance is not held off";
#else
    writeGame();
    writeSettings();
    start();
    const fs::path lock = transPath.parent_path() / ".Tarn.exe.tarnlock";
    EXPECT_TRUE(fs::exists(lock));
    EXPECT_FALSE(fs::exists(origPath.parent_path() / ".Tarn.exe.tarnlock"));
    window->close();
    window.reset();
    EXPECT_FALSE(fs::exists(lock));
#endif
}

TEST_F(OtherWritersTest, ASecondInstanceOpensTheTextsReadOnly) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows build takes no edit lock: a second instance is not held off";
#else
    writeGame();
    writeSettings();
    // The parent process (the test runner's caller) stands for the first instance.
    std::ofstream(transPath.parent_path() / ".Tarn.exe.tarnlock")
        << "pid=" << ::getppid() << "\nhost=" << QSysInfo::machineHostName().toStdString()
        << "\nprogram=TarnEdit\n";
    start();
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages().back().text,
              QString("Tarn.exe is open in TarnEdit (process %1 on %2).\n\rIts texts are shown "
                      "read-only.")
                  .arg(::getppid())
                  .arg(QSysInfo::machineHostName()));
    EXPECT_TRUE(grid()->isReadOnly());
    ASSERT_TRUE(grid()->moveTo(2, 2));
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(grid()->cellEditor(), nullptr);

    // A change made anyway (a command over many texts) is never written.
    const Bytes before = readWholeFile(transPath);
    window->setCellText(2, 2, "changed");
    prompter.clear();
    action("saveAction")->trigger();
    EXPECT_EQ(readWholeFile(transPath), before);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages()[0].text.contains("read-only"));
#endif
}

}  // namespace
}  // namespace tarn
