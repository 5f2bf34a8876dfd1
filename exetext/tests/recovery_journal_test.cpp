// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/recovery_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"

#include "exetext/string_table_reader.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

constexpr int kT = StringTableDocument::TranslatedColumn;

StringTableDocument loadedDocument() {
    StringTableDocument document;
    LoadedExecutables loaded;
    loaded.original.assign(StringTableDocument::kRows, "o");
    loaded.translated.assign(StringTableDocument::kRows, "t");
    loaded.primaryLangId = 7;
    document.load(loaded);
    return document;
}

TEST(RecoveryJournal, HoldsTheUnsavedEditsAndBringsThemBackAsOneStep) {
    StringTableDocument edited = loadedDocument();
    edited.setCell(12, kT, {std::string("Hallo\x17\x01\xff", 8), false});
    edited.setCell(40, kT, {"\\q bad", true});  // C-style text held as typed
    edited.setLangIds(9, 0);
    const RecoveryJournal journal = journalOf(edited, "/games/Tarn.exe", "14:32");
    EXPECT_EQ(journal.editCount(), 3u);

    const std::string text = formatJournal(journal);
    EXPECT_EQ(text.substr(0, text.find("text=")),
              "TarnEdit recovery journal 1\nfile=/games/Tarn.exe\ntime=14:32\nids=9 0\n");
    const std::optional<RecoveryJournal> read = parseJournal(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->file, "/games/Tarn.exe");
    EXPECT_EQ(read->time, "14:32");

    StringTableDocument restarted = loadedDocument();
    std::unique_ptr<SetTextsCommand> step = recoveryStep(restarted, *read);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->name(), "Recover unsaved edits (3 texts)");
    step->redo();
    for (int row : {12, 40}) {
        EXPECT_EQ(restarted.cellText(row, kT), edited.cellText(row, kT)) << row;
    }
    EXPECT_EQ(restarted.primaryLangId(), 9);
    step->undo();
    EXPECT_EQ(restarted.cell(12, kT), "t");
    EXPECT_EQ(restarted.primaryLangId(), 7);

    EXPECT_TRUE(journalOf(restarted, "/games/Tarn.exe", "14:33").empty());
}

// Each executable's journal beside the settings file, named by a digest of its real path; the
// one journal of earlier versions and damaged ones are found beside it too.
TEST(RecoveryJournal, EachExecutableHasAJournalOfItsOwn) {
    TempDir dir;
    const fs::path settings = dir.path() / "tarnedit.ini";
    fs::create_directory(dir.path() / "game");
    std::error_code noLinks;  // the system may have none (Wine)
    fs::create_directory_symlink(dir.path() / "game", dir.path() / "link", noLinks);
    const fs::path one = recoveryJournalPath(settings, dir.path() / "game" / "Tarn.exe");
    const fs::path other = recoveryJournalPath(settings, dir.path() / "Tarn.exe");
    EXPECT_EQ(one.parent_path(), dir.path());
    EXPECT_TRUE(
        std::regex_match(one.filename().string(), std::regex("tarnedit\\.[0-9a-f]{16}\\.recovery")))
        << one;
    EXPECT_NE(one, other);
    if (!noLinks) {
        EXPECT_EQ(recoveryJournalPath(settings, dir.path() / "link" / "Tarn.exe"), one);
    }
    EXPECT_EQ(sharedRecoveryJournalPath(settings), dir.path() / "tarnedit.recovery");

    const fs::path shared = sharedRecoveryJournalPath(settings);
    for (const fs::path& path :
         {one, damagedJournalPath(other), shared,
          dir.path() / "tarnedit.old.0123456789abcdef.recovery", dir.path() / "other.recovery"}) {
        writeFileAtomically(path, toBytes("x"));
    }
    std::vector<fs::path> found = {one, damagedJournalPath(other), shared};
    std::sort(found.begin(), found.end());
    EXPECT_EQ(recoveryJournalsBeside(settings), found);
}

TEST(RecoveryJournal, AnIncompleteOrMalformedJournalIsNotRead) {
    const std::string good = "TarnEdit recovery journal 1\nfile=/g/Tarn.exe\ntime=14:32\n";
    for (const std::string& text : {
             good,                                  // cut off before "end"
             good + "text=12 0 486\nend\n",         // odd hex
             good + "text=0 0 48\nend\n",           // no text 0
             good + "text=3454 0 48\nend\n",        // past the last text
             good + "text=12 2 48\nend\n",          // neither raw nor typed
             good + "ids=256 0\nend\n",             // not a byte
             good + "colour=blue\nend\n",           // unknown line
             std::string("TarnEdit recovery journal 2\nend\n"),  // another version
         }) {
        EXPECT_FALSE(parseJournal(text)) << text;
    }
    EXPECT_TRUE(parseJournal(good + "text=12 0 \nend\n"));  // an emptied text
}

// A damaged journal gives the edits before its first unreadable line; a line cut off without
// its line end is unreadable however it looks.
TEST(RecoveryJournal, ADamagedJournalGivesTheEditsItCanRead) {
    const std::string good = "TarnEdit recovery journal 1\nfile=/g/Tarn.exe\ntime=14:32\n";
    struct Case {
        std::string text;
        bool damaged;
        std::size_t edits;  // readable; none at all: not even the file's name
        bool named;
    };
    const Case cases[] = {
        {good + "text=1 0 41\ntext=2 0 42\nend\n", false, 2, true},
        {good + "text=1 0 41\ntext=2 0 4242", true, 1, true},  // cut in a line
        {good + "text=1 0 41\ntext=2 0 42\n", true, 2, true},  // cut before "end"
        {good + "text=1 0 41\ntext=2 0 4\ntext=3 0 43\nend\n", true, 1, true},
        {"TarnEdit recovery journal 1\nfile=/g/Ta", true, 0, false},
        {"", false, 0, false},
    };
    for (const Case& c : cases) {
        const JournalReading reading = readJournal(c.text);
        EXPECT_EQ(reading.damaged, c.damaged) << c.text;
        ASSERT_EQ(reading.journal.has_value(), c.named) << c.text;
        if (reading.journal) {
            EXPECT_EQ(reading.journal->file, "/g/Tarn.exe");
            EXPECT_EQ(reading.journal->editCount(), c.edits) << c.text;
        }
    }
}

}  // namespace
}  // namespace tarn
