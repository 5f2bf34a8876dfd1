// The review the main window shows: the next finding after a row, and the characters the
// checks read in a code page.
#include "exetext/translation_review.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(TranslationReview, NextFindingTextIsTheFirstTextAfterTheRow) {
    const CheckFinding any{Severity::Info, "untranslated", "m"};
    const std::vector<TextFinding> findings{{4, any}, {4, any}, {9, any}};
    EXPECT_EQ(nextFindingText(findings, 0), 4);
    EXPECT_EQ(nextFindingText(findings, 4), 9);
    EXPECT_EQ(nextFindingText(findings, 8), 9);
    EXPECT_EQ(nextFindingText(findings, 9), 0);
    EXPECT_EQ(nextFindingText({}, 0), 0);
}

TEST(TranslationReview, CodePageCharactersLeaveUnassignedBytesWithoutCharacter) {
    const ByteCharacters characters = byteCharacters(CodePage());
    EXPECT_EQ(characters[147], U'\u201C');
    EXPECT_EQ(characters[128], U'\u20AC');
    EXPECT_EQ(characters[0x81], U'\0');  // unassigned in Windows-1252: never "printable"
    EXPECT_EQ(characters['A'], U'A');
}

}  // namespace
}  // namespace tarn
