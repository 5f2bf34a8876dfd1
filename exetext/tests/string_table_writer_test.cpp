// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/string_table_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/tests/read_back.h"
#include "textcodes/code_table.h"
#include "textcodes/cstyle.h"

namespace tarn {
namespace {

std::vector<std::string> distinctTexts() {
    std::vector<std::string> texts(kTextCount);
    for (int n = 1; n <= kTextCount; ++n) {
        texts[static_cast<std::size_t>(n - 1)] = "Text " + std::to_string(n);
    }
    return texts;
}

// Stores texts the way the writer does and places them into a file filled with 0xEE, so
// that every byte the writer leaves alone can be recognised.
struct Placement {
    const ExeProfile& profile;
    Bytes file;
    std::vector<std::string> stored;
    std::vector<int> shares;
    std::int64_t freeSpace = -1;
    bool fits = false;

    Placement(int number, const std::vector<std::string>& raw)
        : profile(profileByNumber(number)),
          file(static_cast<std::size_t>(profile.fileSize), 0xEE),
          stored(raw.size()) {
        for (std::size_t i = 0; i < raw.size(); ++i) {
            stored[i] = expandPictures(raw[i]);
        }
        stored[kPaddedText1 - 1].append(kTextPadding, '\0');
        stored[kPaddedText2 - 1].append(kTextPadding, '\0');
        shares = findShareTargets(stored);
        followShareChains(shares);
        fits = placeStrings(file, profile, stored, shares, 20, 0, freeSpace);
    }
    std::uint32_t position(int text) const { return pointerOf(file, profile, text) - 0x400000; }
    std::uint8_t at(std::int64_t position) const {
        return file[static_cast<std::size_t>(position)];
    }
};

// The stored form, and storedLength (textcodes), which counts its bytes for the checks.
TEST(ExpandPictures, EveryCountGetsFourNumberBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {rawText({'A', 23, 255, 'B'}), rawText({'A', 23, 0, 0, 0, 0, 'B'})},
        {rawText({23, 1, 7}), rawText({23, 7, 0, 0, 0})},
        {rawText({23, 2, 0, 1, 'x'}), rawText({23, 0, 1, 0, 0, 'x'})},
        {rawText({23, 4, 1, 2, 3, 4}), rawText({23, 1, 2, 3, 4})},
        {rawText({23, 3, 9}), rawText({23, 9, 0, 0, 0})},  // missing bytes
        {rawText({23, 9, 'a'}), rawText({23, 'a'})},       // other counts
        {rawText({23, 0, 'a'}), rawText({23, 'a'})},
        {rawText({'a', 23}), rawText({'a', 23})},
        {rawText({23, 23, 1, 23, 5}), rawText({23, 1, 23})},  // a count byte is no code
    };
    for (const auto& [raw, stored] : cases) {
        EXPECT_EQ(expandPictures(raw), stored) << rawToCodes(raw);
        EXPECT_EQ(storedLength(raw), stored.size()) << rawToCodes(raw);
    }
    for (const std::string& text : sampleTexts()) {
        ASSERT_EQ(storedLength(text), expandPictures(text).size()) << rawToCodes(text);
    }
}

TEST(PlaceStrings, EverythingInAreaOneLeavesTheOtherAreasAlone) {
    std::vector<std::string> texts(kTextCount);
    for (int n = 1; n <= kTextCount; ++n) {
        texts[static_cast<std::size_t>(n - 1)] = "T" + std::to_string(n);
    }
    Placement p(1, texts);
    ASSERT_TRUE(p.fits);
    const TextArea* a = p.profile.textAreas.data();
    std::int64_t used = 0;
    for (const std::string& s : p.stored) {
        used += static_cast<std::int64_t>(s.size()) + 1;
    }
    ASSERT_LT(used, a[0].last - a[0].first + 1);
    const std::int64_t rest =
        (a[1].last - a[1].first + 1) + (a[2].last - a[2].first + 1) + (a[3].last - a[3].first + 1);
    EXPECT_EQ(p.freeSpace, (a[0].last - a[0].first + 1) - used + rest);
    for (int k = 1; k < 4; ++k) {
        for (std::int64_t i = a[k].first; i <= a[k].last; ++i) {
            ASSERT_EQ(p.at(i), 0xEE);
        }
    }
    EXPECT_EQ(p.position(1), static_cast<std::uint32_t>(a[0].first));
    EXPECT_EQ(p.at(a[0].first + static_cast<std::int64_t>(used)), 0xEE);
    EXPECT_EQ(readBack(p.file, 1), texts);
}

TEST(PlaceStrings, TextsThatFitExactlyAndTextsThatMoveOn) {
    const ExeProfile& profile = profileByNumber(1);
    const TextArea* a = profile.textAreas.data();
    std::vector<std::string> texts(kTextCount);  // empty texts share into text 1
    texts[3] = "Four";
    // Texts 1, 2 and 3 end exactly on the Last bytes of areas 1, 2 and 3.
    texts[0] = std::string(static_cast<std::size_t>(a[0].last - a[0].first - 1), 'a') + "#";
    texts[1] = std::string(static_cast<std::size_t>(a[1].last - a[1].first - 1), 'b') + "#";
    texts[2] = std::string(static_cast<std::size_t>(a[2].last - a[2].first - 1), 'c') + "#";
    Placement p(1, texts);
    ASSERT_TRUE(p.fits);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(p.position(k + 1), static_cast<std::uint32_t>(a[k].first));
        EXPECT_EQ(p.at(a[k].last), 0);
        EXPECT_EQ(p.at(a[k].last - 1), '#');
        EXPECT_EQ(p.at(a[k].last + 1), 0xEE);
    }
    EXPECT_EQ(p.position(4), static_cast<std::uint32_t>(a[3].first));
    EXPECT_EQ(readBack(p.file, 1), texts);

