// SPDX-License-Identifier: GPL-3.0-or-later
// The committed data of the Windows single-byte code pages (generated, see
// scripts/generate_code_pages.py). Bytes 0x00 to 0x7F are ASCII in every page, so only the
// upper halves are stored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarn::code_page_data {

inline constexpr std::size_t kPageCount = 10;

struct PageTable {
    int number;
    std::array<char16_t, 128> characters;  // of bytes 0x80 to 0xFF
    std::array<std::uint8_t, 128> upper;   // upper-case byte of bytes 0x80 to 0xFF
    std::array<std::uint8_t, 128> lower;   // lower-case byte of bytes 0x80 to 0xFF
};

// Ascending by number: 874, 1250 to 1258.
extern const std::array<PageTable, kPageCount> kPageTables;

}  // namespace tarn::code_page_data
