// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/cstyle.h"

#include <gtest/gtest.h>

#include <random>

#include "textcodes/code_table.h"

namespace tarn {
namespace {

std::string toRaw(std::string_view text, LineBreaks lineBreaks = LineBreaks::Escaped) {
    const Converted<std::string> raw = cStyleToRaw(text, lineBreaks);
    EXPECT_TRUE(raw) << text << ": " << (raw ? "" : raw.problem().message);
    return raw ? raw.value() : "";
}

std::string errorOf(std::string_view text, LineBreaks lineBreaks = LineBreaks::Escaped) {
    const Converted<std::string> raw = cStyleToRaw(text, lineBreaks);
    EXPECT_FALSE(raw) << text;
    return raw ? "" : raw.problem().message;
}

TEST(CodeTable, EveryByteHasItsNotation) {
    const std::string values = "NnfWwMmsScdDveutTlp";
    const std::string colours = "0123456789abcd";
    for (int b = 0; b < 256; ++b) {
        if (b == 23) {
            continue;
        }
        std::string expected;
        if (b == 5) {
            expected = "\\n";
        } else if (b == 10) {
            expected = "\\t";
        } else if (b == 14) {
            expected = "\\d";
        } else if (b == 37) {
            expected = "%%";
        } else if (b == 92) {
            expected = "\\\\";
        } else if (b >= 123 && b <= 141) {
            expected = std::string("%") + values[static_cast<std::size_t>(b - 123)];
        } else if (b >= 142 && b <= 155) {
            expected = std::string("\\c") + colours[static_cast<std::size_t>(b - 142)];
        } else if (b < 32) {
            static const char hex[] = "0123456789ABCDEF";
            expected = std::string("\\x") + hex[b >> 4] + hex[b & 15];
        } else {
            expected = std::string(1, static_cast<char>(b));
        }
        EXPECT_EQ(rawToCStyle(rawText({b})), expected) << "byte " << b;
        if (b != 0) {  // a zero byte shows as \x00 but cannot be typed back
            EXPECT_EQ(toRaw(expected), rawText({b})) << "byte " << b;
        }
        const TextCode* code = findTextCode(static_cast<std::uint8_t>(b));
        if (code != nullptr) {
            EXPECT_EQ(code->notation, expected);
        }
    }
    EXPECT_EQ(textCodes().size(), 38u);
    EXPECT_EQ(findTextCode(141)->caption, "Picture");
    EXPECT_EQ(findTextCode(155)->caption, "Light Brown");
    EXPECT_EQ(findTextCode(131)->caption, "");
}

TEST(cStyleToRaw, ConvertsEscapes) {
    EXPECT_EQ(toRaw("100%%"), "100%");
    EXPECT_EQ(toRaw("a\\nb\\tc\\dd\\\\"),
              "a" + rawText({5}) + "b" + rawText({10}) + "c" + rawText({14}) + "d\\");
    EXPECT_EQ(toRaw("%N%p\\c0\\cd"), rawText({123, 141, 142, 155}));
    EXPECT_EQ(toRaw("\\x1F\\x1f\\x01\\x41"), rawText({31, 31, 1, 65}));
    EXPECT_EQ(toRaw(""), "");
    EXPECT_EQ(toRaw("Caf\xE9"), "Caf\xE9");
}

TEST(cStyleToRaw, PicturesTakeTheirCompactForm) {
    EXPECT_EQ(toRaw("\\p00000000"), rawText({23, 255}));
    EXPECT_EQ(toRaw("\\p000000ff"), rawText({23, 1, 255}));
    EXPECT_EQ(toRaw("\\p00000100"), rawText({23, 2, 0, 1}));
    EXPECT_EQ(toRaw("\\p00001234"), rawText({23, 2, 0x34, 0x12}));
    EXPECT_EQ(toRaw("\\p00123456"), rawText({23, 3, 0x56, 0x34, 0x12}));
    EXPECT_EQ(toRaw("\\p01000000"), rawText({23, 4, 0, 0, 0, 1}));
    EXPECT_EQ(toRaw("\\pFFFFFFFF"), rawText({23, 4, 255, 255, 255, 255}));
    EXPECT_EQ(toRaw("\\p8000000aX"), rawText({23, 4, 10, 0, 0, 0x80}) + "X");
}

struct ErrorCase {
    const char* text;
    const char* message;
};

TEST(cStyleToRaw, ReportsTheFirstErrorWithItsPosition) {
    const ErrorCase cases[] = {
        {"100%", "Unmatched % sign at the end of the text"},
        {"%x", "Incorrect % sequence at position 1"},
        {"ab%%%q", "Incorrect % sequence at position 5"},
        {"abc\\", "Unmatched \\ sign at the end of the text"},
        {"a\\qb", "Incorrect \\ sequence at position 2"},
        {"\\N", "Incorrect \\ sequence at position 1"},
        {"ab\\x4", "\\x sequence without character number at the end of the text"},
        {"\\x", "\\x sequence without character number at the end of the text"},
        {"\\xZZ", "\\x sequence with invalid character number at position 2"},
        {"abc\\x4G", "\\x sequence with invalid character number at position 5"},
        {"\\x-1", "\\x sequence with invalid character number at position 2"},
        {"\\p1234", "\\p sequence without picture number at the end of the text"},
        {"\\p0000000", "\\p sequence without picture number at the end of the text"},
        {"x\\p0000000G", "\\p sequence with invalid picture number at position 3"},
        {"\\p+0000000", "\\p sequence with invalid picture number at position 2"},
        {"\\c", "\\c sequence without color specifier at the end of the text"},
        {"\\ce", "Invalid color specifier for \\c at position 1"},
        {"ab\\cA", "Invalid color specifier for \\c at position 3"},
        {"%q\\q", "Incorrect % sequence at position 1"},
        {"Otw\\x00rz", "A text cannot hold the byte 00"},  // would end the text in the game
        // A picture code typed by hand takes the next picture's code as its number and leaves
        // that picture's zeros as plain bytes.
        {"\\x17\\x02\\p00010000", "A text cannot hold the byte 00"},
    };
    for (const ErrorCase& c : cases) {
        EXPECT_EQ(errorOf(c.text), c.message) << c.text;
    }
    EXPECT_EQ(errorOf(std::string("Otw\0rz", 6)), "A text cannot hold the byte 00");
    EXPECT_EQ(toRaw("\\p00000100"), rawText({23, 2, 0, 1}));  // a picture's zeros are kept
}

TEST(rawToCStyle, PictureSequences) {
    EXPECT_EQ(rawToCStyle(rawText({23, 255})), "\\p00000000");
    EXPECT_EQ(rawToCStyle(rawText({23, 0}) + "A"), "\\p00000000A");
    EXPECT_EQ(rawToCStyle(rawText({23, 2, 0x34, 0x12}) + "A"), "\\p00001234A");
    EXPECT_EQ(rawToCStyle(rawText({23, 4, 0, 0, 0, 1})), "\\p01000000");
    // A count above 4 takes four value bytes, as many as a picture number has.
    EXPECT_EQ(rawToCStyle(rawText({23, 7, 1, 2, 3, 4, 5})), "\\p04030201\\n");
    EXPECT_EQ(rawToCStyle(rawText({23, 254, 0xAB, 0xCD, 0, 0})), "\\p0000CDAB");
    // Value bytes missing at the end of the text count as zero; nothing is read beyond it.
    EXPECT_EQ(rawToCStyle(rawText({23, 3, 0x34})), "\\p00000034");
    EXPECT_EQ(rawToCStyle(rawText({23, 9})), "\\p00000000");
    EXPECT_EQ(rawToCStyle(rawText({65, 23})), "A\\p00000000");
}

TEST(rawToCodes, ListsDecimalBytes) {
    EXPECT_EQ(rawToCodes("Hi"), "72 105 ");
    EXPECT_EQ(rawToCodes(""), "");
    EXPECT_EQ(rawToCodes(rawText({0, 255, 23, 10})), "0 255 23 10 ");
}

TEST(CanonicalCStyle, NormalisesTheNotation) {
    const Converted<std::string> canonical = canonicalCStyle("\\x41\\p0000abcd\\x1f\\x0a\\x25");
    ASSERT_TRUE(canonical);
    EXPECT_EQ(canonical.value(), "A\\p0000ABCD\\x1F\\t%%");
    const Converted<std::string> malformed = canonicalCStyle("bad %");
    ASSERT_FALSE(malformed);
    EXPECT_EQ(malformed.problem().message, "Unmatched % sign at the end of the text");
}

// Random raw texts as the reader and the notation make them (pictures in minimal form).
std::string randomRawText(std::mt19937& rng) {
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> byte(1, 255);
    std::string raw;
    const int n = length(rng);
    for (int i = 0; i < n; ++i) {
        const int b = byte(rng);
        if (b != 23) {
            raw += static_cast<char>(b);
            continue;
        }
        std::uint32_t v = rng();
        v >>= (rng() % 33 == 32) ? 31 : rng() % 32;
        if (rng() % 5 == 0) {
            v = 0;
        }
        raw += static_cast<char>(23);
        if (v == 0) {
            raw += static_cast<char>(255);
            continue;
        }
        const int count = v <= 0xFF ? 1 : v <= 0xFFFF ? 2 : v <= 0xFFFFFF ? 3 : 4;
        raw += static_cast<char>(count);
        for (int k = 0; k < count; ++k) {
            raw += static_cast<char>((v >> (8 * k)) & 0xFF);
        }
    }
    return raw;
}

TEST(CStyleRoundTrip, RandomRawTextsComeBackUnchanged) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 20000; ++round) {
        const std::string raw = randomRawText(rng);
        const std::string cstyle = rawToCStyle(raw);
        const Converted<std::string> back = cStyleToRaw(cstyle);
        ASSERT_TRUE(back) << cstyle << ": " << back.problem().message;
        ASSERT_EQ(back.value(), raw) << cstyle;
        const Converted<std::string> canonical = canonicalCStyle(cstyle);
        ASSERT_TRUE(canonical);
        ASSERT_EQ(canonical.value(), cstyle);
    }
}

