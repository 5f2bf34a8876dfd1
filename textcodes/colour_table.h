// SPDX-License-Identifier: GPL-3.0-or-later
// The game's 14 text colours, selected in a text by the codes 142 to 155 (code_table.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "textcodes/code_table.h"

namespace tarn {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Colours of the codes kFirstColourCode (Black) to kLastColourCode (Light Brown), in order.
inline constexpr std::array<Rgb, kLastColourCode - kFirstColourCode + 1> ColourTable{{
    {0x17, 0x23, 0x23},  // 142 Black
    {0x9F, 0xAF, 0xAF},  // 143 Grey
    {0xEF, 0xF3, 0xF3},  // 144 White
    {0xFF, 0x07, 0x00},  // 145 Red
    {0x6F, 0xCF, 0x57},  // 146 Green
    {0xFF, 0xF3, 0x5F},  // 147 Yellow
    {0xFF, 0xB7, 0x6B},  // 148 Orange
    {0xAF, 0xDB, 0xC3},  // 149 Light Green
    {0x8F, 0xD3, 0xF3},  // 150 Light Blue
    {0xD7, 0xC3, 0xF3},  // 151 Purple
    {0xDB, 0xC7, 0x87},  // 152 Brown
    {0xFF, 0xBF, 0xBF},  // 153 Pink
    {0x83, 0xCF, 0xCF},  // 154 Aqua
    {0xCF, 0xC3, 0xAB},  // 155 Light Brown
}};

// The colour of a colour code, or nothing for any other byte.
constexpr std::optional<Rgb> colourOfCode(unsigned char code) {
    if (code < kFirstColourCode || code > kLastColourCode) {
        return std::nullopt;
    }
    return ColourTable[code - kFirstColourCode];
}

}  // namespace tarn
