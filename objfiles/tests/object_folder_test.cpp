// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "objfiles/object_container.h"
#include "objfiles/sample_objects.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'O', 'B', 'J', '0', '0', '0', '0', '1'};

TEST(ObjectFolder, LoadsEveryDatFileInUpperCasedNameOrderWhateverTheFolderCase) {
    TempDir game;
    const fs::path objData = game.path() / "OBJDATA";
    fs::create_directory(objData);
    const ObjectFileTexts texts{{{0, "Sword"}, {5, "Schwert"}}};
    writeFileAtomically(objData / "b.DAT", makeSampleObjectFile(1, 1, texts, kName, 1));
    writeFileAtomically(objData / "A.dat", makeSampleObjectFile(3, 3, texts, kName, 2));
    writeFileAtomically(objData / "notes.txt", Bytes{1});

    EXPECT_EQ(findObjDataFolder(game.path() / "Tarn.exe"), objData);
    EXPECT_EQ(findObjDataFolder(game.path()), objData);
    EXPECT_FALSE(findObjDataFolder(objData).has_value());

    std::vector<std::string> progress;
    ObjectTextsDocument document;
    const std::vector<Problem> problems =
        document.loadFolder(objData, [&](std::size_t i, std::size_t n, const std::string& name) {
            progress.push_back(std::to_string(i) + "/" + std::to_string(n) + " " + name);
        });
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(progress, (std::vector<std::string>{"0/2 A.dat", "1/2 b.DAT"}));
    const std::vector<ObjectFile>& files = document.files();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].fileName, "A.dat");
    EXPECT_EQ(files[0].encoding, 3);
    EXPECT_EQ(files[1].texts, texts);
}

// Files of every encoding and very different sizes through one set of buffers, largest first,
// so that each later file is decoded into a buffer still holding a longer file's bytes.
TEST(ObjectFolder, ReusedBuffersLoadEachFileAsAFreshLoadDoes) {
    TempDir dir;
    const struct {
        const char* name;
        unsigned type;
        std::uint8_t encoding;
        std::size_t tail;
    } files[] = {{"big-rle.dat", 0, 1, 60000},   {"big-rotated.dat", 7, 3, 40000},
                 {"small-rle.dat", 1, 1, 3},     {"stored.dat", 2, 0, 100},
                 {"small-rotated.dat", 9, 3, 0}, {"no-tail.dat", 8, 1, 0}};
    Bytes decoded;  // reused from file to file, as each loading thread does
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const ObjectFileTexts texts{{{0, std::string(f.name)}, {3, "x"}}};
        writeFileAtomically(dir.path() / f.name,
                            makeSampleObjectFile(f.type, f.encoding, texts, kName, 5, f.tail));
        const ObjectFile reused = readObjectFile(
            std::span<const std::uint8_t>(readWholeFile(dir.path() / f.name)), f.name, decoded);
        const ObjectFile fresh = loadObjectFile(dir.path() / f.name);
        EXPECT_EQ(reused.texts, fresh.texts);
        EXPECT_EQ(reused.texts.at(0).at(0).text, f.name);
        EXPECT_EQ(reused.fileName, f.name);
        EXPECT_EQ(reused.encoding, f.encoding);
    }
}