    EXPECT_EQ(p.position(kPaddedText1), static_cast<std::uint32_t>(a[3].first + 5));
    EXPECT_EQ(p.freeSpace, a[3].last - a[3].first + 1 - 5 - 2 * 32);

    // One byte more and text 3 no longer fits area 3; later, shorter texts fill area 3 instead.
    texts[2] += "c";
    Placement q(1, texts);
    ASSERT_TRUE(q.fits);
    EXPECT_EQ(q.position(4), static_cast<std::uint32_t>(a[2].first));
    EXPECT_EQ(q.position(kPaddedText1), static_cast<std::uint32_t>(a[2].first + 5));
    EXPECT_EQ(q.position(kPaddedText2), static_cast<std::uint32_t>(a[2].first + 5 + 32));
    EXPECT_EQ(q.position(3), static_cast<std::uint32_t>(a[3].first));
    // Every unused byte counts: the rest of area 3 and of area 4.
    EXPECT_EQ(q.freeSpace, a[2].last - a[2].first + 1 - 5 - 2 * 32 + a[3].last - a[3].first +
                               1 - static_cast<std::int64_t>(texts[2].size()) - 1);
    EXPECT_EQ(readBack(q.file, 1), texts);
}

TEST(PlaceStrings, SharedTextsPointIntoTheirContainers) {
    std::vector<std::string> texts = distinctTexts();
    texts[9] = texts[19] = "Same";
    texts[4] = "ob";
    texts[8] = "Hob";
    texts[39] = "The Hob";
    texts[99] = "";
    Placement p(3, texts);
    ASSERT_TRUE(p.fits);
    EXPECT_EQ(p.position(10), p.position(20));
    EXPECT_EQ(p.position(5), p.position(40) + 5);
    EXPECT_EQ(p.position(9), p.position(40) + 4);
    EXPECT_EQ(p.position(100), p.position(1) + 6);  // the terminator of "Text 1"
    EXPECT_EQ(p.at(p.position(100)), 0);
    EXPECT_EQ(readBack(p.file, 3), texts);
}

TEST(PlaceStrings, PicturesPaddingFixupsAndLanguageBytes) {
    std::vector<std::string> texts = distinctTexts();
    texts[49] = "Pic" + rawText({23, 255});
    texts[kPaddedText1 - 1] = "Padded";
    Placement p(4, texts);
    ASSERT_TRUE(p.fits);
    const std::uint32_t pic = p.position(50);
    EXPECT_EQ(std::string(p.file.begin() + pic, p.file.begin() + pic + 9),
              rawText({'P', 'i', 'c', 23, 0, 0, 0, 0, 0}));

    // Texts 3166 and 3169: own characters, 31 zeros, terminator; the end references point at
    // the first of the 31 zeros.
    const std::uint32_t padded = p.position(kPaddedText1);
    for (std::uint32_t i = 6; i < 6 + 32; ++i) {
        ASSERT_EQ(p.at(padded + i), 0) << i;
    }
    EXPECT_EQ(readU32LE(p.file.data() + p.profile.fixupSpot(FixupSpot::TextEndRef1)), padded + 0x400000 + 6);
    EXPECT_EQ(readU32LE(p.file.data() + p.profile.fixupSpot(FixupSpot::TextEndRef2)),
              p.position(kPaddedText2) + 0x400000 + 9);  // "Text 3169"

    for (int k = 0; k < kPointerCopyCount; ++k) {
        EXPECT_EQ(readU32LE(p.file.data() + p.profile.fixupSpot(FixupSpot::PointerCopyRun) + 4 * k),
                  pointerOf(p.file, p.profile, kPointerCopyFirst + k));
    }
    EXPECT_EQ(p.at(p.profile.fixupSpot(FixupSpot::LangIdSpot)), 20);
    EXPECT_EQ(p.at(p.profile.fixupSpot(FixupSpot::LangIdSpot) + 9), 0);
    EXPECT_EQ(p.at(p.profile.fixupSpot(FixupSpot::LangIdSpot) + 1), 0xEE);
}

