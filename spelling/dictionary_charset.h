// SPDX-License-Identifier: GPL-3.0-or-later
// The 8-bit character sets of Hunspell dictionaries (the SET line of an .aff file), converted
// to and from UTF-8 by table, alike on every system and without iconv.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

class DictionaryCharset {
public:
    // The set as a dictionary names it ("ISO8859-2", "KOI8-R", "microsoft-cp1250"; case, "-"
    // and "_" aside, also "ISO-8859-2", "cp1250" or "windows-1250"); nothing for UTF-8 and for
    // a set without a table here.
    static std::optional<DictionaryCharset> byName(std::string_view set);
    // Every name byName knows, one per set, as dictionaries write them.
    static std::vector<std::string> names();

    // The word in this set, or nothing when a character has no byte here (or the UTF-8 is
    // malformed).
    std::optional<std::string> fromUtf8(std::string_view utf8) const;
    // The bytes as UTF-8, or nothing when a byte has no character in this set.
    std::optional<std::string> toUtf8(std::string_view bytes) const;

private:
    // The characters of bytes 0x80 to 0xFF; 0 where the set has none. Lower bytes are ASCII.
    std::array<char16_t, 128> upper_{};
};

}  // namespace tarn
