// SPDX-License-Identifier: GPL-3.0-or-later
// How the game draws a raw text, as a list of runs for the preview window: colour codes
// change the colour, code 10 drops bold, value codes show fixed sample values, pictures show
// "(picture)". The window turns the runs into its rich-text document.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "textcodes/colour_table.h"

namespace tarn {

struct PreviewRun {
    std::string text;           // game bytes; a line break is CR LF
    std::optional<Rgb> colour;  // nothing: the preview's default text colour
    bool bold = true;
    bool operator==(const PreviewRun&) const = default;
};

// The colour code 13 selects: pure white, unlike the table's White.
inline constexpr Rgb PureWhite{0xFF, 0xFF, 0xFF};

// The sample shown for a value code (123 to 141), or nothing for other bytes. Codes 136 and
// 137 show an empty sample.
std::optional<std::string_view> sampleValueOf(unsigned char code);

// One pass over the raw text; neighbouring pieces with the same attributes share one run.
// Bytes consumed by a picture sequence (23) or by codes 131 and 132 are never shown, even
// when the text ends before all of them are there.
std::vector<PreviewRun> renderPreviewRuns(std::string_view raw);

}  // namespace tarn
