// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/pseudo_translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

#include "textcodes/code_table.h"
#include "textcodes/translation_checks.h"

namespace tarn {
namespace {

struct PseudoCase {
    const char* name;
    int page;
    std::optional<CodePage::Placed> placed;  // a character table's line over the page
    std::string raw;
    int percent;
    std::string expected;
};

CodePage pageOf(const PseudoCase& c) {
    const CodePage page = *CodePage::byNumber(c.page);
    return c.placed ? page.withPlaced(std::array{*c.placed}) : page;
}

class PseudoTranslation : public ::testing::TestWithParam<PseudoCase> {};

TEST_P(PseudoTranslation, KeepsCodesMapsLettersAndGrowsByThePercentage) {
    const PseudoCase& c = GetParam();
    const std::string out = pseudoTranslate(c.raw, c.percent, pageOf(c));
    EXPECT_EQ(out, c.expected);
    // The brackets and the padding make the growth: the percentage rounded up, at least 2.
    const std::size_t stored = storedLength(c.raw);
    const auto percent = static_cast<std::size_t>(std::max(c.percent, 0));
    const std::size_t growth =
        c.raw.empty() ? 0 : std::max<std::size_t>((stored * percent + 99) / 100, 2);
    EXPECT_EQ(storedLength(out), stored + growth);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PseudoTranslation,
    ::testing::Values(
        PseudoCase{"Western", 1252, {}, "Save gold", 0, "[S\xE1v\xE9 g\xF3l\xF0]"},
        // Ś and Š are codes in 1250 (8C, 8A): S takes Ş.
        PseudoCase{"CentralEuropean", 1250, {}, "Save Zone", 0, "[\xAA\xE1v\xE9 \xAF\xF3\xF1\xE9]"},
        PseudoCase{"CyrillicHasNoAccentedLatin", 1251, {}, "Save", 0, "[Save]"},
        // A table's letter is taken, and a letter whose byte it took falls back: á to à.
        PseudoCase{"CharacterTable", 1252, CodePage::Placed{0xE1, U'Ś'}, "Sa", 0, "[\xE1\xE0]"},
        PseudoCase{"Codes",
                   1252,
                   {},
                   rawText({'a', 123, 'e', 142, 'o', 14, 5, 10, 37, 92}),
                   0,
                   rawText({'[', 0xE1, 123, 0xE9, 142, 0xF3, 14, 5, 10, 37, 92, ']'})},
        PseudoCase{"DataOfSAndC",
                   1252,
                   {},
                   rawText({131, 'a', 'b', 'c', 132, 'd', 'e', 'f', 'g', 'i'}),
                   0,
                   rawText({'[', 131, 'a', 'b', 0xE7, 132, 'd', 'e', 'f', 'g', 0xED, ']'})},
        PseudoCase{"Picture",
                   1252,
                   {},
                   rawText({23, 2, 'a', 'e', 'o'}),
                   0,
                   rawText({'[', 23, 2, 'a', 'e', 0xF3, ']'})},
        PseudoCase{"PictureAmongData",
                   1252,
                   {},
                   rawText({131, 23, 1, 'a', 'e'}),
                   0,
                   rawText({'[', 131, 23, 1, 'a', 0xE9, ']'})},
        PseudoCase{"SpacesOutsideTheBrackets", 1252, {}, "  Hi ", 0, "  [H\xED] "},
        PseudoCase{"DataSpaceIsNoTrailingSpace",
                   1252,
                   {},
                   rawText({'a', 131, ' ', ' '}),
                   0,
                   rawText({'[', 0xE1, 131, ' ', ' ', ']'})},
        PseudoCase{"Padding", 1252, {}, "Hello world", 30, "[H\xE9ll\xF3 w\xF3rl\xF0 !]"},
        PseudoCase{"LongPadding",
                   1252,
                   {},
                   "ab",
                   500,
                   "[\xE1"
                   "b !!!! !!]"},
        PseudoCase{"PictureCountsFiveBytes",
                   1252,
                   {},
                   rawText({23, 255}),
                   100,
                   rawText({'[', 23, 255, ' ', '!', '!', ']'})},
        PseudoCase{"NegativePercentIsZero",
                   1252,
                   {},
                   "ab",
                   -50,
                   "[\xE1"
                   "b]"},
        PseudoCase{"Empty", 1252, {}, "", 30, ""},
        PseudoCase{"OnlySpaces", 1252, {}, "   ", 0, "   []"},
        // Codes whose bytes run past the end read what follows the text: they stay last.
        PseudoCase{"CutDataLast",
                   1252,
                   {},
                   "Chapter " + rawText({132}),
                   0,
                   "[\xC7h\xE1pt\xE9r] " + rawText({132})},
        PseudoCase{"CutPictureLast",
                   1252,
                   {},
                   rawText({'a', 23, 3, 1}),
                   0,
                   rawText({'[', 0xE1, ']', 23, 3, 1})},
        PseudoCase{
            "BarePictureCodeLast", 1252, {}, rawText({'a', 23}), 0, rawText({'[', 0xE1, ']', 23})}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever the page, a letter becomes itself or a letter on a byte of its own that shows it
// again and is neither a game code nor a control byte; every other byte stays.
TEST(PseudoLetters, NeverACodeOrControlByteOnEveryPage) {
    for (const int number : CodePage::supportedNumbers()) {
        const CodePage page = *CodePage::byNumber(number);
        const PseudoLetters letters = pseudoLetters(page);
        int accented = 0;
        for (int byte = 0; byte < 256; ++byte) {
            const unsigned char to = letters[static_cast<std::size_t>(byte)];
            const bool letter = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
            if (!letter || to == byte) {
                EXPECT_EQ(to, byte) << number;
                continue;
            }
            ++accented;
            EXPECT_GE(to, 0x80) << number << " " << byte;
            EXPECT_FALSE(to >= kFirstValueCode && to <= kLastColourCode) << number << " " << byte;
            EXPECT_TRUE(isLetter(page.toUnicode(to))) << number << " " << byte;
            EXPECT_EQ(page.fromUnicode(page.toUnicode(to)), to) << number << " " << byte;
        }
        // The Latin pages give many letters an accent (1252: 19 of 52); Arabic has a few
        // lower-case ones, the other scripts none.
        const bool latin =
            number == 1250 || number == 1252 || number == 1254 || number == 1257 || number == 1258;
        EXPECT_EQ(accented >= 16, latin) << number << ": " << accented;
    }
}

}  // namespace
}  // namespace tarn
