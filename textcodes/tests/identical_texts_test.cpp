// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/identical_texts.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

const std::string kValueCode(1, '\x7B');   // %N
const std::string kColourCode(1, '\x8E');  // \c0

TEST(IdenticalTexts, OnlyUntranslatedCopiesOfTheSameOriginalTakeANewTranslation) {
    const std::vector<std::string> originals = {"Save game", "Save game", "Save game",
                                                "save game", "Save game", "",
                                                "",          kValueCode,  kValueCode};
    const std::vector<std::string> translations = {
        "Spiel speichern", "Save game", "Sichern", "save game", "Save game", "", "",
        kValueCode,        kValueCode};
    const CodePage page;
    // Text 2 is translated otherwise and text 3 differs in case: neither is filled.
    EXPECT_EQ(untranslatedCopies(originals, translations, 0, page),
              (std::vector<std::size_t>{1, 4}));
    // Empty texts and texts of codes alone have nothing to share.
    EXPECT_TRUE(untranslatedCopies(originals, translations, 5, page).empty());
    EXPECT_TRUE(untranslatedCopies(originals, translations, 7, page).empty());
    EXPECT_TRUE(untranslatedCopies(originals, translations, 99, page).empty());
}

TEST(IdenticalTexts, ComparableTextKeepsLettersAndDigitsInLowerCase) {
    const CodePage page;  // Windows-1252
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Save game!", "savegame"},
        {kColourCode + "SAVE, game" + kValueCode, "savegame"},
        {"Level 2", "level2"},
        {"\xC4pfel", "\xE4pfel"},       // Äpfel: case through the code page
        {"Go\x17\x01\x05 on", "goon"},  // a picture is no part of the words
        {"...", ""},
    };
    for (const auto& [raw, key] : cases) {
        EXPECT_EQ(comparableText(raw, page), key) << raw;
    }
}

TEST(IdenticalTexts, SuggestionsOfTheSameOriginalComeBeforeSimilarOnes) {
    const std::vector<std::string> originals = {
        "Save game",  // the text being translated
        "SAVE GAME!", "Save game", "Save game", "Save game", kColourCode + "Save game",
        "Save games", "Save game"};
    const std::vector<std::string> translations = {
        "Save game",        "SPIEL SPEICHERN!", "Sichern",
        "Spiel speichern",  "Spiel speichern",  kColourCode + "Spiel speichern",
        "Spiele speichern", "Save game"};  // untranslated: no suggestion
    const std::vector<TranslationSuggestion> expected = {
        {3, "Spiel speichern", true},  // two texts share it
        {2, "Sichern", true},
        {1, "SPIEL SPEICHERN!", false},
        {5, kColourCode + "Spiel speichern", false},
    };
    EXPECT_EQ(suggestTranslations(originals, translations, 0, CodePage()), expected);
    // An original of signs alone resembles every other one: no suggestion.
    EXPECT_TRUE(suggestTranslations({"...", "!!!"}, {"...", "?"}, 0, CodePage()).empty());
}

}  // namespace
}  // namespace tarn
