// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/stand_in_image.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Every structure of every build lies in a writable section mapped at its file offset +
// 0x400000, as the loader would map the game; the file has the build's exact size, and a
// size that is not a whole number of 4 KB units ends in an overlay after the last section.
TEST(StandInImage, MapsEveryStructureOfEveryBuildWhereTheGameHasIt) {
    if (!standInAvailable()) {
        GTEST_SKIP() << "this build carries no stand-in game";
    }
    for (int number = 1; number <= kProfileCount; ++number) {
        SCOPED_TRACE(number);
        const ExeProfile& profile = profileByNumber(number);
        const Bytes image = standInImage(profile);
        ASSERT_EQ(image.size(), static_cast<std::size_t>(profile.fileSize));
        const std::vector<PeSection> sections = peSections(image);
        const PeSection& game = sections.back();
        EXPECT_EQ(game.virtualAddress, game.rawOffset);
        EXPECT_NE(game.characteristics & kSectionWritable, 0u);
        const std::uint32_t end = game.rawOffset + game.rawSize;
        EXPECT_EQ(image.size() - end, profile.fileSize % 0x1000u);
        const auto inGame = [&](std::int64_t first, std::int64_t last) {
            return first >= game.rawOffset && last < end;
        };
        for (const TextArea& a : profile.textAreas) EXPECT_TRUE(inGame(a.first, a.last));
        for (const PointerBlock& b : profile.pointerBlocks) EXPECT_TRUE(inGame(b.first, b.last));
        for (const std::int32_t spot : profile.fixupSpots) EXPECT_TRUE(inGame(spot, spot + 47));
        // The program's own sections lie before it and leave no gap in memory.
        const PeSection& last = sections[sections.size() - 2];
        EXPECT_EQ((last.virtualAddress + last.virtualSize + 0xFFF) / 0x1000 * 0x1000,
                  game.virtualAddress);
        EXPECT_EQ(readU32LE(image.data() + readU32LE(image.data() + 0x3C) + 24 + 56), end);
    }
}

}  // namespace
}  // namespace tarn
