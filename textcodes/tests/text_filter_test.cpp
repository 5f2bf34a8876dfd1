// SPDX-License-Identifier: GPL-3.0-or-later
// The grid filter's rules: which texts each kind lets through, the word in either text with
// case folded through the code page, and both at once.
#include "textcodes/text_filter.h"

#include <gtest/gtest.h>

#include "textcodes/cstyle.h"

namespace tarn {
namespace {

// Texts 1..6: translated, untranslated, a number left as it is, empty, changed, with an error.
struct Texts {
    std::vector<std::string> originals{"Open door", "Save game", "42", "", "Load", "%N gold"};
    std::vector<std::string> translations{
        "T\xFCr \xF6"
        "ffnen",
        "Save game",
        "42",
        "",
        "Laden",
        "Gold"};
    std::vector<std::string> loaded{
        "T\xFCr \xF6"
        "ffnen",
        "Save game",
        "42",
        "",
        "Load",
        "Gold"};
    std::vector<TextFinding> findings{{2, {Severity::Info, "untranslated", "same"}},
                                      {4, {Severity::Info, "longer", "by 3 bytes"}},
                                      {5, {Severity::Info, "line-breaks", "1 line break"}},
                                      {6, {Severity::Error, "value-codes", "no value codes"}}};

    std::vector<bool> shown(const TextFilter& filter) const {
        return textsShown(
            filter, {originals, translations, loaded, findings, byteCharacters(filter.codePage)});
    }
};

std::vector<int> numbers(const std::vector<bool>& shown) {
    std::vector<int> out;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i]) {
            out.push_back(static_cast<int>(i + 1));
        }
    }
    return out;
}

TEST(TextFilter, EachKindLetsThroughItsTexts) {
    const struct {
        TextFilterKind kind;
        std::vector<int> texts;
    } cases[] = {
        {TextFilterKind::All, {1, 2, 3, 4, 5, 6}},
        {TextFilterKind::Untranslated, {2}},  // "42" holds no letter, "" nothing
        {TextFilterKind::WithErrors, {6}},
        {TextFilterKind::WithFindings, {5, 6}},  // "untranslated" has its own filter; not "longer"
        {TextFilterKind::ChangedSinceLoad, {5}},
        {TextFilterKind::SameAsOriginal, {2, 3}},
    };
    const Texts texts;
    for (const auto& c : cases) {
        TextFilter filter;
        filter.kind = c.kind;
        EXPECT_EQ(numbers(texts.shown(filter)), c.texts) << static_cast<int>(c.kind);
    }
}

TEST(TextFilter, WordMatchesEitherTextWithoutCaseAndNarrowsTheKind) {
    Texts texts;
    TextFilter filter;
    filter.word = "GAME";
    EXPECT_EQ(numbers(texts.shown(filter)), (std::vector<int>{2}));
    filter.word = "gold";  // the original's "gold" and the translation's "Gold"
    EXPECT_EQ(numbers(texts.shown(filter)), (std::vector<int>{6}));
    filter.word = "\xD6";  // Ö in Windows-1252 finds ö
    EXPECT_EQ(numbers(texts.shown(filter)), (std::vector<int>{1}));
    filter.kind = TextFilterKind::WithErrors;
    EXPECT_TRUE(numbers(texts.shown(filter)).empty());

    // Case folds through the texts' own code page: Cyrillic in Windows-1251.
    texts.originals[3] = "\xB8\xEB\xEA\xE0";  // ёлка
    filter = {};
    filter.codePage = *CodePage::byNumber(1251);
    filter.word = "\xA8\xCB";  // ЁЛ
    EXPECT_EQ(numbers(texts.shown(filter)), (std::vector<int>{4}));
    filter.codePage = CodePage();  // in Windows-1252 these are other letters
    EXPECT_TRUE(numbers(texts.shown(filter)).empty());
}

TEST(TextFilter, WordIsLookedForInTheTextsAsTheGridShowsThem) {
    Texts texts;
    texts.originals[5] = "\x7B gold \x92";  // the value code %N and the colour code \c4
    TextFilter filter;
    filter.word = "%n";
    EXPECT_TRUE(numbers(texts.shown(filter)).empty());  // the game bytes hold no "%N"
    std::vector<std::string> shownOriginals;
    std::vector<std::string> shownTranslations;
    for (std::size_t i = 0; i < texts.originals.size(); ++i) {
        shownOriginals.push_back(rawToCStyle(texts.originals[i]));
        shownTranslations.push_back(rawToCStyle(texts.translations[i]));
    }
    const auto shownInCStyle = [&](const TextFilter& f) {
        return numbers(
            textsShown(f, {texts.originals, texts.translations, texts.loaded, texts.findings,
                           byteCharacters(f.codePage), &shownOriginals, &shownTranslations}));
    };
    for (const char* word : {"%n", "\\c4", "GOLD \\C4"}) {
        filter.word = word;
        EXPECT_EQ(shownInCStyle(filter), (std::vector<int>{6})) << word;
    }
    filter.word = "{";  // the code's byte is not what the grid shows
    EXPECT_TRUE(shownInCStyle(filter).empty());
    // The kinds still compare game bytes.
    filter = {};
    filter.kind = TextFilterKind::SameAsOriginal;
    shownTranslations[0] = shownOriginals[0];
    EXPECT_EQ(shownInCStyle(filter), (std::vector<int>{2, 3}));
}

TEST(TextFilter, TextsWithoutALoadedTranslationCountAsChanged) {
    Texts texts;
    texts.loaded.clear();  // nothing loaded yet
    TextFilter filter;
    filter.kind = TextFilterKind::ChangedSinceLoad;
    EXPECT_EQ(texts.shown(filter).size(), 6u);
    EXPECT_EQ(numbers(texts.shown(filter)).size(), 6u);
}

}  // namespace
}  // namespace tarn
