// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/game_code_page.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(GameCodePage, EveryByteHasOneCharacterAndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
        EXPECT_EQ(unicodeToGameByte(gameByteToUnicode(static_cast<unsigned char>(b))),
                  static_cast<unsigned char>(b));
    }
    EXPECT_EQ(utf8ToGameBytes(gameBytesToUtf8(all)), all);
    EXPECT_EQ(gameByteToUnicode(0x80), 0x20ACu);
    EXPECT_EQ(gameByteToUnicode(0x81), 0x81u);
    EXPECT_EQ(gameByteToUnicode(0x9D), 0x9Du);
}

TEST(GameCodePage, RefusesMalformedUtf8AndCharactersOutsideTheCodePage) {
    EXPECT_FALSE(utf8ToGameBytes("\xC3"));            // cut off
    EXPECT_FALSE(utf8ToGameBytes("\xC0\x80"));        // overlong
    EXPECT_FALSE(utf8ToGameBytes("\xE2\x82\xAD"));    // U+20AD is not in the code page
    EXPECT_EQ(utf8ToGameBytes("\xE2\x82\xAC"), std::string("\x80"));
}

TEST(GameCodePage, CaseFoldingCoversAccentedLetters) {
    EXPECT_EQ(gameToUpper('a'), 'A');
    EXPECT_EQ(gameToUpper(0xE9), 0xC9);  // e acute
    EXPECT_EQ(gameToUpper(0xF7), 0xF7);  // division sign has no case
    EXPECT_EQ(gameToUpper(0xFF), 0x9F);  // y diaeresis
    EXPECT_EQ(gameToLower(0x8A), 0x9A);  // S caron
    EXPECT_EQ(gameToLower(0xD7), 0xD7);  // multiplication sign
    EXPECT_EQ(gameToUpper(0xDF), 0xDF);  // sharp s stays
}

}  // namespace
}  // namespace tarn
