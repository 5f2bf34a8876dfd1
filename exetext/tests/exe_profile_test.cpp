// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/exe_profile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/errors.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

TEST(ExeProfiles, SizesIdentifyTheFourBuilds) {
    EXPECT_EQ(findProfile(6802895), 1);
    EXPECT_EQ(findProfile(6746112), 2);
    EXPECT_EQ(findProfile(17006592), 3);
    EXPECT_EQ(findProfile(6868431), 4);
    for (const ExeProfile& p : kExeProfiles) {
        EXPECT_EQ(findProfile(p.fileSize - 1), -1);
        EXPECT_EQ(findProfile(p.fileSize + 1), -1);
    }
    EXPECT_EQ(findProfile(0), -1);
    EXPECT_EQ(profileByNumber(3).variantName, "American Big");
    EXPECT_EQ(profileByNumber(4).variantName, "Spanish v2.01.032");
    EXPECT_EQ(profileByNumber(1).variantName, profileByNumber(2).variantName);
}

TEST(ExeProfiles, PointerBlocksNumberAllTextsThrough) {
    for (const ExeProfile& p : kExeProfiles) {
        const auto& b = p.pointerBlocks;
        EXPECT_EQ(b[0].pointerCount(), 1926);
        EXPECT_EQ(b[1].pointerCount(), 1228);
        EXPECT_EQ(b[2].pointerCount(), 8);
        EXPECT_EQ(b[3].pointerCount(), 281);
        int total = 0;
        for (int k = 0; k < kPointerBlockCount; ++k) {
            const PointerBlock& block = b[static_cast<std::size_t>(k)];
            EXPECT_EQ((block.last - block.first + 1) % 4, 0);
            if (k >= 4) {
                EXPECT_EQ(block.pointerCount(), 1) << "block " << k + 1;
            }
            total += block.pointerCount();
            EXPECT_LT(block.last, p.fileSize);
            // No pointer block overlaps a text area (a save would overwrite its own texts).
            for (const TextArea& area : p.textAreas) {
                EXPECT_TRUE(block.last < area.first || block.first > area.last);
            }
        }
        EXPECT_EQ(total, kTextCount);
        for (const TextArea& area : p.textAreas) {
            EXPECT_EQ(area.delta, 0x400000);
            EXPECT_LT(area.first, area.last);
            EXPECT_LT(area.last, p.fileSize);
        }
        EXPECT_LT(p.fixupSpot(FixupSpot::PointerCopyRun) + 4 * kPointerCopyCount, p.fileSize);
        EXPECT_LT(p.fixupSpot(FixupSpot::LangIdSpot) + 9, p.fileSize);
    }
}

TEST(ExeProfiles, AddressesMapThroughTheFirstAreaHoldingThem) {
    const TextAreaTable& areas = profileByNumber(1).textAreas;
    EXPECT_EQ(addressToPosition(areas, 0x5AFBA0 + 0x400000), 0x5AFBA0u);
    EXPECT_EQ(addressToPosition(areas, 0x5B5F2A + 0x400000), 0x5B5F2Au);
    EXPECT_EQ(addressToPosition(areas, 0x5B5F2B + 0x400000), std::nullopt);
    EXPECT_EQ(addressToPosition(areas, 0x5AFB9F + 0x400000), std::nullopt);
    EXPECT_EQ(addressToPosition(areas, 0x5BF2D3 + 0x400000), 0x5BF2D3u);
    EXPECT_EQ(addressToPosition(areas, 0x5AFBA0), std::nullopt);  // a file offset, not an address
    EXPECT_EQ(addressToPosition(areas, 0xFFFFFFFFu), std::nullopt);
    EXPECT_EQ(addressToPosition(areas, 0), std::nullopt);
}

TEST(exeFileSize, SizeOrFileError) {
    TempDir dir;
    const auto path = dir.path() / "a.exe";
    std::ofstream(path) << "12345";
    EXPECT_EQ(exeFileSize(path), 5u);
    EXPECT_THROW(exeFileSize(dir.path() / "missing.exe"), FileError);
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST(LanguageIds, LieAtTheLanguageSpotAndNineBytesOnAndNeverPastTheFile) {
    const ExeProfile& profile = profileByNumber(1);
    const auto spot = static_cast<std::size_t>(profile.fixupSpot(FixupSpot::LangIdSpot));
    Bytes file(spot + 10, 0xAA);
    writeLanguageIds(file, profile, {20, 3});
    EXPECT_EQ(file[spot], 20);
    EXPECT_EQ(file[spot + 9], 3);
    EXPECT_EQ(file[spot + 1], 0xAA);
    EXPECT_EQ(readLanguageIds(file, profile), (LanguageIds{20, 3}));

    file.pop_back();  // the secondary byte is missing
    const Bytes shortFile = file;
    EXPECT_THROW(readLanguageIds(file, profile), StreamReadError);
    EXPECT_THROW(writeLanguageIds(file, profile, {1, 2}), StreamWriteError);
    EXPECT_EQ(file, shortFile);
}

}  // namespace
}  // namespace tarn
