// The game's 14 text colours, selected in a text by the codes 142 to 155.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace tarn {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct GameColour {
    unsigned char code;
    const char* name;  // also the caption of its item in the format-code menu
    Rgb rgb;
};

inline constexpr unsigned char FirstColourCode = 142;
inline constexpr unsigned char LastColourCode = 155;

inline constexpr std::array<GameColour, 14> ColourTable{{
    {142, "Black", {0x17, 0x23, 0x23}},
    {143, "Grey", {0x9F, 0xAF, 0xAF}},
    {144, "White", {0xEF, 0xF3, 0xF3}},
    {145, "Red", {0xFF, 0x07, 0x00}},
    {146, "Green", {0x6F, 0xCF, 0x57}},
    {147, "Yellow", {0xFF, 0xF3, 0x5F}},
    {148, "Orange", {0xFF, 0xB7, 0x6B}},
    {149, "Light Green", {0xAF, 0xDB, 0xC3}},
    {150, "Light Blue", {0x8F, 0xD3, 0xF3}},
    {151, "Purple", {0xD7, 0xC3, 0xF3}},
    {152, "Brown", {0xDB, 0xC7, 0x87}},
    {153, "Pink", {0xFF, 0xBF, 0xBF}},
    {154, "Aqua", {0x83, 0xCF, 0xCF}},
    {155, "Light Brown", {0xCF, 0xC3, 0xAB}},
}};

// The colour of a colour code, or nothing for any other byte.
constexpr std::optional<Rgb> colourOfCode(unsigned char code) {
    if (code < FirstColourCode || code > LastColourCode) {
        return std::nullopt;
    }
    return ColourTable[code - FirstColourCode].rgb;
}

}  // namespace tarn
