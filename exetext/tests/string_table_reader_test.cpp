// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/string_table_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

// A zero-filled executable of profile 2 whose every pointer addresses the start of area 1.
struct HandMadeFile {
    const ExeProfile& profile = profileByNumber(2);
    Bytes file = Bytes(static_cast<std::size_t>(profile.fileSize), 0);
    std::uint32_t area1 = static_cast<std::uint32_t>(profile.textAreas[0].first);

    HandMadeFile() {
        for (int n = 1; n <= kTextCount; ++n) {
            setPointer(n, area1 + 0x400000);
        }
    }
    void setPointer(int text, std::uint32_t address) {
        int n = 1;
        for (const PointerBlock& block : profile.pointerBlocks) {
            for (int k = 0; k < block.pointerCount(); ++k, ++n) {
                if (n == text) {
                    writeU32LE(file.data() + block.first + 4 * k, address);
                }
            }
        }
    }
    void put(std::uint32_t position, const std::string& s) {
        std::copy(s.begin(), s.end(), file.begin() + position);
    }
    bool read(std::vector<std::string>& column, std::vector<int>& notFound,
              Notation notation = Notation::Raw) {
        return readStringTable(file, column, profile.pointerBlocks, profile.textAreas, notation,
                               notFound);
    }
};

TEST(readStringTable, EveryProfileReadsBackTheTextsItWasMadeFrom) {
    const std::vector<std::string> texts = sampleTexts();
    for (int p = 1; p <= kProfileCount; ++p) {
        const Bytes file = makeSampleExecutable(p, texts);
        ASSERT_EQ(file.size(), static_cast<std::size_t>(profileByNumber(p).fileSize));
        std::vector<std::string> column;
        std::vector<int> notFound;
        EXPECT_TRUE(readStringTable(file, column, profileByNumber(p).pointerBlocks,
                                    profileByNumber(p).textAreas, Notation::Raw, notFound));
        EXPECT_TRUE(notFound.empty());
        EXPECT_EQ(column, texts) << "profile " << p;
    }
}

TEST(readStringTable, PictureNumbersTakeTheirCompactForm) {
    HandMadeFile f;
    f.put(f.area1,
          "P" + rawText({23, 0x34, 0x12, 0, 0, 23, 0, 0, 0, 0, 23, 0, 0, 0, 1, 23, 0, 1, 0, 0, 0}));
    std::vector<std::string> column;
    std::vector<int> notFound;
    EXPECT_TRUE(f.read(column, notFound));
    EXPECT_EQ(column[0],
              "P" + rawText({23, 2, 0x34, 0x12, 23, 255, 23, 4, 0, 0, 0, 1, 23, 2, 0, 1}));
    f.read(column, notFound, Notation::CStyle);
    EXPECT_EQ(column[0], "P\\p00001234\\p00000000\\p01000000\\p00000100");
}

TEST(readStringTable, SharedBytesTailsEmptyTextsAndUnresolvedPointers) {
    HandMadeFile f;
    f.put(f.area1, "Hello");
    f.setPointer(2, f.area1 + 0x400000 + 2);  // the tail "llo"
    f.setPointer(3, f.area1 + 0x400000 + 5);  // the terminator: an empty text
    f.setPointer(3155, f.area1);              // a file offset, not an address
    f.setPointer(3444, static_cast<std::uint32_t>(f.profile.textAreas[3].last) + 0x400000 + 1);
    f.setPointer(3453, 0);
    std::vector<std::string> column;
    std::vector<int> notFound{99};  // appended to, not replaced
    EXPECT_FALSE(f.read(column, notFound));
    ASSERT_EQ(column.size(), static_cast<std::size_t>(kTextCount));
    EXPECT_EQ(column[0], "Hello");
    EXPECT_EQ(column[1], "llo");
    EXPECT_EQ(column[2], "");
    EXPECT_EQ(column[3], "Hello");
    EXPECT_EQ(column[3154], "-- Not found! --");
    EXPECT_EQ(column[3443], "-- Not found! --");
    EXPECT_EQ(column[3452], "-- Not found! --");
    EXPECT_EQ(notFound, (std::vector<int>{99, 3155, 3444, 3453}));
    // The placeholder passes through the C-style conversion unchanged.
    f.read(column, notFound, Notation::CStyle);
    EXPECT_EQ(column[3154], "-- Not found! --");
}

TEST(readStringTable, TextRunningToTheEndOfTheFileIsAReadError) {
    // A profile whose last text area ends with the file: the last text has no terminator.
    Bytes file(64, 'A');
    PointerBlockTable blocks{};
    for (int k = 0; k < kPointerBlockCount; ++k) {
        blocks[static_cast<std::size_t>(k)] = {4 * k, 4 * k + 3};
        writeU32LE(file.data() + 4 * k, 0x400000 + 60);
    }
    writeU32LE(file.data() + 4 * 13, 0x400000 + 62);
    file[61] = 0;
    const TextAreaTable areas(kTextAreaCount, {56, 63, 0x400000});
    std::vector<std::string> column;
    std::vector<int> notFound;
    try {
        readStringTable(file, column, blocks, areas, Notation::Raw, notFound);
        FAIL();
    } catch (const StreamReadError& e) {
        EXPECT_EQ(e.offset(), 62u);  // where the text starts
    }
    ASSERT_EQ(column.size(), 14u);
    EXPECT_EQ(column[12], "A");  // texts before it were read

    // Pointer blocks outside the file are read errors too, not reads out of bounds.
    blocks[13] = {62, 65};
    EXPECT_THROW(readStringTable(file, column, blocks, areas, Notation::Raw, notFound),
                 StreamReadError);

    // A picture whose four number bytes would pass the end of the file.
    EXPECT_THROW(readRawText(Bytes{'A', 23, 1, 0}, 0), StreamReadError);
    EXPECT_EQ(readRawText(Bytes{'A', 23, 0, 0, 0, 0, 0}, 0), rawText({'A', 23, 255}));
    EXPECT_THROW(readRawText(Bytes{'A'}, 1), StreamReadError);
    EXPECT_THROW(readRawText(Bytes{'A'}, 0xFFFFFFFF), StreamReadError);
}

