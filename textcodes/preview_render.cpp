// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/preview_render.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarn {
namespace {

// Byte 13 has no escape of its own, yet the game draws what follows it in pure white.
constexpr unsigned char PureWhiteCode = 13;
constexpr unsigned char TextSkipTwoCode = 131;
constexpr unsigned char TextSkipFourCode = 132;

constexpr std::array<std::string_view, kLastValueCode - kFirstValueCode + 1> SampleValues{
    "123,456",        // 123 4-byte number
    "123456",         // 124 without separators
    "1,234.56",       // 125 real value
    "1,234",          // 126 2-byte number
    "1234",           // 127 without separators
    "$1,234.56",      // 128 money
    "$1,234",         // 129 money (integer)
    "*text*",         // 130 another text
    "*text*",         // 131 text, followed by 2 bytes
    "*text*",         // 132 text, followed by 4 bytes
    "March, Year 1",  // 133 date
    "March",          // 134 name of month
    "123 mph",        // 135 speed
    "",               // 136 drop 2 bytes
    "",               // 137 bring 2 bytes back
    "12min:34secs",   // 138 time (min sec)
    "12hours:34min",  // 139 time (hour min)
    "123 m",          // 140 distance
    "(picture)",      // 141 picture
};

class RunBuilder {
public:
    void append(std::string_view text) {
        if (text.empty()) {
            return;
        }
        if (runs_.empty() || runs_.back().colour != colour_ || runs_.back().bold != bold_) {
            runs_.push_back(PreviewRun{std::string(), colour_, bold_});
        }
        runs_.back().text.append(text);
    }
    void setColour(std::optional<Rgb> colour) { colour_ = colour; }
    void dropBold() { bold_ = false; }
    std::vector<PreviewRun> take() { return std::move(runs_); }

private:
    std::vector<PreviewRun> runs_;
    std::optional<Rgb> colour_;
    bool bold_ = true;
};

}  // namespace

std::optional<std::string_view> sampleValueOf(unsigned char code) {
    if (code < kFirstValueCode || code >= kFirstValueCode + SampleValues.size()) {
        return std::nullopt;
    }
    return SampleValues[code - kFirstValueCode];
}

std::vector<PreviewRun> renderPreviewRuns(std::string_view raw) {
    RunBuilder out;
    std::size_t i = 0;
    while (i < raw.size()) {
        const auto byte = static_cast<unsigned char>(raw[i++]);
        std::size_t skip = 0;
        if (byte == kLineBreakCode) {
            out.append("\r\n");
        } else if (byte == kThinLettersCode) {
            out.dropBold();
        } else if (byte == PureWhiteCode) {
            out.setColour(PureWhite);
        } else if (byte == kDefaultColourCode) {
            out.setColour(std::nullopt);
        } else if (byte == kPictureCode) {
            out.append("(picture)");
            if (i < raw.size()) {
                const auto count = static_cast<unsigned char>(raw[i]);
                skip = count == kPictureZeroCount ? 1 : 1 + std::size_t{count};
            }
        } else if (auto sample = sampleValueOf(byte)) {
            out.append(*sample);
            skip = byte == TextSkipTwoCode ? 2 : byte == TextSkipFourCode ? 4 : 0;
        } else if (auto colour = colourOfCode(byte)) {
            out.setColour(colour);
        } else {
            out.append(std::string_view(&raw[i - 1], 1));
        }
        i += std::min(skip, raw.size() - i);
    }
    return out.take();
}

}  // namespace tarn
