#include "exchange/po_text.h"

#include <gtest/gtest.h>

#include "exetext/sample_executable.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

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
        EXPECT_EQ(rawToPoText(c.raw), c.text);
        std::string raw;
        ASSERT_TRUE(poTextToRaw(c.text, raw)) << c.text << ": " << raw;
        EXPECT_EQ(raw, c.raw) << c.text;
    }
}

TEST(PoText, EverySampleTextComesBackUnchanged) {
    for (const std::string& raw : sampleTexts()) {
        std::string back;
        ASSERT_TRUE(poTextToRaw(rawToPoText(raw), back)) << back;
        EXPECT_EQ(back, raw);
    }
}

TEST(PoText, TheEscapeAndALineFeedBothGiveALineBreak) {
    std::string raw;
    ASSERT_TRUE(poTextToRaw("a\\nb\nc\\\\n", raw));
    EXPECT_EQ(raw, rawText({'a', 5, 'b', 5, 'c', '\\', 'n'}));
}

TEST(PoText, RefusesWhatTheGameCannotShowWithThePosition) {
    struct Bad {
        std::string text;
        std::string message;
    };
    const std::vector<Bad> cases = {
        {"ab\xC3", "The text is not UTF-8 at character 3"},
        {"\xC3\xA9\xFF", "The text is not UTF-8 at character 2"},
        {"\xC3\xA9 \xE4\xB8\xAD", "The character U+4E2D at position 3 is not in the game's code page"},
        {"\xF0\x9F\x98\x80", "The character U+1F600 at position 1 is not in the game's code page"},
        {"\xC3\xA9\nab%x", "Incorrect % sequence at position 5"},
        {"50%", "Unmatched % sign at the end of the text"},
        {"a\\q", "Incorrect \\ sequence at position 2"},
    };
    for (const Bad& c : cases) {
        std::string result;
        EXPECT_FALSE(poTextToRaw(c.text, result)) << c.text;
        EXPECT_EQ(result, c.message);
    }
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
