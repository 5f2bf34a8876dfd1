// The review the main window shows: the next finding after a row, and the characters the
// checks read in a code page.
#include "exetext/translation_review.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    // Only findings that want a look: text 4's info is passed over.
    const std::vector<TextFinding> mixed{
        {4, any}, {7, {Severity::Warning, "spaces", "m"}}, {9, {Severity::Error, "cstyle", "m"}}};
    EXPECT_EQ(nextFindingText(mixed, 0, Severity::Warning), 7);
    EXPECT_EQ(nextFindingText(mixed, 7, Severity::Warning), 9);
    EXPECT_EQ(nextFindingText(mixed, 0, Severity::Error), 9);
}

TEST(TranslationReview, FindsOneOriginalTranslatedTwoWays) {
    StringTableDocument document;
    for (const int row : {3, 8, 12}) {
        document.setText(row, StringTableDocument::OriginalColumn, "Save game");
    }
    document.setText(3, StringTableDocument::TranslatedColumn, "Spiel sichern");
    document.setText(8, StringTableDocument::TranslatedColumn, "Spiel speichern");
    document.setText(12, StringTableDocument::TranslatedColumn, "Spiel sichern");
    const TranslationReview review = reviewTranslations(document, nullptr, windows1252Characters());
    std::vector<std::pair<int, std::string>> inconsistent;
    for (const TextFinding& found : review.findings) {
        if (found.finding.check == "inconsistent") {
            inconsistent.emplace_back(found.text, found.finding.message);
        }
    }
    EXPECT_EQ(inconsistent, (std::vector<std::pair<int, std::string>>{
                                {8, "text 3 has the same original, translated otherwise"}}));
    EXPECT_TRUE(
        std::is_sorted(review.findings.begin(), review.findings.end(),
                       [](const TextFinding& a, const TextFinding& b) { return a.text < b.text; }));
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
