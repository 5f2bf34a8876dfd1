// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/consistency_check.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct ConsistencyCase {
    const char* name;
    std::vector<std::string> originals;  // raw
    std::vector<std::string> translations;
    std::vector<std::pair<std::size_t, std::size_t>> found;  // text, prevailing text
};

class Inconsistencies : public ::testing::TestWithParam<ConsistencyCase> {};

TEST_P(Inconsistencies, FindTheTextsTranslatedOtherwise) {
    const ConsistencyCase& c = GetParam();
    std::vector<std::pair<std::size_t, std::size_t>> found;
    for (const Inconsistency& i :
         findInconsistencies(c.originals, c.translations, windows1252Characters())) {
        found.emplace_back(i.index, i.prevailing);
    }
    EXPECT_EQ(found, c.found);
}

const std::string kValueCode(1, '\x7B');  // %N

INSTANTIATE_TEST_SUITE_P(
    ConsistencyCheck, Inconsistencies,
    ::testing::Values(
        ConsistencyCase{"TwoWaysTheEarliestPrevails",
                        {"Save game", "Load", "Save game"},
                        {"Spiel sichern", "Laden", "Spiel speichern"},
                        {{2, 0}}},
        ConsistencyCase{"TheMostSharedPrevails",
                        {"Save", "Save", "Save", "Save"},
                        {"Sichern", "Speichern", "Speichern", "Ablegen"},
                        {{0, 1}, {3, 1}}},
        ConsistencyCase{"UntranslatedCopiesDoNotCount",
                        {"Save", "Save", "Save"},
                        {"Save", "Sichern", "Save"},
                        {}},
        ConsistencyCase{"OneTranslationEverywhere", {"Save", "Save"}, {"Sichern", "Sichern"}, {}},
        ConsistencyCase{"DifferentOriginals", {"Save", "save"}, {"Sichern", "speichern"}, {}},
        ConsistencyCase{"NoLetterNothingToTranslate",
                        {"12 " + kValueCode, "12 " + kValueCode},
                        {"12." + kValueCode, kValueCode + " 12"},
                        {}},
        ConsistencyCase{
            "TheShorterListDecides", {"Save", "Save", "Save"}, {"Sichern", "Speichern"}, {{1, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConsistencyCheck, ComesWithTheOtherChecksInTextOrder) {
    // C-style cells: an escape that spells the same bytes is the same translation.
    const std::vector<std::string> originals{"Save %N", "Save %N", "Quit", "Save %N"};
    const std::vector<std::string> translations{"Sichern %N", "Sichern", "Ende", "\\x53ichern %N"};
    const auto findings =
        checkTranslations(originals, translations, Notation::CStyle, windows1252Characters());
    // Texts 1 and 4 are longer than their originals, text 2 too (and lacks its %N).
    ASSERT_EQ(findings.size(), 5u);
    EXPECT_EQ(findings[1].text, 2);
    EXPECT_EQ(findings[1].finding.check, "value-codes");
    EXPECT_EQ(findings[2].finding.check, "longer");
    EXPECT_EQ(findings[3].text, 2);
    EXPECT_EQ(findings[3].finding,
              (CheckFinding{Severity::Warning, "inconsistent",
                            "text 1 has the same original, translated otherwise"}));
    EXPECT_EQ(findings[4].text, 4);
    // A malformed cell takes no part.
    const auto malformed = checkTranslations({"Save", "Save"}, {"Sichern", "\\q"}, Notation::CStyle,
                                             windows1252Characters());
    ASSERT_EQ(malformed.size(), 2u);
    EXPECT_EQ(malformed[0].finding.check, "longer");
    EXPECT_EQ(malformed[1].finding.check, "cstyle");
}

}  // namespace
}  // namespace tarn
