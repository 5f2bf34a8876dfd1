// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/utf8.h"

#include <cstdint>
#include <cstring>

namespace tarn {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& pos) {
    if (pos >= s.size()) {
        return std::nullopt;
    }
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (s.size() - pos <= static_cast<std::size_t>(extra)) {
        return std::nullopt;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return c;
}

bool isValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::uint64_t word = 0;
        if (text.size() - pos >= sizeof word) {
            std::memcpy(&word, text.data() + pos, sizeof word);
            if ((word & 0x8080808080808080ull) == 0) {
                pos += sizeof word;
                continue;
            }
        }
        if (!nextUtf8(text, pos)) {
            return false;
        }
    }
    return true;
}

std::size_t firstInvalidUtf8Line(std::string_view text) {
    std::size_t line = 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '\n') {
            ++line;
        }
        if (!nextUtf8(text, pos)) {
            return line;
        }
    }
    return 0;
}

}  // namespace tarn
