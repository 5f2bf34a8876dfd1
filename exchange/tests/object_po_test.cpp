// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/object_po.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exchange/exe_po.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "objfiles/sample_objects.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'O', 'B', 'J', 'E', 'C', 'T', ' ', ' '};

ObjectFile object(std::string name, ObjectFileTexts texts) {
    ObjectFile file;
    file.fileName = std::move(name);
    file.texts = std::move(texts);
    return file;
}

PoEntry message(std::string context, std::string translation, bool fuzzy = false) {
    return {std::move(context), true, "x", std::move(translation), {}, fuzzy};
}

TEST(ObjectExport, OneMessagePerGroupWithTheSourceText) {
    const std::vector<ObjectFile> files = {
        object("Creature.dat", {{{0, "Wolf"}, {7, "Wolf (de)"}}, {{7, "only German"}}, {{0, "Bear"}}}),
        object("door.dat", {{{0, rawText({'a', 5})}, {7, "b"}}}),
        object("bad\xFF.dat", {{{0, "x"}}}),
    };
    std::vector<Problem> problems;
    const std::vector<PoEntry> entries = objectTextsToPo(files, 0, 7, CodePage(), problems);
    EXPECT_EQ(describe(problems),
              std::vector<std::string>{"bad\xFF.dat: the file name is not UTF-8"});
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].context, "obj/Creature.dat/1");
    EXPECT_EQ(entries[0].source, "Wolf");
    EXPECT_EQ(entries[0].translation, "Wolf (de)");
    EXPECT_EQ(entries[1].context, "obj/Creature.dat/3");
    // References count groups from 0, as obj set and obj check do.
    EXPECT_EQ(entries[1].references, (std::vector<PoReference>{{"ObjData/Creature.dat", 2}}));
    EXPECT_EQ(entries[1].translation, "");
    EXPECT_EQ(entries[2].context, "obj/door.dat/1");
    EXPECT_EQ(entries[2].source, "a\n");
    EXPECT_TRUE(entries[2].fuzzy);
    EXPECT_EQ(entries[2].notes, std::vector<std::string>{std::string(kFuzzyLineBreaksNote)});
}

TEST(ObjectContext, NamesAFileAndAGroup) {
    const auto parsed = parseObjectContext("obj/my/odd.dat/12");  // the last slash ends the name
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->fileName, "my/odd.dat");
    EXPECT_EQ(parsed->groupNumber, 12u);
    for (const char* bad : {"obj/a.dat/0", "obj/a.dat/01", "obj/a.dat/", "obj//1", "obj/a.dat/x",
                            "exe/0001", "obj/a.dat/1234567890"}) {
        EXPECT_FALSE(parseObjectContext(bad)) << bad;
    }
}

TEST(ObjectImport, SetsOrAppendsTheTargetTextAndMarksOnlyChangedFiles) {
    std::vector<ObjectFile> files = {
        object("A.dat", {{{0, "one"}, {7, "eins"}}, {{0, "two"}}, {{0, "three"}, {7, "drei"}}}),
        object("B.dat", {{{0, "four"}, {7, "vier"}}}),
    };
    const std::vector<PoEntry> entries = {
        message("obj/A.dat/1", "Eins\nneu"),  message("obj/A.dat/2", "zwei"),
        message("obj/A.dat/3", "drei"),       message("obj/B.dat/1", "VIER", true),
        message("obj/A.dat/4", "vier"),       message("obj/C.dat/1", "x"),
        message("obj/b.dat/1", "x"),
    };
    const PoImportReport report = applyObjectPo(files, entries, 7, CodePage());
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(importSummaryLine(report.counts),
              "applied 2, unchanged 1, untranslated 0, fuzzy 1, unknown 3");
    EXPECT_EQ(files[0].texts, (ObjectFileTexts{{{0, "one"}, {7, rawText({'E', 'i', 'n', 's', 5, 'n', 'e', 'u'})}},
                                            {{0, "two"}, {7, "zwei"}},
                                            {{0, "three"}, {7, "drei"}}}));
    EXPECT_TRUE(files[0].modified);
    EXPECT_FALSE(files[1].modified);
    EXPECT_EQ(files[1].texts, (ObjectFileTexts{{{0, "four"}, {7, "vier"}}}));
}

