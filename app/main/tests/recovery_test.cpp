// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery journal of unsaved edits: written down shortly after an edit, offered back at
// the next start after a crash as one undoable step, and gone after a save or a clean close.
#include "app/main/file_actions.h"
#include "app/main/recovery_keeper.h"
#include "app/main/tests/editor_fixture.h"
#include "exetext/recovery_journal.h"

#include <QRegularExpression>
#include <QStatusBar>

#ifdef TARN_CRASH_CHILD
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;
#endif

namespace tarn {
namespace {

class RecoveryTest : public EditorTest {
protected:
    fs::path journalPath() const { return recoveryJournalPath(settingsPath, transPath); }
    RecoveryKeeper& keeper() { return window->findChild<FileActions*>()->recovery(); }

    // Types into two cells and lets the journal be written, then drops the window the way a
    // crash does: without closing it.
    void editAndCrash() {
        writeGame();
        writeSettings();
        start();
        ASSERT_TRUE(grid()->moveTo(2, 2));
        type(" one");
        pressInEditor(Qt::Key_Return);
        ASSERT_TRUE(grid()->moveTo(5, 2));
        type(" two");
        keeper().flush();
        window.reset();
    }

    // The start asked one question, the offer to recover two edits.
    void expectOfferToRecoverTwoEdits() const {
        ASSERT_EQ(prompter.messages().size(), 1u) << messageTexts().join("|").toStdString();
        const QString question = prompter.messages()[0].text;
        EXPECT_TRUE(QRegularExpression("^Recover 2 unsaved edits from \\d\\d:\\d\\d\\?$")
                        .match(question)
                        .hasMatch())
            << question.toStdString();
    }
};

TEST_F(RecoveryTest, EditsLeftByACrashAreOfferedAndRecoveredAsOneStep) {
    editAndCrash();
    ASSERT_TRUE(fs::exists(journalPath()));

    prompter.clear();
    prompter.answer(MessageAnswer::Yes);
    start();
    ASSERT_NO_FATAL_FAILURE(expectOfferToRecoverTwoEdits());
    const StringTableDocument& document = window->document();
    EXPECT_EQ(document.cell(2, 2), texts[1] + " one");
    EXPECT_EQ(document.cell(5, 2), texts[4] + " two");
    EXPECT_TRUE(window->session().isModified());
    EXPECT_TRUE(action("saveAction")->isEnabled());

    action("undoAction")->trigger();
    EXPECT_EQ(document.cell(2, 2), texts[1]);
    EXPECT_EQ(document.cell(5, 2), texts[4]);
    action("redoAction")->trigger();

    // Saved: the journal goes.
    action("saveAction")->trigger();
    keeper().flush();
    EXPECT_FALSE(fs::exists(journalPath()));
    EXPECT_EQ(translatedOnDisk()[1], texts[1] + " one");
}

// A journal that cannot be written, even when tried again, is told in the status bar, and so is
// the next write that succeeds.
TEST_F(RecoveryTest, AJournalThatCannotBeWrittenIsToldInTheStatusBar) {
    writeGame();
    writeSettings();
    start();
    ASSERT_TRUE(grid()->moveTo(2, 2));
    type(" one");
    setWriteFaultForTesting({WriteFault::Step::CreateTemporary, 0});
    keeper().flush();
    setWriteFaultForTesting({});
    QCoreApplication::processEvents();
    const QString failed = window->statusBar()->currentMessage();
    EXPECT_TRUE(failed.startsWith("Unsaved edits cannot be kept for recovery: Cannot "))
        << failed.toStdString();
    EXPECT_FALSE(fs::exists(journalPath()));

    type(" two");
    keeper().flush();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QStringLiteral("Unsaved edits are kept for recovery again."));
    EXPECT_TRUE(fs::exists(journalPath()));
}

#ifdef TARN_CRASH_CHILD
// A real TarnEdit session killed with SIGKILL: its journal, written by the window within two
// seconds of the edits, brings them back at the next start, and its lock is taken over.
TEST_F(RecoveryTest, AKilledSessionsEditsAreRecoveredAndItsLockTakenOver) {
    writeGame();
    writeSettings();
    const std::string settings = settingsPath.string();
    const std::string programDir = dir.path().string();
    char* const argv[] = {const_cast<char*>(TARN_CRASH_CHILD), const_cast<char*>(settings.c_str()),
                          const_cast<char*>(programDir.c_str()), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, TARN_CRASH_CHILD, nullptr, nullptr, argv, environ), 0);

    // A complete journal of both edits, as the killed session last wrote it.
    std::optional<RecoveryJournal> journal;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        try {
            journal = parseJournal(toString(readWholeFile(journalPath())));
        } catch (const std::exception&) {
            journal.reset();  // not written yet
        }
        if (journal && journal->editCount() == 2) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(child, SIGKILL);
    // Restarted at once: the killed session stays a zombie, not yet reaped, until the end.
    struct Reaper {
        pid_t child;
        ~Reaper() {
            int status = 0;
            ::waitpid(child, &status, 0);
        }
    } reaper{child};
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    ASSERT_EQ(info.si_code, CLD_KILLED);
    ASSERT_TRUE(journal && journal->editCount() == 2) << "no journal within 60 s";
    const fs::path lock = transPath.parent_path() / ".Tarn.exe.tarnlock";
    ASSERT_TRUE(fs::exists(lock));  // the killed session's
    EXPECT_NE(toString(readWholeFile(lock)).find("pid=" + std::to_string(child) + "\n"),
              std::string::npos);