TEST(PlaceStrings, TooMuchTextLeavesTheFileUnchanged) {
    std::vector<std::string> texts = distinctTexts();
    for (std::string& t : texts) {
        t += std::string(20, '.');  // distinct endings and about 100 KB in all
        std::swap(t.front(), t.back());
    }
    Placement p(2, texts);
    EXPECT_FALSE(p.fits);
    EXPECT_EQ(p.file, Bytes(p.file.size(), 0xEE));
}

class SaveStringsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path path = dir.path() / "trans.exe";
};

TEST_F(SaveStringsTest, UnchangedTextsReadBackTheSameInEveryProfile) {
    for (int number = 1; number <= kProfileCount; ++number) {
        const Bytes original = makeSampleExecutable(number, sampleTexts(), 3, 4);
        writeFileAtomically(path, original);
        LoadedExecutables loaded;
        loadExecutables(path, path, Notation::CStyle, loaded);
        const SaveResult result =
            saveStrings(path, loaded.translated,
                        {Notation::CStyle, loaded.primaryLangId, loaded.secondaryLangId});
        ASSERT_TRUE(result.saved);
        EXPECT_EQ(result.profile, number);
        // The sample generator stores texts exactly as a save does.
        EXPECT_EQ(readWholeFile(path), original) << "profile " << number;
        LoadedExecutables again;
        loadExecutables(path, path, Notation::Raw, again);
        EXPECT_EQ(again.translated, sampleTexts());
        EXPECT_EQ(again.primaryLangId, 3);
        EXPECT_EQ(again.secondaryLangId, 4);
    }
}

// Random raw texts in their canonical form: game bytes, pictures of every size, repeats,
// tails of other texts and empty texts. Between them they fit every build.
std::vector<std::string> randomTexts(std::mt19937& random) {
    std::vector<std::string> texts(kTextCount);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string& text = texts[i];
        const unsigned kind = random() % 20;
        if (i > 0 && kind == 0) {
            text = texts[random() % i];
        } else if (i > 0 && kind == 1) {
            const std::string& other = texts[random() % i];
            text = other.substr(other.size() - std::min<std::size_t>(other.size(), random() % 4));
        } else {
            for (unsigned length = random() % 14; length > 0; --length) {
                if (random() % 16 == 0) {
                    const std::uint32_t number = random() % 3 == 0 ? 0 : random() >> (random() % 32);
                    appendCompactPicture(text, number);
                } else {
                    const auto byte = static_cast<std::uint8_t>(1 + random() % 255);
                    text += static_cast<char>(byte == kPictureCode ? 'x' : byte);
                }
            }
        }
    }
    return texts;
}