// Enough files to keep every loading thread busy, some damaged: the document and its problems
// keep the folder's order, and progress counts through the files one by one.
TEST(ObjectFolder, ManyFilesLoadInFolderOrderWithTheirProblemsInPlace) {
    TempDir dir;
    constexpr int kCount = 60;
    std::vector<std::string> expectedFiles;
    std::vector<std::pair<std::size_t, std::string>> expectedProblems;  // index and path
    for (int i = 0; i < kCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "F%03d.dat", i);
        const auto encoding = static_cast<std::uint8_t>(i % 3 == 2 ? 3 : i % 3);
        Bytes file = makeSampleObjectFile(static_cast<unsigned>(i % 11), encoding, {{{0, name}}},
                                          kName, static_cast<std::uint32_t>(i),
                                          static_cast<std::size_t>(i * 97 % 5000));
        if (i % 7 == 3) {
            file.resize(kObjectHeaderSize - 1);  // too short for its header
            expectedProblems.push_back({static_cast<std::size_t>(i), (dir.path() / name).string()});
        } else {
            expectedFiles.push_back(name);
        }
        writeFileAtomically(dir.path() / name, file);
    }
    ObjectTextsDocument document;
    std::vector<std::size_t> progress;
    const std::vector<Problem> problems =
        document.loadFolder(dir.path(), [&](std::size_t i, std::size_t n, const std::string&) {
            EXPECT_EQ(n, static_cast<std::size_t>(kCount));
            progress.push_back(i);
        });
    ASSERT_EQ(progress.size(), static_cast<std::size_t>(kCount));
    for (std::size_t i = 0; i < progress.size(); ++i) {
        EXPECT_EQ(progress[i], i);
    }
    std::vector<std::string> loaded;
    for (const ObjectFile& file : document.files()) {
        EXPECT_EQ(file.texts.at(0).at(0).text, file.fileName);
        loaded.push_back(file.fileName);
    }
    EXPECT_EQ(loaded, expectedFiles);
    ASSERT_EQ(problems.size(), expectedProblems.size());
    for (std::size_t i = 0; i < problems.size(); ++i) {
        EXPECT_EQ(problems[i].fileIndex, expectedProblems[i].first) << describe(problems[i]);
        EXPECT_EQ(problems[i].path, expectedProblems[i].second) << describe(problems[i]);
    }
}

// A progress that raises ends the loading: the exception reaches the caller after the loading
// threads have stopped, and no later file is handed over.
TEST(ObjectFolder, AnExceptionFromProgressEndsTheLoading) {
    TempDir dir;
    for (int i = 0; i < 20; ++i) {
        writeFileAtomically(dir.path() / ("F" + std::to_string(10 + i) + ".dat"),
                            makeSampleObjectFile(1, 1, {{{0, "x"}}}, kName, 1));
    }
    ObjectTextsDocument document;
    std::size_t calls = 0;
    EXPECT_THROW(document.loadFolder(dir.path(),
                                     [&](std::size_t i, std::size_t, const std::string&) {
                                         ++calls;
                                         if (i == 4) {
                                             throw std::runtime_error("stop");
                                         }
                                     }),
                 std::runtime_error);
    EXPECT_EQ(calls, 5u);
    EXPECT_EQ(document.files().size(), 4u);
}

TEST(ObjectFolder, SavingRereadsTheFileAndKeepsItsEncodingAndOtherBytes) {
    TempDir dir;
    const fs::path path = dir.path() / "x.dat";
    writeFileAtomically(path, makeSampleObjectFile(0, 1, {{{0, "a"}}, {}, {{1, "c"}}}, kName, 9));
    ObjectTextsDocument document;
    ASSERT_TRUE(document.loadFolder(dir.path()).empty());
    const ObjectFile original = document.file(0);
    document.setText(0, 1, document.addLanguageId(0, 1, 7).row, "new");
    EXPECT_TRUE(document.saveModified().ok());
    EXPECT_FALSE(document.isModified(0));
    const ObjectFile back = loadObjectFile(path);
    EXPECT_EQ(back.texts, (ObjectFileTexts{{{0, "a"}}, {{7, "new"}}, {{1, "c"}}}));
    EXPECT_EQ(back.encoding, 1);
    EXPECT_EQ(back.flags, original.flags);

    // A file that no longer decodes when it is read back for saving stays as it was.
    Bytes damaged = readWholeFile(path);
    damaged[16] = kEncodingUnsupported;
    writeFileAtomically(path, damaged);
    document.setText(0, 0, 0, "b");
    EXPECT_EQ(document.saveModified().problems.size(), 1u);
    EXPECT_TRUE(document.isModified(0));
    EXPECT_EQ(readWholeFile(path), damaged);
}

}  // namespace
}  // namespace tarn