    prompter.answer(MessageAnswer::Yes);
    start();
    ASSERT_NO_FATAL_FAILURE(expectOfferToRecoverTwoEdits());
    const StringTableDocument& document = window->document();
    EXPECT_EQ(document.cell(2, 2), texts[1] + " crashed");
    EXPECT_EQ(document.cell(5, 2), texts[4] + " crashed");
    EXPECT_FALSE(grid()->isReadOnly());
    EXPECT_EQ(toString(readWholeFile(lock)).find("pid=" + std::to_string(::getpid()) + "\n"), 0u);

    action("undoAction")->trigger();  // one step
    EXPECT_EQ(document.cell(2, 2), texts[1]);
    EXPECT_EQ(document.cell(5, 2), texts[4]);
}
#endif

TEST_F(RecoveryTest, DeclinedOrCleanlyClosedLeavesNoJournal) {
    editAndCrash();
    prompter.clear();
    prompter.answer(MessageAnswer::No);
    start();
    EXPECT_FALSE(window->session().isModified());
    EXPECT_EQ(window->document().cell(2, 2), texts[1]);
    keeper().flush();
    EXPECT_FALSE(fs::exists(journalPath()));

    // Edits then a close that discards them: nothing to recover at the next start.
    ASSERT_TRUE(grid()->moveTo(2, 2));
    type(" three");
    pressInEditor(Qt::Key_Return);
    keeper().flush();
    ASSERT_TRUE(fs::exists(journalPath()));
    prompter.answer(MessageAnswer::No);  // do not save
    window->close();
    EXPECT_FALSE(fs::exists(journalPath()));
}

// Journals of other executables beside the shared settings file, in the one journal of earlier
// versions or in their own, are named once, never offered, and outlive this window's clean
// close; the earlier versions' journal of this executable is offered.
TEST_F(RecoveryTest, JournalsOfOtherExecutablesAreNamedOnceAndKept) {
    writeGame();
    writeSettings();
    const RecoveryJournal other{"/elsewhere/Tarn.exe", "09:15", std::nullopt, {{2, {"x", false}}}};
    const fs::path otherJournal = recoveryJournalPath(settingsPath, "/elsewhere/Tarn.exe");
    writeFileAtomically(otherJournal, toBytes(formatJournal(other)));
    const RecoveryJournal earlier{
        transPath.string(), "10:20", std::nullopt, {{2, {texts[1] + " earlier", false}}}};
    writeFileAtomically(sharedRecoveryJournalPath(settingsPath), toBytes(formatJournal(earlier)));
    prompter.answer(MessageAnswer::Yes);
    start();
    EXPECT_EQ(messageTexts(),
              QStringList({"Recover 1 unsaved edit from 10:20?",
                           "Unsaved edits of /elsewhere/Tarn.exe from 09:15 are kept for when "
                           "that file is opened"}));
    EXPECT_EQ(window->document().cell(2, 2), texts[1] + " earlier");
    keeper().flush();
    EXPECT_FALSE(fs::exists(sharedRecoveryJournalPath(settingsPath)));
    EXPECT_TRUE(fs::exists(journalPath()));  // the recovered edits are unsaved again

    // A clean close leaves the other executable's journal.
    prompter.clear();
    prompter.answer(MessageAnswer::No);  // do not save
    window->close();
    EXPECT_TRUE(fs::exists(otherJournal));
    EXPECT_FALSE(fs::exists(journalPath()));
    EXPECT_EQ(toString(readWholeFile(otherJournal)), formatJournal(other));
}

// A journal cut off in the middle offers the edits before the cut, kept as ….damaged until the
// question is answered.
TEST_F(RecoveryTest, ADamagedJournalOffersTheEditsItCanRead) {
    writeGame();
    writeSettings();
    RecoveryJournal cut{transPath.string(), "11:00", std::nullopt, {}};
    for (int row = 1; row <= 200; ++row) {
        cut.texts.push_back({row, {texts[static_cast<std::size_t>(row - 1)] + "!", false}});
    }
    const std::string whole = formatJournal(cut);
    const std::size_t line100 = whole.find("\ntext=101 ") + 1;
    writeFileAtomically(journalPath(), toBytes(whole.substr(0, line100 + 12)));
    bool keptWhileAsked = false;
    prompter.answer(MessageAnswer::Yes, [&] {
        keptWhileAsked =
            fs::exists(damagedJournalPath(journalPath())) && !fs::exists(journalPath());
    });
    start();
    EXPECT_EQ(messageTexts(),
              QStringList("Recover 100 of the edits? The rest of the journal is damaged."));
    EXPECT_TRUE(keptWhileAsked);
    EXPECT_EQ(window->document().cell(100, 2), texts[99] + "!");
    EXPECT_EQ(window->document().cell(101, 2), texts[100]);
    keeper().flush();
    EXPECT_FALSE(fs::exists(damagedJournalPath(journalPath())));
    const std::optional<RecoveryJournal> rewritten =
        parseJournal(toString(readWholeFile(journalPath())));
    ASSERT_TRUE(rewritten);
    EXPECT_EQ(rewritten->editCount(), 100u);
}

}  // namespace
}  // namespace tarn
