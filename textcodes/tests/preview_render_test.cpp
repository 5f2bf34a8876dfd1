// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/preview_render.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarn {
namespace {

using Runs = std::vector<PreviewRun>;

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s.push_back(static_cast<char>(v));
    }
    return s;
}

std::string shownText(const Runs& runs) {
    std::string s;
    for (const PreviewRun& run : runs) {
        s += run.text;
    }
    return s;
}

TEST(PreviewRender, EmptyTextRendersNothing) {
    EXPECT_TRUE(renderPreviewRuns("").empty());
}

TEST(PreviewRender, ColourCodesAndDefaultColour) {
    const Runs runs = renderPreviewRuns("a" + bytes({145}) + "b" + bytes({14}) + "c" + bytes({13}) +
                                        "d" + bytes({144}) + "e");
    const Runs expected{
        {"a", std::nullopt, true}, {"b", Rgb{0xFF, 0x07, 0x00}, true}, {"c", std::nullopt, true},
        {"d", PureWhite, true},    {"e", Rgb{0xEF, 0xF3, 0xF3}, true},
    };
    EXPECT_EQ(runs, expected);
}

TEST(PreviewRender, EveryColourCodeTakesItsTableColour) {
    for (int code = kFirstColourCode; code <= kLastColourCode; ++code) {
        const Runs runs = renderPreviewRuns(bytes({code}) + "x");
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].colour, ColourTable[code - kFirstColourCode]) << code;
    }
    EXPECT_EQ(colourOfCode(142), (Rgb{0x17, 0x23, 0x23}));
    EXPECT_EQ(colourOfCode(155), (Rgb{0xCF, 0xC3, 0xAB}));
    EXPECT_EQ(colourOfCode(141), std::nullopt);
    EXPECT_EQ(colourOfCode(156), std::nullopt);
}

TEST(PreviewRender, ThinLettersDropBoldForTheRest) {
    const Runs runs =
        renderPreviewRuns("A" + bytes({10}) + "b" + bytes({14, 146}) + "c" + bytes({5}) + "d");
    const Runs expected{
        {"A", std::nullopt, true},
        {"b", std::nullopt, false},
        {"c\r\nd", Rgb{0x6F, 0xCF, 0x57}, false},
    };
    EXPECT_EQ(runs, expected);
}

TEST(PreviewRender, SampleValuesForEveryValueCode) {
    std::string raw;
    for (int code = 123; code <= 141; ++code) {
        raw.push_back(static_cast<char>(code));
        if (code == 131) {
            raw += "zz";  // two bytes that follow 131 and are not shown
        } else if (code == 132) {
            raw += "zzzz";
        }
        raw += "/";
    }
    EXPECT_EQ(shownText(renderPreviewRuns(raw)),
              "123,456/123456/1,234.56/1,234/1234/$1,234.56/$1,234/*text*/*text*/*text*/"
              "March, Year 1/March/123 mph///12min:34secs/12hours:34min/123 m/(picture)/");
}

TEST(PreviewRender, PictureSequencesAreSkippedExactly) {
    EXPECT_EQ(shownText(renderPreviewRuns("a" + bytes({23, 255}) + "b")), "a(picture)b");
    EXPECT_EQ(shownText(renderPreviewRuns("a" + bytes({23, 4, 1, 2, 3, 4}) + "b")), "a(picture)b");
    EXPECT_EQ(shownText(renderPreviewRuns("a" + bytes({23, 1, 'x'}) + "b")), "a(picture)b");
    // A picture number made of code bytes is skipped, not interpreted.
    const Runs runs = renderPreviewRuns(bytes({23, 2, 145, 10}) + "b");
    EXPECT_EQ(runs, (Runs{{"(picture)b", std::nullopt, true}}));
}

TEST(PreviewRender, TruncatedSequencesEndTheWalk) {
    EXPECT_EQ(shownText(renderPreviewRuns("a" + bytes({23}))), "a(picture)");
    EXPECT_EQ(shownText(renderPreviewRuns("a" + bytes({23, 4, 1}))), "a(picture)");
    EXPECT_EQ(shownText(renderPreviewRuns("a" + bytes({23, 200}))), "a(picture)");
    EXPECT_EQ(shownText(renderPreviewRuns("a" + bytes({131, 'x'}))), "a*text*");
    EXPECT_EQ(shownText(renderPreviewRuns(bytes({132, 1, 2, 3, 4}) + "z")), "*text*z");
}

TEST(PreviewRender, OtherBytesAreShownAsThemselves) {
    const std::string raw = bytes({'%', '\\', 0xE9, 9, 156, 122});
    EXPECT_EQ(renderPreviewRuns(raw), (Runs{{raw, std::nullopt, true}}));
}

}  // namespace
}  // namespace tarn
