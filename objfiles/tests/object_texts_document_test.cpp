// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_texts_document.h"

#include <gtest/gtest.h>

#include <cstdio>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "common/this_process.h"
#include "objfiles/object_container.h"
#include "objfiles/sample_objects.h"
#include "objfiles/text_tables.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'D', 'O', 'C', '0', '0', '0', '0', '1'};

// An ObjData folder of three files: a.dat (type 0, three groups, run-length encoded), b.dat
// and c.dat (one group each).
class ObjectTextsDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFileAtomically(path("a.dat"),
                            makeSampleObjectFile(
                                0, 1, {{{0, "Sword"}, {5, "Epee"}}, {{0, "Sharp"}}, {}}, kName, 1));
        writeFileAtomically(path("b.dat"), makeSampleObjectFile(3, 3, {{{0, "Door"}}}, kName, 2));
        writeFileAtomically(path("c.dat"), makeSampleObjectFile(2, 0, {{{0, "Key"}}}, kName, 3));
        doc.loadFolder(dir.path());
    }
    fs::path path(const char* name) const { return dir.path() / name; }
    std::vector<std::size_t> modified() const { return doc.modifiedFiles(); }
    std::vector<ObjectFileTexts> texts() const {
        std::vector<ObjectFileTexts> all;
        for (const ObjectFile& file : doc.files()) {
            all.push_back(file.texts);
        }
        return all;
    }

    TempDir dir;
    ObjectTextsDocument doc;
};

TEST_F(ObjectTextsDocumentTest, LoadsEveryFileUnmodifiedAndReportsProgress) {
    std::vector<std::string> progress;
    doc.loadFolder(dir.path(), [&](std::size_t i, std::size_t n, const std::string& name) {
        progress.push_back(std::to_string(i) + "/" + std::to_string(n) + " " + name);
    });
    EXPECT_EQ(progress, (std::vector<std::string>{"0/3 a.dat", "1/3 b.dat", "2/3 c.dat"}));
    ASSERT_EQ(doc.files().size(), 3u);
    EXPECT_EQ(doc.file(0).texts.size(), 3u);
    EXPECT_EQ(doc.group(1, 0), (ObjectTextGroup{{0, "Door"}}));
    EXPECT_FALSE(doc.anyModified());
    EXPECT_EQ(doc.folder(), dir.path());

    // Loading again replaces what was there, unsaved changes included.
    doc.setText(0, 0, 0, "Blade");
    doc.loadFolder(dir.path());
    EXPECT_EQ(doc.files().size(), 3u);
    EXPECT_EQ(doc.group(0, 0)[0].text, "Sword");
    EXPECT_FALSE(doc.anyModified());
    doc.clear();
    EXPECT_TRUE(doc.files().empty());
}

// Damaged files among good ones: each is named with its reason, the others all load.
TEST_F(ObjectTextsDocumentTest, ADamagedFileIsListedAndTheOthersLoad) {
    const struct {
        const char* damage;
        void (*apply)(Bytes&);
    } cases[] = {
        {"unsupported encoding", [](Bytes& b) { b[16] = kEncodingUnsupported; }},
        {"table cut before its end marker",
         [](Bytes& b) {
             b = makeSampleObjectFile(2, 0, {{{0, "Door"}}}, kName, 2, 0);
             b.pop_back();
             writeU32LE(b.data() + 17, static_cast<std::uint32_t>(b.size() - kObjectHeaderSize));
         }},
    };
    const Bytes good = readWholeFile(path("b.dat"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.damage);
        Bytes b = good;
        c.apply(b);
        writeFileAtomically(path("b.dat"), b);
        const std::vector<Problem> problems = doc.loadFolder(dir.path());
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].fileIndex, 1u) << describe(problems[0]);
        EXPECT_EQ(describe(problems[0]).rfind(path("b.dat").string() + ": ", 0), 0u)
            << describe(problems[0]);
        ASSERT_EQ(doc.files().size(), 2u);
        EXPECT_EQ(doc.file(0).fileName, "a.dat");
        EXPECT_EQ(doc.file(1).fileName, "c.dat");
        // The files that loaded are edited and saved as usual.
        doc.setText(1, 0, 0, "Lock");
        EXPECT_TRUE(doc.saveModified().ok());
        EXPECT_EQ(loadObjectFile(path("c.dat")).texts, (ObjectFileTexts{{{0, "Lock"}}}));
    }
}

