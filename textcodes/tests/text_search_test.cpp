// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/text_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarn {
namespace {

const SearchOptions Plain{};
const SearchOptions WholeWords{.caseSensitive = false, .wholeWords = true};
const SearchOptions CaseSensitive{.caseSensitive = true};
const SearchOptions WholeText{.caseSensitive = false, .wholeText = true};

TEST(WordDelimiters, AreTheThirteenSeparators) {
    const std::string expected = std::string(" .,?!;:\\%()&") + '\r';
    EXPECT_EQ(WordDelimiters, expected);
    for (unsigned char c : std::string("-'\"aZ09\x05\x8E\xE9")) {
        EXPECT_FALSE(isWordDelimiter(c)) << int(c);
    }
    EXPECT_FALSE(isWordDelimiter('\n'));
}

TEST(textMatches, WholeWordsNeedDelimitersOnBothSides) {
    EXPECT_TRUE(textMatches("cat", "a cat.", WholeWords));
    EXPECT_TRUE(textMatches("cat", "cat", WholeWords));
    EXPECT_TRUE(textMatches("cat", "cat,dog", WholeWords));
    EXPECT_TRUE(textMatches("cat", "(cat)", WholeWords));
    EXPECT_TRUE(textMatches("cat", std::string("x\rcat"), WholeWords));
    EXPECT_FALSE(textMatches("cat", "cats", WholeWords));
    EXPECT_FALSE(textMatches("cat", "concat", WholeWords));
    EXPECT_FALSE(textMatches("cat", "cat-like", WholeWords));
    EXPECT_FALSE(textMatches("cat", "cat's", WholeWords));
    EXPECT_FALSE(textMatches("cat", "ca", WholeWords));
    // A later occurrence counts when an earlier one is inside a word.
    EXPECT_TRUE(textMatches("cat", "concat cat", WholeWords));
    EXPECT_TRUE(textMatches("cat", "concat cat", Plain));
}

TEST(textMatches, CaseFoldingFollowsTheGameCodePage) {
    EXPECT_TRUE(textMatches("ABC", "abc", Plain));
    EXPECT_TRUE(textMatches("ABC", "xAbcx", Plain));
    EXPECT_TRUE(textMatches("ABC", "ABC", CaseSensitive));
    EXPECT_FALSE(textMatches("ABC", "abc", CaseSensitive));
    EXPECT_FALSE(textMatches("ABC", "Abc", CaseSensitive));
    // Accented letters fold too: "\xC9T\xC9" is ETE with acute accents, "\xE9t\xE9" lower case.
    EXPECT_TRUE(textMatches("\xC9T\xC9", "l'\xE9t\xE9", Plain));
    EXPECT_TRUE(textMatches("\x8A", "\x9A", Plain));  // S caron
    EXPECT_TRUE(textMatches("\xFF", "\x9F", Plain));  // y diaeresis
    EXPECT_FALSE(textMatches("\xC9", "\xE9", CaseSensitive));
    // Control and code bytes compare as they are.
    EXPECT_TRUE(textMatches("\x91", "a\x91", Plain));
}

TEST(textMatches, CaseFoldingFollowsTheChosenCodePage) {
    SearchOptions polish = Plain;
    polish.codePage = *CodePage::byNumber(1250);
    // 0xA3 and 0xB3 are Ł and ł in 1250, but £ and ³ in 1252.
    EXPECT_TRUE(textMatches("\xA3\xF3" "d\x9F", "\xB3\xF3" "d\x9F", polish));
    EXPECT_FALSE(textMatches("\xA3", "\xB3", Plain));
    EXPECT_EQ(findMatch("\xA3", "a\xB3", polish), 2u);
    SearchOptions greek = Plain;
    greek.codePage = *CodePage::byNumber(1253);
    EXPECT_TRUE(textMatches("\xD3", "\xF2", greek));  // Σ matches final ς
    greek.caseSensitive = true;
    EXPECT_FALSE(textMatches("\xD3", "\xF2", greek));
    // A character table carries the case pairs: ś (9C) and Ś placed on A4 are one letter, and
    // the code byte 8C (%l) no longer matches ś.
    polish.codePage = polish.codePage.withPlaced(std::vector<CodePage::Placed>{{0xA4, U'Ś'}});
    EXPECT_TRUE(
        textMatches("\x9C"
                    "wiat",
                    "\xA4"
                    "wiat",
                    polish));
    EXPECT_TRUE(textMatches("\xA4", "\x9C", polish));
    EXPECT_FALSE(textMatches("\x9C", "\x8C", polish));
}

TEST(textMatches, EmptySearchTextNeverMatches) {
    EXPECT_FALSE(textMatches("", "abc", Plain));
    EXPECT_FALSE(textMatches("", "", WholeWords));
    EXPECT_EQ(findMatch("", "abc", Plain), 0u);
    EXPECT_EQ(findMatch("", "", WholeText), 0u);
}

TEST(findMatch, GivesOneBasedPositionOfTheFirstMatch) {
    EXPECT_EQ(findMatch("b", "abcb", Plain), 2u);
    EXPECT_EQ(findMatch("A", "bca", Plain), 3u);
    EXPECT_EQ(findMatch("x", "abc", Plain), 0u);
    EXPECT_EQ(findMatch("abcd", "abc", Plain), 0u);
    EXPECT_EQ(findMatch("cat", "concat cat", WholeWords), 8u);
    EXPECT_EQ(findMatch("cat", "cat", WholeWords), 1u);
}

TEST(findMatch, WholeTextComparesTheEntireText) {
    EXPECT_EQ(findMatch("YES", "Yes", WholeText), 1u);
    EXPECT_EQ(findMatch("YES", "Yes!", WholeText), 0u);
    EXPECT_EQ(findMatch("YES", "Yes", SearchOptions{.caseSensitive = true, .wholeText = true}), 0u);
    // Whole text wins over whole words.
    EXPECT_EQ(findMatch("a", "a b", SearchOptions{.wholeWords = true, .wholeText = true}), 0u);
}

}  // namespace
}  // namespace tarn
