// SPDX-License-Identifier: GPL-3.0-or-later
// The fast sharing search against a plain reading of the rule.
#include <gtest/gtest.h>

#include <random>

#include "exetext/exe_profile.h"
#include "exetext/string_table_writer.h"

namespace tarn {
namespace {

// The rule as stated: for p = 1..n, the lowest unshared i != p (never 3166 or 3169) whose
// bytes end with text p's bytes; then every chain followed to its end.
std::vector<int> plainShareTargets(const std::vector<std::string>& texts) {
    const int n = static_cast<int>(texts.size());
    std::vector<int> s(texts.size() + 1, 0);  // 1-based
    for (int p = 1; p <= n; ++p) {
        const std::string& tp = texts[static_cast<std::size_t>(p - 1)];
        for (int i = 1; i <= n; ++i) {
            if (i == p || i == kPaddedText1 || i == kPaddedText2 ||
                s[static_cast<std::size_t>(i)]) {
                continue;
            }
            const std::string& ti = texts[static_cast<std::size_t>(i - 1)];
            if (ti.size() >= tp.size() && ti.compare(ti.size() - tp.size(), tp.size(), tp) == 0) {
                s[static_cast<std::size_t>(p)] = i;
                break;
            }
        }
    }
    for (int p = 1; p <= n; ++p) {
        int t = s[static_cast<std::size_t>(p)];
        while (t != 0 && s[static_cast<std::size_t>(t)] != 0) {
            t = s[static_cast<std::size_t>(t)];
        }
        s[static_cast<std::size_t>(p)] = t;
    }
    return {s.begin() + 1, s.end()};
}

std::vector<int> fastShareTargets(const std::vector<std::string>& texts) {
    std::vector<int> s = findShareTargets(texts);
    followShareChains(s);
    return s;
}

std::vector<std::string> randomTexts(std::mt19937& rng, std::size_t count, int maxLength,
                                     const std::string& alphabet) {
    std::vector<std::string> texts(count);
    for (std::string& t : texts) {
        const int length = static_cast<int>(rng() % static_cast<unsigned>(maxLength + 1));
        for (int i = 0; i < length; ++i) {
            t += alphabet[rng() % alphabet.size()];
        }
    }
    return texts;
}

TEST(ShareTargets, EqualsThePlainRuleOnRandomFullTables) {
    std::mt19937 rng(3453);
    const std::string withZero("ab\0", 3);
    const struct {
        int maxLength;
        std::string alphabet;
    } shapes[] = {{3, "ab"}, {6, withZero}, {12, "abc"}, {2, "a"}};
    for (const auto& shape : shapes) {
        std::vector<std::string> texts =
            randomTexts(rng, kTextCount, shape.maxLength, shape.alphabet);
        texts[kPaddedText1 - 1].append(kTextPadding, '\0');
        texts[kPaddedText2 - 1].append(kTextPadding, '\0');
        ASSERT_EQ(fastShareTargets(texts), plainShareTargets(texts)) << shape.alphabet;
    }
}

TEST(ShareTargets, EqualsThePlainRuleOnManySmallTables) {
    std::mt19937 rng(17);
    for (int round = 0; round < 500; ++round) {
        const std::size_t count = rng() % 40;
        const auto texts = randomTexts(rng, count, static_cast<int>(rng() % 5), "xyz");
        ASSERT_EQ(fastShareTargets(texts), plainShareTargets(texts)) << "round " << round;
    }
}

std::vector<std::string> distinctTexts() {
    std::vector<std::string> texts(kTextCount);
    for (int n = 1; n <= kTextCount; ++n) {
        texts[static_cast<std::size_t>(n - 1)] = "Text " + std::to_string(n);
    }
    return texts;
}

TEST(ShareTargets, EqualTextsChainsAndEmptyTexts) {
    std::vector<std::string> texts = distinctTexts();
    texts[9] = texts[19] = "Same";  // texts 10 and 20
    texts[4] = "ob";                // 5 -> 9 -> 40
    texts[8] = "Hob";
    texts[39] = "The Hob";
    texts[99] = "";  // text 100
    const auto s = fastShareTargets(texts);
    EXPECT_EQ(s[9], 20);
    EXPECT_EQ(s[19], 0);
    EXPECT_EQ(s[4], 40);
    EXPECT_EQ(s[8], 40);
    EXPECT_EQ(s[39], 0);
    EXPECT_EQ(s[99], 1);  // the lowest text still unshared
}

TEST(ShareTargets, PaddedTextsAreNeverContainers) {
    std::vector<std::string> texts = distinctTexts();
    texts[kPaddedText1 - 1].append(kTextPadding, '\0');
    texts[kPaddedText2 - 1].append(kTextPadding, '\0');
    texts[9] = std::string(31, '\0');   // ends both padded texts, yet stays unshared
    texts[10] = std::string(30, '\0');  // shares into text 10
    texts[kPaddedText2 - 1] = texts[kPaddedText1 - 1];
    const auto s = fastShareTargets(texts);
    EXPECT_EQ(s[9], 0);
    EXPECT_EQ(s[10], 10);
    EXPECT_EQ(s[kPaddedText1 - 1], 0);  // its equal twin 3169 is no container
    EXPECT_EQ(s[kPaddedText2 - 1], 0);
}

TEST(ShareTargets, ReportsProgressEveryTenTexts) {
    std::vector<int> seen;
    const auto s = findShareTargets(distinctTexts(), [&](int done) { seen.push_back(done); });
    ASSERT_EQ(seen.size(), 345u);
    EXPECT_EQ(seen.front(), 10);
    EXPECT_EQ(seen.back(), 3450);
}

}  // namespace
}  // namespace tarn