TEST_F(ObjectTextsDocumentTest, SetTextChangesOneEntryAndMarksOnlyItsFile) {
    doc.setText(0, 1, 0, "Blunt");
    EXPECT_EQ(doc.group(0, 1), (ObjectTextGroup{{0, "Blunt"}}));
    EXPECT_EQ(modified(), (std::vector<std::size_t>{0}));
    EXPECT_TRUE(doc.isModified(0));
    EXPECT_FALSE(doc.isModified(1));
    // Setting the same text again still counts as a change, as a keystroke in the grid does.
    doc.setText(2, 0, 0, "Key");
    EXPECT_EQ(modified(), (std::vector<std::size_t>{0, 2}));
    doc.setText(1, 0, 0, "");
    EXPECT_EQ(doc.group(1, 0)[0].text, "");
}

TEST_F(ObjectTextsDocumentTest, RefusedChangesLeaveTheDocumentAsItWas) {
    EXPECT_THROW(doc.setText(0, 0, 0, std::string("A\0B", 3)), TextTableError);
    EXPECT_THROW(doc.setText(0, 0, 2, "x"), std::out_of_range);
    EXPECT_THROW(doc.setText(0, 3, 0, "x"), std::out_of_range);
    EXPECT_THROW(doc.setText(3, 0, 0, "x"), std::out_of_range);
    EXPECT_THROW(doc.addLanguageId(0, 0, 255), TextTableError);
    EXPECT_THROW(doc.addLanguageId(0, 3, 1), std::out_of_range);
    EXPECT_THROW(doc.removeLanguageId(0, 0, 2), std::out_of_range);
    EXPECT_EQ(doc.group(0, 0), (ObjectTextGroup{{0, "Sword"}, {5, "Epee"}}));
    EXPECT_FALSE(doc.anyModified());
}

TEST_F(ObjectTextsDocumentTest, AddingAnIdAppendsAnEmptyTextOrFindsTheOneThere) {
    EXPECT_EQ(doc.addLanguageId(0, 0, 14), (AddLanguageIdResult{true, 2}));
    EXPECT_EQ(doc.group(0, 0), (ObjectTextGroup{{0, "Sword"}, {5, "Epee"}, {14, ""}}));
    EXPECT_EQ(modified(), (std::vector<std::size_t>{0}));  // before any text is typed

    EXPECT_EQ(doc.addLanguageId(1, 0, 0), (AddLanguageIdResult{false, 0}));
    EXPECT_EQ(doc.addLanguageId(0, 0, 5), (AddLanguageIdResult{false, 1}));
    EXPECT_EQ(doc.group(1, 0), (ObjectTextGroup{{0, "Door"}}));
    EXPECT_EQ(modified(), (std::vector<std::size_t>{0}));

    // A group without entries, as a file may hold one, takes a first ID.
    EXPECT_EQ(doc.addLanguageId(0, 2, 0), (AddLanguageIdResult{true, 0}));
    EXPECT_EQ(doc.addLanguageId(0, 2, 254), (AddLanguageIdResult{true, 1}));
}

TEST_F(ObjectTextsDocumentTest, RemovingAnIdKeepsTheLastOne) {
    EXPECT_EQ(doc.removeLanguageId(0, 0, 0), RemoveLanguageIdResult::Removed);
    EXPECT_EQ(doc.group(0, 0), (ObjectTextGroup{{5, "Epee"}}));
    EXPECT_EQ(modified(), (std::vector<std::size_t>{0}));
    EXPECT_EQ(doc.removeLanguageId(0, 0, 0), RemoveLanguageIdResult::RefusedLast);
    EXPECT_EQ(doc.group(0, 0), (ObjectTextGroup{{5, "Epee"}}));
    EXPECT_EQ(doc.removeLanguageId(0, 2, 0), RemoveLanguageIdResult::RefusedLast);
    EXPECT_EQ(doc.removeLanguageId(1, 0, 0), RemoveLanguageIdResult::RefusedLast);
    EXPECT_FALSE(doc.isModified(1));
}