// The save writes only the ranges it changes over a copy of the old file. Whether that copy is
// made in the kernel or the file is read and written whole, the file holds exactly what
// placing the texts into the old bytes in memory gives.
TEST_F(SaveStringsTest, KernelCopyAndWholeFilePathsWriteTheSameBytesInEveryProfile) {
    std::mt19937 random(16);
    const auto wholeFilePath = dir.path() / "whole.exe";
    for (int number = 1; number <= kProfileCount; ++number) {
        const ExeProfile& profile = profileByNumber(number);
        // Random bytes holding texts placed once before, so that the file is taken for the build.
        Bytes old(static_cast<std::size_t>(profile.fileSize));
        for (std::size_t i = 0; i + 4 <= old.size(); i += 4) {
            writeU32LE(old.data() + i, static_cast<std::uint32_t>(random()));
        }
        auto place = [&profile](Bytes& file, const std::vector<std::string>& texts,
                                const SaveOptions& options, std::int64_t& freeSpace) {
            std::vector<std::string> stored(texts.size());
            std::transform(texts.begin(), texts.end(), stored.begin(), expandPictures);
            stored[kPaddedText1 - 1].append(kTextPadding, '\0');
            stored[kPaddedText2 - 1].append(kTextPadding, '\0');
            std::vector<int> shares = findShareTargets(stored);
            followShareChains(shares);
            EXPECT_TRUE(placeStrings(file, profile, stored, shares, options.primaryLangId,
                                     options.secondaryLangId, freeSpace));
            return shares;
        };
        std::int64_t freeSpace = 0;
        place(old, randomTexts(random), {}, freeSpace);
        const std::vector<std::string> texts = randomTexts(random);
        const SaveOptions options{Notation::Raw, static_cast<std::uint8_t>(random() % 255),
                                  static_cast<std::uint8_t>(random() % 255)};
        Bytes expected = old;
        const std::vector<int> shares = place(expected, texts, options, freeSpace);

        writeFileAtomically(path, old);
        writeFileAtomically(wholeFilePath, old);
        const SaveResult inKernel = saveStrings(path, texts, options);
        WriteFault noKernelCopy;
        noKernelCopy.noClone = noKernelCopy.noKernelCopy = true;
        setWriteFaultForTesting(noKernelCopy);
        const SaveResult whole = saveStrings(wholeFilePath, texts, options);
        setWriteFaultForTesting({});

        ASSERT_TRUE(inKernel.saved && whole.saved);
        EXPECT_EQ(inKernel.freeSpace, freeSpace);
        EXPECT_EQ(whole.freeSpace, freeSpace);
        EXPECT_EQ(inKernel.shareTargets, shares);
        EXPECT_TRUE(readWholeFile(path) == expected) << "profile " << number;
        EXPECT_TRUE(readWholeFile(wholeFilePath) == expected) << "profile " << number;
        EXPECT_EQ(readBack(expected, number), texts);
    }
    EXPECT_EQ(dir.fileCount(), 2u);
}

TEST_F(SaveStringsTest, ReportsSharingFreeSpaceAndProgress) {
    writeFileAtomically(path, makeSampleExecutable(1, sampleTexts()));
    std::vector<std::string> texts = distinctTexts();
    texts[9] = texts[19] = "Same";
    std::vector<std::pair<SavePhase, int>> seen;
    SaveCallbacks callbacks;
    callbacks.progress = [&](SavePhase phase, int done) { seen.emplace_back(phase, done); };
    const SaveResult result = saveStrings(path, texts, {Notation::Raw, 20, 0}, callbacks);
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.shareTargets[9], 20);
    EXPECT_EQ(result.shareTargets[19], 0);
    ASSERT_EQ(seen.size(), 2u * 346u);
    EXPECT_EQ(seen[0], std::make_pair(SavePhase::Shortening, 0));
    EXPECT_EQ(seen[345], std::make_pair(SavePhase::Shortening, 3450));
    EXPECT_EQ(seen[346], std::make_pair(SavePhase::Arranging, 0));
    EXPECT_EQ(seen[347], std::make_pair(SavePhase::Arranging, 10));
    std::int64_t used = 0;
    for (int n = 1; n <= kTextCount; ++n) {
        used += n == 10 ? 0 : static_cast<std::int64_t>(texts[n - 1].size()) + 1;
    }
    used += 2 * kTextPadding;
    std::int64_t total = 0;
    for (const TextArea& a : profileByNumber(1).textAreas) {
        total += a.last - a.first + 1;
    }
    // Bytes left over at the ends of earlier areas are not counted.
    EXPECT_LE(result.freeSpace, total - used);
    EXPECT_GT(result.freeSpace, total - used - 40);
    EXPECT_EQ(freeSpaceText(1234), "1234 unused bytes remaining");
    EXPECT_EQ(readBack(readWholeFile(path), 1), texts);
}

