// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_texts_check.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

ObjectFile file(std::string name, ObjectFileTexts texts) {
    ObjectFile f;
    f.fileName = std::move(name);
    f.texts = std::move(texts);
    return f;
}

// The pairs are the first entry of each ID in a group; a group without both IDs has none.
TEST(ObjectTextsCheck, PairsTakeTheFirstEntryOfEachIdAndSkipGroupsWithoutBoth) {
    const std::vector<ObjectFile> files = {
        file("A.DAT", {{{0, "Key"}, {5, "Schluessel"}, {5, "later"}}, {{0, "only source"}}}),
        file("B.DAT", {{{5, "Tuer"}, {0, "Door"}}}),
    };
    const std::vector<ObjectTextPair> pairs = objectTextPairs(files, 0, 5);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].target, "Schluessel");
    EXPECT_EQ(pairs[1].file, 1u);
    EXPECT_EQ(pairs[1].group, 0u);
    EXPECT_EQ(pairs[1].source, "Door");
    EXPECT_EQ(groupLabel(files, pairs[1]), "B.DAT 0");
}

// Each pair's own findings, then the check across groups naming the prevailing group.
TEST(ObjectTextsCheck, FindsEachPairsFaultsAndInconsistentGroups) {
    const std::vector<ObjectFile> files = {
        file("A.DAT", {{{0, "Take \x7B"}, {5, "Nimm"}}, {{0, "Door"}, {5, "Tuer"}}}),
        file("B.DAT", {{{0, "Door"}, {5, "Tuer"}}, {{0, "Door"}, {5, "Pforte"}}}),
    };
    const std::vector<ObjectTextPair> pairs = objectTextPairs(files, 0, 5);
    const std::vector<TextFinding> findings =
        checkObjectTexts(files, pairs, windows1252Characters());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].text, 1);
    EXPECT_EQ(findings[0].finding.check, "value-codes");
    EXPECT_EQ(findings[1].text, 4);
    EXPECT_EQ(findings[1].finding.check, "inconsistent");
    EXPECT_NE(findings[1].finding.message.find("A.DAT 1"), std::string::npos)
        << findings[1].finding.message;
}

}  // namespace
}  // namespace tarn