TEST(LoadExecutables, ReadsBothFilesThroughTheirOwnProfiles) {
    TempDir dir;
    std::vector<std::string> other = repetitiveSampleTexts();
    other[0] = "Ja";
    other[3452] = "Letzter";
    writeFileAtomically(dir.path() / "orig.exe", makeSampleExecutable(1, repetitiveSampleTexts()));
    writeFileAtomically(dir.path() / "trans.exe", makeSampleExecutable(4, other, 20, 7));
    LoadedExecutables loaded;
    loadExecutables(dir.path() / "orig.exe", dir.path() / "trans.exe", Notation::Raw, loaded);
    EXPECT_EQ(loaded.origProfile, 1);
    EXPECT_EQ(loaded.transProfile, 4);
    EXPECT_EQ(loaded.original, repetitiveSampleTexts());
    EXPECT_EQ(loaded.translated, other);
    EXPECT_EQ(loaded.primaryLangId, 20);
    EXPECT_EQ(loaded.secondaryLangId, 7);
    EXPECT_TRUE(loaded.originalNotFound.empty());
    EXPECT_TRUE(loaded.translatedNotFound.empty());

    loadExecutables(dir.path() / "orig.exe", dir.path() / "trans.exe", Notation::CStyle, loaded);
    EXPECT_EQ(loaded.translated[6], "\\tSmall print: the guild takes no blame for lost limbs.\\d");
}

// Reading by parts gives what reading the whole file gives, whatever the bytes: texts running
// past their area into bytes read on demand, pictures, pointers into no area.
TEST(LoadExecutables, ReadingByPartsMatchesReadingTheWholeFile) {
    TempDir dir;
    const auto path = dir.path() / "random.exe";
    std::mt19937 random(16);
    std::mt19937_64 random64(16);
    auto writeU64LE = [](std::uint8_t* p, std::uint64_t v) {
        writeU32LE(p, static_cast<std::uint32_t>(v));
        writeU32LE(p + 4, static_cast<std::uint32_t>(v >> 32));
    };
    for (int number = 1; number <= kProfileCount; ++number) {
        const ExeProfile& profile = profileByNumber(number);
        Bytes file(static_cast<std::size_t>(profile.fileSize));
        for (std::size_t i = 0; i + 8 <= file.size(); i += 8) {
            writeU64LE(file.data() + i, random64());  // a zero byte every 256 bytes or so
        }
        int n = 0;
        for (const PointerBlock& block : profile.pointerBlocks) {
            for (int k = 0; k < block.pointerCount(); ++k, ++n) {
                const TextArea& area = profile.textAreas[random() % kTextAreaCount];
                const auto position =
                    area.first + static_cast<std::int32_t>(random() % (area.last - area.first + 1));
                writeU32LE(file.data() + block.first + 4 * k,
                           random() % 10 == 0 ? static_cast<std::uint32_t>(random())
                                              : static_cast<std::uint32_t>(position + area.delta));
            }
        }
        writeFileAtomically(path, file);

        std::vector<std::string> whole;
        std::vector<int> wholeNotFound;
        readStringTable(file, whole, profile.pointerBlocks, profile.textAreas, Notation::CStyle,
                        wholeNotFound);
        LoadedExecutables loaded;
        loadExecutables(path, path, Notation::CStyle, loaded);
        EXPECT_EQ(loaded.original, whole) << "profile " << number;
        EXPECT_EQ(loaded.translated, whole) << "profile " << number;
        EXPECT_EQ(loaded.translatedNotFound, wholeNotFound);
        const auto langSpot = static_cast<std::size_t>(profile.fixupSpot(FixupSpot::LangIdSpot));
        EXPECT_EQ(loaded.primaryLangId, file[langSpot]);
        EXPECT_EQ(loaded.secondaryLangId, file[langSpot + kSecondaryLangIdOffset]);
    }
}

TEST(LoadExecutables, MissingTranslatedFileStartsAsACopy) {
    TempDir dir;
    writeFileAtomically(dir.path() / "orig.exe", makeSampleExecutable(3, sampleTexts(), 5, 6));
    LoadedExecutables loaded;
    loadExecutables(dir.path() / "orig.exe", dir.path() / "trans.exe", Notation::Raw, loaded);
    EXPECT_EQ(loaded.translated, loaded.original);
    EXPECT_EQ(loaded.transProfile, 3);
    EXPECT_EQ(loaded.primaryLangId, 5);
    EXPECT_EQ(loaded.secondaryLangId, 6);
}

TEST(LoadExecutables, FileOfUnknownSizeIsRefused) {
    TempDir dir;
    Bytes file = makeSampleExecutable(2, sampleTexts());
    writeFileAtomically(dir.path() / "orig.exe", file);
    file.pop_back();  // truncated after the paths were checked
    writeFileAtomically(dir.path() / "trans.exe", file);
    LoadedExecutables loaded;
    EXPECT_THROW(
        loadExecutables(dir.path() / "orig.exe", dir.path() / "trans.exe", Notation::Raw, loaded),
        FileError);
    EXPECT_EQ(loaded.original, sampleTexts());  // what was read so far is kept
    EXPECT_THROW(
        loadExecutables(dir.path() / "none.exe", dir.path() / "trans.exe", Notation::Raw, loaded),
        FileError);
}

}  // namespace
}  // namespace tarn
