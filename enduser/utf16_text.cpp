// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/utf16_text.h"

#include "common/game_code_page.h"

namespace tarn {

namespace {

void appendUtf16(std::u16string& out, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(c));
    }
}

}  // namespace

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto c = nextUtf8(utf8, pos);
        if (!c) {
            return std::nullopt;
        }
        appendUtf16(out, *c);
    }
    return out;
}

std::u16string bytesToUtf16(std::string_view bytes) {
    std::u16string out;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t start = pos;
        const auto c = nextUtf8(bytes, pos);
        if (c) {
            appendUtf16(out, *c);
        } else {
            appendUtf16(out, gameByteToUnicode(static_cast<unsigned char>(bytes[start])));
            pos = start + 1;
        }
    }
    return out;
}

}  // namespace tarn