TEST_F(SaveStringsTest, MalformedCStyleTextsAreReportedAndStoredAsErrorMarks) {
    writeFileAtomically(path, makeSampleExecutable(2, sampleTexts()));
    std::vector<std::string> texts = sampleTexts();
    for (std::string& t : texts) {
        t = rawToCStyle(t);
    }
    texts[4] = "bad %";
    texts[3452] = "\\ce";
    std::vector<std::pair<int, std::string>> errors;
    SaveCallbacks callbacks;
    callbacks.cstyleError = [&](int n, const std::string& message) {
        errors.emplace_back(n, message);
    };
    ASSERT_TRUE(saveStrings(path, texts, {Notation::CStyle, 0, 0}, callbacks).saved);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], std::make_pair(5, std::string("Unmatched % sign at the end of the text")));
    EXPECT_EQ(errors[1].first, 3453);
    const auto back = readBack(readWholeFile(path), 2);
    EXPECT_EQ(back[4], "-Error!-");
    EXPECT_EQ(back[3452], "-Error!-");
    EXPECT_EQ(back[5], sampleTexts()[5]);
    EXPECT_EQ(cstyleErrorBoxText(5, errors[0].second),
              "C-string error in string number 5:\n\rUnmatched % sign at the end of the text"
              "\n\rThe string won't be saved");
    EXPECT_EQ(progressCountText(3450), "3450/3453 strings completed");
    EXPECT_EQ(savePhaseText(SavePhase::Shortening), "Shortening strings...");
    EXPECT_EQ(savePhaseText(SavePhase::Arranging), "Arranging shortenings...");
}

TEST_F(SaveStringsTest, LackOfSpaceLeavesTheFileUntouched) {
    const Bytes original = makeSampleExecutable(3, sampleTexts());
    writeFileAtomically(path, original);
    std::vector<std::string> texts = distinctTexts();
    for (std::string& t : texts) {
        t = "[" + t + std::string(20, '.') + "]";
    }
    const SaveResult result = saveStrings(path, texts, {});
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.shareTargets.size(), static_cast<std::size_t>(kTextCount));
    EXPECT_EQ(readWholeFile(path), original);
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST_F(SaveStringsTest, FailedWriteKeepsTheOldFileWhole) {
    const Bytes original = makeSampleExecutable(4, sampleTexts());
    writeFileAtomically(path, original);
    setWriteFaultForTesting({WriteFault::Step::WriteData, 4096});
    EXPECT_THROW(saveStrings(path, distinctTexts(), {}), FileError);
    setWriteFaultForTesting({});
    EXPECT_EQ(readWholeFile(path), original);
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST_F(SaveStringsTest, ReadOnlyFileIsNotReplaced) {
    const Bytes original = makeSampleExecutable(1, sampleTexts());
    writeFileAtomically(path, original);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_THROW(saveStrings(path, distinctTexts(), {}), FileError);
    EXPECT_EQ(readWholeFile(path), original);
    EXPECT_TRUE(isReadOnlyFile(path));
}

TEST_F(SaveStringsTest, RefusesFilesOfUnknownSizeAndWrongTextCounts) {
    Bytes file = makeSampleExecutable(1, sampleTexts());
    file.push_back(0);
    writeFileAtomically(path, file);
    EXPECT_THROW(saveStrings(path, distinctTexts(), {}), FileError);
    EXPECT_EQ(readWholeFile(path), file);
    EXPECT_THROW(saveStrings(path, std::vector<std::string>(10), {}), std::invalid_argument);
    EXPECT_THROW(saveStrings(dir.path() / "missing.exe", distinctTexts(), {}), FileError);
}

TEST(SampleExecutable, RefusesBadRequests) {
    EXPECT_THROW(makeSampleExecutable(0, sampleTexts()), std::invalid_argument);
    EXPECT_THROW(makeSampleExecutable(5, sampleTexts()), std::invalid_argument);
    EXPECT_THROW(makeSampleExecutable(1, {"one"}), std::invalid_argument);
    std::vector<std::string> tooLong = distinctTexts();
    tooLong[0] = std::string(70000, 'x');
    EXPECT_THROW(makeSampleExecutable(1, tooLong), std::invalid_argument);
}

TEST(SampleExecutable, SampleTextsUseEveryCode) {
    std::string all;
    for (const std::string& t : sampleTexts()) {
        all += t;
    }
    for (int code : {5, 10, 14, 13, 37, 92}) {
        EXPECT_NE(all.find(static_cast<char>(code)), std::string::npos) << code;
    }
    for (int code = 123; code <= 155; ++code) {
        EXPECT_NE(all.find(static_cast<char>(code)), std::string::npos) << code;
    }
    for (const std::string& picture : {rawText({23, 255}), rawText({23, 1}), rawText({23, 2}),
                                       rawText({23, 3}), rawText({23, 4})}) {
        EXPECT_NE(all.find(picture), std::string::npos);
    }
}

}  // namespace
}  // namespace tarn
