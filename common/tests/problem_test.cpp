// SPDX-License-Identifier: GPL-3.0-or-later
// A problem is worded one way everywhere: the file in front, its line after a colon, the byte at
// the end; and a conversion answers either its value or its problem, never both.
#include "common/errors.h"

#include <gtest/gtest.h>

#include <string>

namespace tarn {
namespace {

TEST(ProblemTest, DescribeWordsEachPartInItsPlace) {
    struct Row {
        Problem problem;
        std::string expected;
    };
    const Row rows[] = {
        {{std::nullopt, "", std::nullopt, std::nullopt, "Stream read error"}, "Stream read error"},
        {{0, "b.dat", std::nullopt, std::nullopt, "bad checksum"}, "b.dat: bad checksum"},
        {{std::nullopt, "x.po", 12, std::nullopt, "A text cannot hold the byte 00"},
         "x.po:12: A text cannot hold the byte 00"},
        {{1, "b.dat", std::nullopt, 16, "unsupported encoding 2"},
         "b.dat: unsupported encoding 2 at byte 16"},
        {{std::nullopt, "", std::nullopt, 812, "unexpected end of data"},
         "unexpected end of data at byte 812"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(describe(row.problem), row.expected);
}

TEST(ProblemTest, ConvertedHoldsEitherTheValueOrTheProblem) {
    Converted<std::string> made(std::string("abc"));
    ASSERT_TRUE(made);
    EXPECT_EQ(made.value(), "abc");

    Converted<std::string> refused(Problem{{}, "", {}, 3, "unknown code"});
    ASSERT_FALSE(refused);
    EXPECT_EQ(describe(refused.problem()), "unknown code at byte 3");
    EXPECT_THROW(refused.value(), std::bad_variant_access);
}

}  // namespace
}  // namespace tarn
