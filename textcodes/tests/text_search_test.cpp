#include "textcodes/text_search.h"

#include <gtest/gtest.h>

#include <string>

namespace tarn {
namespace {

constexpr SearchOptions Plain{};
constexpr SearchOptions WholeWords{.caseSensitive = false, .wholeWords = true};
constexpr SearchOptions CaseSensitive{.caseSensitive = true};
constexpr SearchOptions WholeText{.caseSensitive = false, .wholeText = true};

TEST(WordDelimiters, AreTheThirteenSeparators) {
    const std::string expected = std::string(" .,?!;:\\%()&") + '\r';
    EXPECT_EQ(WordDelimiters, expected);
    for (unsigned char c : std::string("-'\"aZ09\x05\x8E\xE9")) {
        EXPECT_FALSE(isWordDelimiter(c)) << int(c);
    }
    EXPECT_FALSE(isWordDelimiter('\n'));
}

TEST(TextMatches, WholeWordsNeedDelimitersOnBothSides) {
    EXPECT_TRUE(TextMatches("cat", "a cat.", WholeWords));
    EXPECT_TRUE(TextMatches("cat", "cat", WholeWords));
    EXPECT_TRUE(TextMatches("cat", "cat,dog", WholeWords));
    EXPECT_TRUE(TextMatches("cat", "(cat)", WholeWords));
    EXPECT_TRUE(TextMatches("cat", std::string("x\rcat"), WholeWords));
    EXPECT_FALSE(TextMatches("cat", "cats", WholeWords));
    EXPECT_FALSE(TextMatches("cat", "concat", WholeWords));
    EXPECT_FALSE(TextMatches("cat", "cat-like", WholeWords));
    EXPECT_FALSE(TextMatches("cat", "cat's", WholeWords));
    EXPECT_FALSE(TextMatches("cat", "ca", WholeWords));
    // A later occurrence counts when an earlier one is inside a word.
    EXPECT_TRUE(TextMatches("cat", "concat cat", WholeWords));
    EXPECT_TRUE(TextMatches("cat", "concat cat", Plain));
}

TEST(TextMatches, CaseFoldingFollowsTheGameCodePage) {
    EXPECT_TRUE(TextMatches("ABC", "abc", Plain));
    EXPECT_TRUE(TextMatches("ABC", "xAbcx", Plain));
    EXPECT_TRUE(TextMatches("ABC", "ABC", CaseSensitive));
    EXPECT_FALSE(TextMatches("ABC", "abc", CaseSensitive));
    EXPECT_FALSE(TextMatches("ABC", "Abc", CaseSensitive));
    // Accented letters fold too: "\xC9T\xC9" is ETE with acute accents, "\xE9t\xE9" lower case.
    EXPECT_TRUE(TextMatches("\xC9T\xC9", "l'\xE9t\xE9", Plain));
    EXPECT_TRUE(TextMatches("\x8A", "\x9A", Plain));  // S caron
    EXPECT_TRUE(TextMatches("\xFF", "\x9F", Plain));  // y diaeresis
    EXPECT_FALSE(TextMatches("\xC9", "\xE9", CaseSensitive));
    // Control and code bytes compare as they are.
    EXPECT_TRUE(TextMatches("\x91", "a\x91", Plain));
}

TEST(TextMatches, EmptySearchTextNeverMatches) {
    EXPECT_FALSE(TextMatches("", "abc", Plain));
    EXPECT_FALSE(TextMatches("", "", WholeWords));
    EXPECT_EQ(FindMatch("", "abc", Plain), 0u);
    EXPECT_EQ(FindMatch("", "", WholeText), 0u);
}

TEST(FindMatch, GivesOneBasedPositionOfTheFirstMatch) {
    EXPECT_EQ(FindMatch("b", "abcb", Plain), 2u);
    EXPECT_EQ(FindMatch("A", "bca", Plain), 3u);
    EXPECT_EQ(FindMatch("x", "abc", Plain), 0u);
    EXPECT_EQ(FindMatch("abcd", "abc", Plain), 0u);
    EXPECT_EQ(FindMatch("cat", "concat cat", WholeWords), 8u);
    EXPECT_EQ(FindMatch("cat", "cat", WholeWords), 1u);
}

TEST(FindMatch, WholeTextComparesTheEntireText) {
    EXPECT_EQ(FindMatch("YES", "Yes", WholeText), 1u);
    EXPECT_EQ(FindMatch("YES", "Yes!", WholeText), 0u);
    EXPECT_EQ(FindMatch("YES", "Yes", SearchOptions{.caseSensitive = true, .wholeText = true}), 0u);
    // Whole text wins over whole words.
    EXPECT_EQ(FindMatch("a", "a b", SearchOptions{.wholeWords = true, .wholeText = true}), 0u);
}

}  // namespace
}  // namespace tarn