TEST_F(ObjectTextsDocumentTest, RemovingOneOfTwoEntriesOfTheSameIdRemovesTheChosenOne) {
    writeFileAtomically(path("b.dat"),
                        makeSampleObjectFile(3, 0, {{{0, "first"}, {0, "second"}}}, kName, 2));
    doc.loadFolder(dir.path());
    EXPECT_EQ(doc.removeLanguageId(1, 0, 1), RemoveLanguageIdResult::Removed);
    EXPECT_EQ(doc.group(1, 0), (ObjectTextGroup{{0, "first"}}));
}

TEST_F(ObjectTextsDocumentTest, SavingWritesOnlyTheModifiedFilesWithProgress) {
    const Bytes untouched = readWholeFile(path("b.dat"));
    doc.setText(0, 0, 1,
                "\xC9p\xE9"
                "e");
    doc.addLanguageId(2, 0, 14);
    std::vector<std::string> progress;
    const ObjectSaveReport saved =
        doc.saveModified({}, [&](std::size_t k, std::size_t n, const std::string& name) {
            progress.push_back(std::to_string(k) + "/" + std::to_string(n) + " " + name);
        });
    EXPECT_EQ(saved.written, (std::vector<std::string>{"a.dat", "c.dat"}));
    EXPECT_EQ(progress, (std::vector<std::string>{"0/2 a.dat", "1/2 c.dat"}));
    EXPECT_FALSE(doc.anyModified());
    EXPECT_EQ(readWholeFile(path("b.dat")), untouched);

    const ObjectFile a = loadObjectFile(path("a.dat"));
    EXPECT_EQ(a.texts, doc.file(0).texts);
    EXPECT_EQ(a.encoding, kEncodingRLE);
    EXPECT_EQ(loadObjectFile(path("c.dat")).texts, (ObjectFileTexts{{{0, "Key"}, {14, ""}}}));
    EXPECT_TRUE(doc.saveModified().written.empty());
}

TEST_F(ObjectTextsDocumentTest, NormalRunLengthEncodingWritesWhatASingleFileSaveWrites) {
    doc.setText(0, 0, 0, "Long sword");
    ObjectFile expected = doc.file(0);
    const Bytes before = readWholeFile(path("a.dat"));
    doc.saveModified({false, WrongChecksumSave::Refuse, {}});
    EXPECT_EQ(readWholeFile(path("a.dat")), rewriteObjectFile(before, expected, false));
}