TEST(CStyleRoundTrip, RandomNotationNeverBreaksTheConverter) {
    // Texts made of escape-heavy characters: each either fails with a message or converts
    // to a raw text whose canonical form is stable.
    const std::string alphabet = "%\\xpcndt0123456789abcdefABCDEFGZNq ";
    std::mt19937 rng(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 16);
        for (int i = 0; i < n; ++i) {
            text += alphabet[rng() % alphabet.size()];
        }
        const Converted<std::string> raw = cStyleToRaw(text);
        if (!raw) {
            EXPECT_FALSE(raw.problem().message.empty());
            continue;
        }
        const std::string canonical = rawToCStyle(raw.value());
        const Converted<std::string> again = cStyleToRaw(canonical);
        ASSERT_TRUE(again) << text;
        ASSERT_EQ(again.value(), raw.value()) << text;
    }
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST(CStyleLineFeeds, LineBreaksBecomeRealLineFeedsAndBack) {
    // Byte 5 inside a picture number stays part of the picture; byte 10 keeps its escape.
    const std::string raw = rawText({'a', 5, 'b', 10, 23, 1, 5, 92, 5});
    const std::string text = rawToCStyle(raw, LineBreaks::LineFeeds);
    EXPECT_EQ(text, "a\nb\\t\\p00000005\\\\\n");
    EXPECT_EQ(toRaw(text, LineBreaks::LineFeeds), raw);
    EXPECT_EQ(toRaw("a\\nb\nc", LineBreaks::LineFeeds), rawText({'a', 5, 'b', 5, 'c'}));
    // Without the option a line feed stays the byte it is.
    EXPECT_EQ(toRaw("a\nb"), rawText({'a', 10, 'b'}));
    // A backslash before a line feed is no escape; positions count the line feed as one.
    EXPECT_EQ(errorOf("ab\n\\\nc", LineBreaks::LineFeeds),
              "Incorrect \\ sequence at position 4");
}

}  // namespace
}  // namespace tarn
