// SPDX-License-Identifier: GPL-3.0-or-later
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

// The window lists what exe check prints: each text's own findings, longer, then inconsistent.
TEST(TranslationReview, FindingsAreThoseOfCheckTranslations) {
    StringTableDocument document;
    std::vector<std::string> originals(StringTableDocument::kRows);
    std::vector<std::string> translations(StringTableDocument::kRows);
    const auto set = [&](int row, std::string original, std::string translated) {
        document.setText(row, StringTableDocument::OriginalColumn, original);
        document.setText(row, StringTableDocument::TranslatedColumn, translated);
        originals[static_cast<std::size_t>(row - 1)] = std::move(original);
        translations[static_cast<std::size_t>(row - 1)] = std::move(translated);
    };
    set(1, "Save game", "Spiel sichern");
    set(2, "Save game", "Spiel speichern");
    set(3, "Save game", "Spiel sichern");
    set(4, "Gold \x7B", "\x85 Goldm\xFCnzen");  // %N lost, an ellipsis typed
    set(5, "Hi", "Hi");
    set(6, "Yes", "Ja");
    const auto summary = [](const std::vector<TextFinding>& findings, int only = 0) {
        std::vector<std::string> rows;
        for (const TextFinding& found : findings) {
            if (only == 0 || found.text == only) {
                rows.push_back(std::to_string(found.text) + " " + std::string(found.finding.check) +
                               (found.finding.excess > 0
                                    ? " " + std::to_string(found.finding.excess)
                                    : std::string()));
            }
        }
        return rows;
    };
    const TranslationReview review = reviewTranslations(document, nullptr, windows1252Characters());
    const std::vector<TextFinding> checked =
        checkTranslations(originals, translations, Notation::Raw, windows1252Characters());
    ASSERT_EQ(review.findings.size(), checked.size());
    for (std::size_t i = 0; i < checked.size(); ++i) {
        EXPECT_EQ(review.findings[i].text, checked[i].text) << i;
        EXPECT_EQ(review.findings[i].finding, checked[i].finding) << i;
    }
    EXPECT_EQ(summary(review.findings),
              (std::vector<std::string>{"1 longer 4", "2 longer 6", "2 inconsistent", "3 longer 4",
                                        "4 value-codes", "4 typed-code", "4 longer 6",
                                        "5 untranslated"}));

    // A translation that does not convert gives its error alone, however long it is.
    document.setNotation(Notation::CStyle);
    document.setText(6, StringTableDocument::TranslatedColumn, "Ja, ganz bestimmt 100 %");
    EXPECT_EQ(summary(reviewTranslations(document, nullptr, windows1252Characters()).findings, 6),
              std::vector<std::string>{"6 cstyle"});
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