TEST_F(ObjectTextsDocumentTest, AFileThatCannotBeWrittenKeepsEveryFileAsItWas) {
    doc.setText(0, 0, 0, "A");
    doc.setText(1, 0, 0, "B");
    doc.setText(2, 0, 0, "C");
    const Bytes a = readWholeFile(path("a.dat"));
    const Bytes b = readWholeFile(path("b.dat"));
    fs::permissions(path("b.dat"), fs::perms::owner_read | fs::perms::group_read);
    ObjectSaveReport report = doc.saveModified();
    EXPECT_EQ(describe(report.problems),
              std::vector<std::string>{path("b.dat").string() + ": the file is read-only"});
    EXPECT_EQ(report.problems[0].fileIndex, 1u);  // the row the window marks
    EXPECT_TRUE(report.written.empty());
    EXPECT_EQ(modified(), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(readWholeFile(path("a.dat")), a);
    EXPECT_EQ(readWholeFile(path("b.dat")), b);
    EXPECT_EQ(loadObjectFile(path("c.dat")).texts, (ObjectFileTexts{{{0, "Key"}}}));

    // A file gone from disk is not made up again, and again nothing is written.
    fs::permissions(path("b.dat"), fs::perms::owner_read | fs::perms::owner_write);
    fs::remove(path("c.dat"));
    report = doc.saveModified();
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_NE(describe(report.problems[0]).find(path("c.dat").string()), std::string::npos);
    EXPECT_EQ(modified(), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_FALSE(fs::exists(path("c.dat")));
    EXPECT_EQ(readWholeFile(path("a.dat")), a);
}

// Every kind of step, done, undone and redone: the groups come back byte for byte, and a file
// is modified exactly while its state differs from the one last saved.
TEST_F(ObjectTextsDocumentTest, EveryStepIsUndoneAndRedoneExactly) {
    const ObjectFileTexts a = doc.file(0).texts;
    std::vector<ObjectFile> wanted = doc.files();
    wanted[0].texts[2] = {{7, "Lame"}};
    wanted[2].texts[0][0].text = "Clef";
    std::unique_ptr<ObjectTextsEdit> steps[] = {
        doc.setTextStep(0, 0, 1,
                        "\xC9p\xE9"
                        "e"),
        doc.addLanguageIdStep(0, 0, 14).step,
        doc.removeLanguageIdStep(0, 0, 0).step,
        doc.replaceTextsStep(wanted, "PO import (2 texts)"),
    };
    for (const auto& step : steps) {
        ASSERT_NE(step, nullptr);
        SCOPED_TRACE(step->name());
        step->redo();
        const std::vector<ObjectFileTexts> done = texts();
        EXPECT_TRUE(doc.isModified(0));
        step->undo();
        EXPECT_EQ(doc.file(0).texts, a);
        EXPECT_EQ(doc.group(2, 0), (ObjectTextGroup{{0, "Key"}}));
        EXPECT_FALSE(doc.anyModified());
        step->redo();
        EXPECT_EQ(texts(), done);
        step->undo();
    }
    EXPECT_EQ(steps[1]->name(), "Add language ID 14");
    EXPECT_EQ(steps[2]->name(), "Delete language ID 0");

    // A step leaves a file modified after undo when the file was already modified before it.
    steps[0]->redo();
    const std::unique_ptr<ObjectTextsEdit> more = doc.setTextStep(0, 1, 0, "Blunt");
    more->redo();
    more->undo();
    EXPECT_TRUE(doc.isModified(0));
    steps[0]->undo();
    EXPECT_FALSE(doc.isModified(0));

    // Undoing back past a save marks the file modified; redoing to the saved state clears it.
    steps[0]->redo();
    ASSERT_TRUE(doc.saveModified().ok());
    steps[0]->undo();
    EXPECT_TRUE(doc.isModified(0));
    steps[0]->redo();
    EXPECT_FALSE(doc.isModified(0));

    // Typing on in the same cell stays one step, and marks the file modified again after a save
    // in between; a byte 00 is refused and changes nothing.
    steps[0]->retype(1, "Fleuret");
    EXPECT_TRUE(doc.isModified(0));
    EXPECT_EQ(doc.group(0, 0)[1].text, "Fleuret");
    EXPECT_THROW(steps[0]->retype(1, std::string("F\0", 2)), TextTableError);
    EXPECT_EQ(doc.group(0, 0)[1].text, "Fleuret");
    steps[0]->undo();
    EXPECT_EQ(doc.file(0).texts, a);
    steps[0]->redo();
    EXPECT_EQ(doc.group(0, 0)[1].text, "Fleuret");

    // Nothing to do is no step at all.
    EXPECT_EQ(doc.addLanguageIdStep(0, 0, 5).step, nullptr);
    EXPECT_EQ(doc.replaceTextsStep(doc.files(), "none"), nullptr);
    wanted.pop_back();
    EXPECT_THROW(doc.replaceTextsStep(wanted, "short"), std::invalid_argument);
}

// Another program rewrites a.dat while the document edits it: the first group changed by
// both, the second by the other program only.
TEST_F(ObjectTextsDocumentTest, AnOutsideChangeToAnUntouchedGroupSurvivesTheSave) {
    doc.setText(0, 0, 0, "Blade");
    EXPECT_TRUE(doc.changedOnDisk().empty());
    writeFileAtomically(
        path("a.dat"),
        makeSampleObjectFile(0, 1, {{{0, "Sabre"}, {5, "Epee"}}, {{0, "Keen"}}, {}}, kName, 1));
    EXPECT_EQ(doc.changedOnDisk(), std::vector<std::size_t>{0});

    const ObjectSaveReport report = doc.saveModified();
    ASSERT_TRUE(report.ok());
    ObjectTextsDocument reread;
    reread.loadFolder(dir.path());
    EXPECT_EQ(reread.group(0, 0)[0].text, "Blade");  // the document's change
    EXPECT_EQ(reread.group(0, 1)[0].text, "Keen");   // the other program's, kept
    EXPECT_EQ(doc.group(0, 1)[0].text, "Keen");
    EXPECT_TRUE(doc.changedOnDisk().empty());
}

TEST_F(ObjectTextsDocumentTest, ReloadKeepsEditsOfGroupsTheFileDidNotChangeAndListsConflicts) {
    doc.setText(0, 0, 0, "Blade");
    doc.setText(0, 1, 0, "Pointed");
    writeFileAtomically(
        path("a.dat"),
        makeSampleObjectFile(0, 1, {{{0, "Sword"}, {5, "Epee"}}, {{0, "Keen"}}, {{0, "New"}}},
                             kName, 1));
    ReloadMerge merge = doc.mergeReloaded(0);
    ASSERT_TRUE(merge.step);
    EXPECT_EQ(merge.conflicts, std::vector<std::size_t>{1});
    EXPECT_TRUE(merge.keepsEdits);
    merge.step->redo();
    EXPECT_EQ(doc.group(0, 0)[0].text, "Blade");  // kept: the file left this group alone
    EXPECT_EQ(doc.group(0, 1)[0].text, "Keen");   // changed on both sides: the file's
    EXPECT_EQ(doc.group(0, 2), (ObjectTextGroup{{0, "New"}}));
    EXPECT_TRUE(doc.isModified(0));
    EXPECT_TRUE(doc.changedOnDisk().empty());
    merge.step->undo();
    EXPECT_EQ(doc.group(0, 1)[0].text, "Pointed");

    // A reload that keeps no edit leaves the file unmodified.
    doc.loadFolder(dir.path());
    doc.setText(1, 0, 0, "Gate");
    writeFileAtomically(path("b.dat"), makeSampleObjectFile(3, 3, {{{0, "Gate"}}}, kName, 2));
    const ReloadMerge same = doc.mergeReloaded(1);
    EXPECT_FALSE(same.step);
    EXPECT_FALSE(same.keepsEdits);
    doc.markReloaded(1);
    EXPECT_FALSE(doc.isModified(1));
}

// The game reads a file whose stored checksum is wrong, and a save would hide the damage by
// storing the right one: the file loads, is noted, and is written only when repairing is asked.
TEST_F(ObjectTextsDocumentTest, AWrongStoredChecksumIsNotedAndWrittenOnlyWhenRepairIsAsked) {
    Bytes damaged = readWholeFile(path("b.dat"));
    const std::uint32_t right = readU32LE(damaged.data() + 12);
    writeU32LE(damaged.data() + 12, 0x0000ABCD);
    writeFileAtomically(path("b.dat"), damaged);
    const Bytes a = readWholeFile(path("a.dat"));
    doc.loadFolder(dir.path());
    ASSERT_TRUE(doc.file(1).wrongChecksum);
    const WrongChecksum wrong = *doc.file(1).wrongChecksum;
    EXPECT_EQ(wrong, (WrongChecksum{0xABCD, right}));
    char expected[80];
    std::snprintf(expected, sizeof expected,
                  "the stored checksum 0000abcd does not match the data (%08x)",
                  static_cast<unsigned>(right));
    EXPECT_EQ(wrongChecksumText(wrong), expected);
    EXPECT_FALSE(doc.file(0).wrongChecksum);
    doc.setText(0, 0, 0, "A");
    doc.setText(1, 0, 0, "B");
    EXPECT_EQ(doc.modifiedWithWrongChecksum(), std::vector<std::size_t>{1});

    ObjectSaveReport report = doc.saveModified();
    EXPECT_EQ(describe(report.problems),
              std::vector<std::string>{path("b.dat").string() + ": " + expected});
    EXPECT_EQ(report.wrongChecksums, std::vector<std::string>{"b.dat"});
    EXPECT_EQ(readWholeFile(path("a.dat")), a);
    EXPECT_EQ(readWholeFile(path("b.dat")), damaged);

    report = doc.saveModified({true, WrongChecksumSave::Repair, {}});
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.written, (std::vector<std::string>{"a.dat", "b.dat"}));
    const ObjectFile repaired = loadObjectFile(path("b.dat"));
    EXPECT_FALSE(repaired.wrongChecksum);
    EXPECT_EQ(repaired.texts, (ObjectFileTexts{{{0, "B"}}}));
    EXPECT_FALSE(doc.file(1).wrongChecksum);
    EXPECT_TRUE(doc.modifiedWithWrongChecksum().empty());
}

// The record beside the folder of a save of several files: gone once the save ends; left by a
// save cut off, it tells which files hold what that save was writing, until a save finishes it.
TEST(SaveIntent, ACutOffSaveIsToldUntilASaveFinishesIt) {
    TempDir game;
    const fs::path objData = game.path() / "ObjData";
    fs::create_directory(objData);
    for (const char* name : {"a.dat", "b.dat", "c.dat"}) {
        writeFileAtomically(objData / name, makeSampleObjectFile(2, 0, {{{0, name}}}, kName, 1));
    }
    const fs::path record = game.path() / ".ObjData.tarnsave";
    EXPECT_EQ(saveIntentFile(objData), record);
    ObjectTextsDocument document;
    ASSERT_TRUE(document.loadFolder(objData).empty());
    for (std::size_t f = 0; f < 3; ++f) {
        document.setText(f, 0, 0, "new");
    }
    ASSERT_TRUE(document.saveModified({true, WrongChecksumSave::Refuse, "TarnEdit"}).ok());
    EXPECT_FALSE(fs::exists(record));

    // A save by a process that has ended wrote a.dat and c.dat, not b.dat.
    const Bytes a = readWholeFile(objData / "a.dat");
    const Bytes c = readWholeFile(objData / "c.dat");
    ObjectFile newer = document.file(1);
    newer.texts[0][0].text = "newer";
    const Bytes b = rewriteObjectFile(readWholeFile(objData / "b.dat"), newer, true);
    std::string text = "pid=0\nhost=\nprogram=tarntool obj import-po\n";
    for (const IntendedWrite& file :
         {intendedWrite("a.dat", a), intendedWrite("b.dat", b), intendedWrite("c.dat", c)}) {
        char line[64];
        std::snprintf(line, sizeof line, "file=%llu %016llx ",
                      static_cast<unsigned long long>(file.size),
                      static_cast<unsigned long long>(file.hash));
        text += line + file.name + "\n";
    }
    writeFileAtomically(record, toBytes(text));
    ASSERT_TRUE(document.loadFolder(objData).empty());
    const UnfinishedSave cutOff{"tarntool obj import-po", {"a.dat", "c.dat"}, {"b.dat"}};
    EXPECT_EQ(document.unfinishedSave(), cutOff);
    EXPECT_EQ(unfinishedSaveLines(cutOff, "ObjData"),
              (std::vector<std::string>{
                  "ObjData: a save by tarntool obj import-po was cut off before it ended",
                  "written: a.dat, c.dat", "not written: b.dat",
                  "to finish it, run the same tarntool obj import-po again"}));
    EXPECT_EQ(unfinishedSaveLines({"TarnEdit", {}, {"a.dat", "b.dat", "c.dat"}}, "ObjData", 2),
              (std::vector<std::string>{
                  "ObjData: a save by TarnEdit was cut off before it ended", "written: none",
                  "not written: a.dat, b.dat and 1 more",
                  "to finish it, make the edits of the files not written again in TarnEdit and "
                  "save"}));
#ifndef _WIN32
    // A process that still runs is saving, not cut off.
    std::string running = text;
    running.replace(0, 5, "pid=" + std::to_string(::getppid()));
    running.replace(running.find("host=") + 5, 0, currentHostName());
    writeFileAtomically(record, toBytes(running));
    EXPECT_FALSE(findUnfinishedSave(objData));
    writeFileAtomically(record, toBytes(text));
#endif

    // A save of the one file left finishes the cut-off one: the record goes.
    document.setText(1, 0, 0, "newer");
    ASSERT_TRUE(document.saveModified().ok());
    EXPECT_FALSE(document.unfinishedSave());
    EXPECT_FALSE(fs::exists(record));
}

}  // namespace
}  // namespace tarn
