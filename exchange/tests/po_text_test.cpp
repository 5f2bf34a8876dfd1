// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_text.h"

#include <gtest/gtest.h>

#include "exetext/sample_executable.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

// The raw text, or "refused: " and the reason.
std::string outcome(const Converted<std::string>& converted) {
    return converted ? converted.value() : "refused: " + converted.problem().message;
}

struct TextCase {
    std::string raw;
    std::string text;  // UTF-8
};

TEST(PoText, ShowsCodesInCStyleAndLineBreaksAsLines) {
    const std::vector<TextCase> cases = {
        {"", ""},
        {rawText({'A', 5, 'B', 5}), "A\nB\n"},
        {rawText({5, 5}), "\n\n"},
        {"100%", "100%%"},
        {"C:\\games", "C:\\\\games"},
        {rawText({23, 255, 23, 1, 5, 23, 2, 0, 1, 23, 4, 1, 2, 3, 4}),
         "\\p00000000\\p00000005\\p00000100\\p04030201"},
        {rawText({10, 14, 123, 126, 141, 142, 155, 13, 0x7A}), "\\t\\d%N%W%p\\c0\\cd\\x0Dz"},
        {rawText({0xE9, 0xA3, 0xDF, 0x9C}), "\xC3\xA9\xC2\xA3\xC3\x9F\xC5\x93"},  // é£ßœ
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(rawToPoText(c.raw, CodePage()), c.text);
        EXPECT_EQ(outcome(poTextToRaw(c.text, CodePage())), c.raw) << c.text;
    }
}

TEST(PoText, EverySampleTextComesBackUnchanged) {
    for (const std::string& raw : sampleTexts()) {
        EXPECT_EQ(outcome(poTextToRaw(rawToPoText(raw, CodePage()), CodePage())), raw);
    }
}

TEST(PoText, TheEscapeAndALineFeedBothGiveALineBreak) {
    EXPECT_EQ(outcome(poTextToRaw("a\\nb\nc\\\\n", CodePage())),
              rawText({'a', 5, 'b', 5, 'c', '\\', 'n'}));
}

TEST(PoText, RefusesWhatTheGameCannotShowWithThePosition) {
    struct Bad {
        std::string text;
        std::string message;
    };
    const std::vector<Bad> cases = {
        {"ab\xC3", "The text is not UTF-8 at character 3"},
        {"\xC3\xA9\xFF", "The text is not UTF-8 at character 2"},
        {"\xC3\xA9 \xE4\xB8\xAD",
         "The character '\xE4\xB8\xAD' (U+4E2D) at position 3 is not in code page 1252"},
        {"\xF0\x9F\x98\x80",
         "The character '\xF0\x9F\x98\x80' (U+1F600) at position 1 is not in code page 1252"},
        // A direction override would turn the rest of the line around: its code point alone.
        {"\xE2\x80\xAE", "The character U+202E at position 1 is not in code page 1252"},
        {"\xC3\xA9\nab%x", "Incorrect % sequence at position 5"},
        {"50%", "Unmatched % sign at the end of the text"},
        {"a\\q", "Incorrect \\ sequence at position 2"},
    };
    for (const Bad& c : cases) {
        EXPECT_EQ(outcome(poTextToRaw(c.text, CodePage())), "refused: " + c.message);
    }
    // A character whose byte a character table gave to another is named with that one.
    const CodePage::Placed placed[] = {{0xA7, U'\u0164'}};
    EXPECT_EQ(outcome(poTextToRaw("\xC2\xA7", CodePage().withPlaced(placed))),
              "refused: The character '\xC2\xA7' (U+00A7) at position 1 is byte A7, which the "
              "character table gives to \xC5\xA4");
}

TEST(PoText, EachCodePageGivesItsOwnLettersAndRefusesOthers) {
    const CodePage central = *CodePage::byNumber(1250);
    const CodePage cyrillic = *CodePage::byNumber(1251);
    const std::string polish = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
    const std::string polishText = "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 "
                                   "ja\xC5\xBA\xC5\x84";  // Zażółć gęślą jaźń
    const std::string russian = "\xA8\xE6\xE8\xEA\x05\xE2 \xF2\xF3\xEC\xE0\xED\xE5";
    const std::string russianText = "\xD0\x81\xD0\xB6\xD0\xB8\xD0\xBA\n\xD0\xB2 "
                                    "\xD1\x82\xD1\x83\xD0\xBC\xD0\xB0\xD0\xBD\xD0\xB5";
    EXPECT_EQ(rawToPoText(polish, central), polishText);
    EXPECT_EQ(rawToPoText(russian, cyrillic), russianText);
    EXPECT_NE(rawToPoText(polish, CodePage()), polishText);  // the same bytes, other letters
    EXPECT_EQ(outcome(poTextToRaw(polishText, central)), polish);
    EXPECT_EQ(outcome(poTextToRaw(russianText, cyrillic)), russian);
    EXPECT_EQ(outcome(poTextToRaw(russianText, central)),
              "refused: The character '\xD0\x81' (U+0401) at position 1 is not in code page 1250");
    EXPECT_EQ(outcome(poTextToRaw(polishText, CodePage())),
              "refused: The character '\xC5\xBC' (U+017C) at position 3 is not in code page 1252");
}

TEST(PoText, LineBreaksAtTheEndsAreComparedAsGettextDoes) {
    EXPECT_FALSE(lineBreaksDifferAtEnds("a\nb", "c"));
    EXPECT_FALSE(lineBreaksDifferAtEnds("\na\n", "\n\nb\n"));
    EXPECT_TRUE(lineBreaksDifferAtEnds("\na", "a"));
    EXPECT_TRUE(lineBreaksDifferAtEnds("a", "a\n"));
    EXPECT_TRUE(lineBreaksDifferAtEnds("", "\n"));
}

}  // namespace
}  // namespace tarn
