// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling/spelling_check.h"

#include <gtest/gtest.h>

#include "common/tests/temp_dir.h"
#include "spelling/tests/test_dictionary.h"
#include "spelling/text_words.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

std::vector<std::string> words(std::string_view raw, const CodePage& codePage = CodePage()) {
    std::vector<std::string> found;
    for (const TextWord& word : textWords(raw, codePage)) {
        found.push_back(word.word);
    }
    return found;
}

struct WordsCase {
    const char* name;
    std::string raw;
    std::vector<std::string> words;
    int codePage = 1252;
};

class TextWords : public ::testing::TestWithParam<WordsCase> {};

TEST_P(TextWords, AreTheLetterRunsBetweenTheCodes) {
    const WordsCase& c = GetParam();
    EXPECT_EQ(words(c.raw, *CodePage::byNumber(c.codePage)), c.words);
}

INSTANTIATE_TEST_SUITE_P(
    SpellingCheck, TextWords,
    ::testing::Values(
        WordsCase{"Plain", "Save the game?", {"Save", "the", "game"}},
        // %N (123) and \c4 (146) end words, and their letters are none.
        WordsCase{
            "ValueAndColourCodes", rawText({'H', 'i', 123, 'y', 'o', 146, 'u'}), {"Hi", "yo", "u"}},
        WordsCase{"CodesAlone", rawText({123, ' ', 146, 5, 10, 14}), {}},
        // The number bytes of a picture are no letters, though 0x41 is "A".
        WordsCase{"Picture", rawText({'a', 23, 2, 0x41, 0x42, 'b'}), {"a", "b"}},
        WordsCase{"JoinedByApostropheOrHyphen",
                  "don't Nord-Ost 'quoted' end- -start",
                  {"don't", "Nord-Ost", "quoted", "end", "start"}},
        WordsCase{"DigitsMakeNoWord", "2nd level 10x B52", {"level"}},
        WordsCase{"ThroughTheCodePage",
                  rawText({'z', 0xB9, 'b'}),
                  {"z\xC4\x85"
                   "b"},
                  1250},
        // In code page 1250 byte 0x8A is a letter, but in a game text it is a code.
        WordsCase{"ACodeByteIsNoLetterInAnyPage", rawText({'a', 0x8A, 'b'}), {"a", "b"}, 1250}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextWords, KnowWhereTheyStand) {
    const auto found = textWords(rawText({'%', 'H', 'i', 123, 'y', 'o'}), CodePage());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], (TextWord{1, 2, "Hi"}));
    EXPECT_EQ(found[1], (TextWord{4, 2, "yo"}));
}

class SpellingCheckTest : public ::testing::Test {
protected:
    TempDir dir;
    std::unique_ptr<SpellChecker> checker;

    void SetUp() override {
        writeTestDictionary(dir.path(), "de_DE", {"Spiel", "sichern", "Welt", "hallo"});
        checker = SpellChecker::open("de", {dir.path()});
    }
};

TEST_F(SpellingCheckTest, ReportsEachUnknownWordOnceAndSkipsUntranslatedTexts) {
    const std::vector<std::string> originals{"Save game", "Hello %N", "World", "Bad", "X"};
    const std::vector<std::string> translations{"Spiel sichern", "Halo %N Wlet Halo \\c4Welt",
                                                "World", "\\q", "Welt\\nSpeil"};
    const auto findings =
        checkSpelling(originals, translations, Notation::CStyle, CodePage(), *checker);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].text, 2);
    EXPECT_EQ(findings[0].finding,
              (CheckFinding{Severity::Info, "spelling", "unknown words: Halo, Wlet"}));
    EXPECT_EQ(findings[1].text, 5);
    EXPECT_EQ(findings[1].finding.message, "unknown word: Speil");
    EXPECT_FALSE(checkSpelling("Hallo " + rawText({123}), CodePage(), *checker));
}

}  // namespace
}  // namespace tarn
