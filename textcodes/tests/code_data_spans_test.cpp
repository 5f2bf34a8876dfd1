// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/code_data_spans.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct Spans {
    const char* name;
    std::string text;
    Notation notation;
    std::vector<std::pair<std::size_t, std::size_t>> expected;  // begin, end
    std::vector<bool> cutShort;
};

TEST(CodeDataSpans, ACodeSpansItsDataCountedInStoredBytesInEitherNotation) {
    const Spans cases[] = {
        {"raw %S", "a\x83xyz", Notation::Raw, {{1, 4}}, {false}},
        {"raw %c",
         "\x84"
         "abcde",
         Notation::Raw,
         {{0, 5}},
         {false}},
        {"raw codes as data", "\x83\x05%", Notation::Raw, {{0, 3}}, {false}},
        // A picture is one piece: the data ends after the piece holding its last byte.
        {"raw picture in data", "\x83\x17\x01\x41z", Notation::Raw, {{0, 4}}, {false}},
        {"raw %S in %c's data",
         "\x84\x83"
         "abc\x83",
         Notation::Raw,
         {{0, 5}, {5, 6}},
         {false, true}},
        {"raw cut short", "ab\x84xy", Notation::Raw, {{2, 5}}, {true}},
        {"C-style %S", "a%Sxyz", Notation::CStyle, {{1, 5}}, {false}},
        {"C-style escapes as data", "%S\\n%%!", Notation::CStyle, {{0, 6}}, {false}},
        {"C-style byte by number", "%c\\x0D\\\\ab.", Notation::CStyle, {{0, 10}}, {false}},
        {"C-style picture in data", "%S\\p00000041z", Notation::CStyle, {{0, 12}}, {false}},
        {"C-style cut short", "%Sa", Notation::CStyle, {{0, 3}}, {true}},
        // Read as far as it is well-formed: the span stops before the bad sequence.
        {"C-style malformed data", "%Sa%q", Notation::CStyle, {{0, 3}}, {true}},
        {"no data codes", "%N\\x41", Notation::CStyle, {}, {}},
    };
    for (const Spans& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CodeDataSpan> spans = codeDataSpans(c.text, c.notation);
        ASSERT_EQ(spans.size(), c.expected.size());
        for (std::size_t i = 0; i < spans.size(); ++i) {
            EXPECT_EQ(spans[i].begin, c.expected[i].first);
            EXPECT_EQ(spans[i].end, c.expected[i].second);
            EXPECT_EQ(spans[i].cutShort, c.cutShort[i]);
        }
    }
}

TEST(CodeDataSpans, ChangesThatWouldSplitACodeFromItsDataAreNamedAndRemovalsTakeItWhole) {
    const std::vector<CodeDataSpan> spans = codeDataSpans("ab%Sxyz%Sq", Notation::CStyle);
    ASSERT_EQ(spans.size(), 2u);  // [2, 6) and [7, 10) cut short
    struct Change {
        std::size_t from, to;
        bool inserts;
        const CodeDataSpan* broken;
    };
    const Change changes[] = {
        {2, 2, true, nullptr},      // before the code
        {6, 6, true, nullptr},      // after the data
        {10, 10, true, nullptr},    // completing data cut short
        {3, 3, true, &spans[0]},    // between % and S
        {5, 5, true, &spans[0]},    // between the data bytes
        {4, 5, false, &spans[0]},   // one data byte removed
        {1, 3, true, &spans[0]},    // a selection into the code replaced
        {1, 6, true, nullptr},      // a selection over the whole span replaced
        {9, 10, false, &spans[1]},  // a byte of data cut short removed
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to);
        EXPECT_EQ(brokenSpan(spans, c.from, c.to, c.inserts), c.broken);
    }
    const TextRange oneByte = widenedRemoval(spans, 4, 5);
    EXPECT_EQ(oneByte.from, 2u);
    EXPECT_EQ(oneByte.to, 6u);
    const TextRange both = widenedRemoval(spans, 5, 8);
    EXPECT_EQ(both.from, 2u);
    EXPECT_EQ(both.to, 10u);
    const TextRange letter = widenedRemoval(spans, 0, 1);
    EXPECT_EQ(letter.from, 0u);
    EXPECT_EQ(letter.to, 1u);
    EXPECT_EQ(codeDataMessage(spans[0]),
              "The 2 bytes after the value code %S are its data and go with it: type before the "
              "code or after its data; Delete or Backspace removes the code with its data");
}

}  // namespace
}  // namespace tarn
