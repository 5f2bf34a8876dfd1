#include "patcher/yes_set.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(YesSet, OnlyTheFirstCharacterOfTheLineCountsInEitherCase) {
    const YesSet yes(u"y");
    EXPECT_TRUE(yes.answers("y"));
    EXPECT_TRUE(yes.answers("Y"));
    EXPECT_TRUE(yes.answers("yes"));
    EXPECT_FALSE(yes.answers("n"));
    EXPECT_FALSE(yes.answers("ny"));
    EXPECT_FALSE(yes.answers(""));
    EXPECT_FALSE(yes.answers(" y"));
}

TEST(YesSet, EmptyTextMeansExactlyYAndLowerCaseY) {
    const YesSet yes(u"");
    EXPECT_TRUE(yes.answers("Y"));
    EXPECT_TRUE(yes.answers("y"));
    EXPECT_FALSE(yes.answers("j"));
}

TEST(YesSet, AcceptsNonAsciiYesCharactersTypedInUtf8) {
    const YesSet yes(u"j\u00E4\u0434");  // j, a-umlaut, Cyrillic de
    EXPECT_TRUE(yes.answers("J"));
    EXPECT_TRUE(yes.answers("\xC3\x84"));  // capital A-umlaut
    EXPECT_TRUE(yes.answers("\xD0\x94"));  // capital De
    EXPECT_FALSE(yes.answers("y"));
    EXPECT_FALSE(yes.answers("4"));                  // the low byte of U+0434 is no answer
    EXPECT_TRUE(YesSet(u"\u00E4").answers("\xE4"));  // a Windows-1252 byte typed raw
}

}  // namespace
}  // namespace tarn
