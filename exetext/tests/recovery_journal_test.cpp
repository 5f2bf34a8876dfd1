// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/recovery_journal.h"

#include <gtest/gtest.h>

#include "exetext/string_table_reader.h"

namespace tarn {
namespace {

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
    EXPECT_EQ(recoveryJournalPath("/home/me/.config/TarnEdit/tarnedit.ini"),
              "/home/me/.config/TarnEdit/tarnedit.recovery");
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

}  // namespace
}  // namespace tarn