TEST(ObjectImport, ListsEveryProblemAndChangesNothing) {
    std::vector<ObjectFile> files = {object("A.dat", {{{0, "one"}}, {{0, "two"}}, {{0, "three"}}})};
    const std::vector<ObjectFile> before = files;
    const PoImportReport report = applyObjectPo(
        files,
        {message("obj/A.dat/1", "ok"), message("obj/A.dat/2", "a\\x00b"),
         message("obj/A.dat/3", "\\c"), message("obj/A.dat/1", "again")},
        7, CodePage());
    EXPECT_EQ(describe(report.problems),
              (std::vector<std::string>{
                  "obj/A.dat/2: A text cannot hold the byte 00",
                  "obj/A.dat/3: \\c sequence without color specifier at the end of the text",
                  "obj/A.dat/1: a second message for the same group"}));
    EXPECT_EQ(files[0].texts, before[0].texts);
    EXPECT_FALSE(files[0].modified);
}

// The game folder the PO commands load their object files from.
class ObjectGameFolderTest : public ::testing::Test {
protected:
    TempDir game;
    std::filesystem::path objData = game.path() / "OBJDATA";
    ObjectTextsDocument document;

    void SetUp() override {
        std::filesystem::create_directory(objData);
        writeFileAtomically(objData / "a.dat", makeSampleObjectFile(1, 1, {{{0, "A"}}}, kName, 1));
        writeFileAtomically(objData / "b.dat", makeSampleObjectFile(0, 3, {{{0, "B"}}, {}, {}}, kName, 2));
        writeFileAtomically(objData / "c.dat", makeSampleObjectFile(3, 0, {{{0, "C"}}}, kName, 3));
    }
};

TEST_F(ObjectGameFolderTest, LoadingListsEveryUnreadableFile) {
    writeFileAtomically(objData / "x.dat", toBytes("not an object"));
    writeFileAtomically(objData / "y.dat", {});
    const std::vector<Problem> problems = document.loadFolder(objData);
    EXPECT_EQ(document.files().size(), 3u);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].fileIndex, 3u);
    EXPECT_EQ(describe(problems[0]).rfind((objData / "x.dat").string() + ": ", 0), 0u);
    EXPECT_EQ(problems[1].fileIndex, 4u);
    EXPECT_EQ(describe(problems[1]).rfind((objData / "y.dat").string() + ": ", 0), 0u);
    const std::vector<Problem> missing = document.loadFolder(objData / "gone");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_FALSE(missing[0].fileIndex.has_value());
    EXPECT_NE(describe(missing[0]).find((objData / "gone").string()), std::string::npos);
    EXPECT_TRUE(document.files().empty());
}

TEST_F(ObjectGameFolderTest, SavingWritesChangedFilesOrNothing) {
    ASSERT_TRUE(document.loadFolder(objData).empty());
    document.setText(0, 0, document.addLanguageId(0, 0, 7).row, "a");
    document.setText(2, 0, document.addLanguageId(2, 0, 7).row, "c");
    const Bytes a = readWholeFile(objData / "a.dat");
    const Bytes b = readWholeFile(objData / "b.dat");

    std::filesystem::permissions(objData / "c.dat", std::filesystem::perms::owner_read);
    ObjectSaveReport report = document.saveModified();
    EXPECT_EQ(describe(report.problems),
              std::vector<std::string>{(objData / "c.dat").string() + ": the file is read-only"});
    EXPECT_TRUE(report.written.empty());
    EXPECT_EQ(readWholeFile(objData / "a.dat"), a);
    EXPECT_TRUE(document.isModified(0));

    std::filesystem::permissions(objData / "c.dat", std::filesystem::perms::owner_all);
    report = document.saveModified({false, WrongChecksumSave::Refuse, {}});
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.written, (std::vector<std::string>{"a.dat", "c.dat"}));
    EXPECT_EQ(readWholeFile(objData / "b.dat"), b);
    EXPECT_EQ(loadObjectFile(objData / "a.dat").texts, (ObjectFileTexts{{{0, "A"}, {7, "a"}}}));
    EXPECT_EQ(loadObjectFile(objData / "c.dat").texts, (ObjectFileTexts{{{0, "C"}, {7, "c"}}}));
    EXPECT_FALSE(document.anyModified());
}

}  // namespace
}  // namespace tarn
