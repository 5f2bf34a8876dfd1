// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/unicode_case.h"

#include "common/game_code_page.h"

namespace tarn::platform {

namespace {

// Latin Extended-A pairs capital/small as even/odd code points, except 0x130-0x131 (dotted
// and dotless i), 0x138 (kra) and the odd-first stretches 0x139-0x148 and 0x179-0x17E.
bool oddIsCapital(char32_t c) {
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
}

bool inPairedLatinA(char32_t c) {
    return c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
           c != 0x17F;
}

}  // namespace

char32_t simpleUpperCase(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return c - 32;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 32;
    if (c == 0xFF)
        return 0x178;
    if (inPairedLatinA(c)) {
        const bool odd = (c & 1) != 0;
        if (oddIsCapital(c))
            return odd ? c : c - 1;
        return odd ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return c - 32;
    if (c >= 0x430 && c <= 0x44F)
        return c - 32;
    if (c >= 0x450 && c <= 0x45F)
        return c - 80;
    return c;
}

char32_t simpleLowerCase(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 32;
    if (c == 0x178)
        return 0xFF;
    if (inPairedLatinA(c)) {
        const bool odd = (c & 1) != 0;
        if (oddIsCapital(c))
            return odd ? c + 1 : c;
        return odd ? c : c + 1;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

char32_t nextUtf16(std::u16string_view text, std::size_t& pos) {
    const char32_t c = text[pos++];
    if (c < 0xD800 || c > 0xDFFF) {
        return c;
    }
    if (c <= 0xDBFF && pos < text.size() && text[pos] >= 0xDC00 && text[pos] <= 0xDFFF) {
        return 0x10000 + ((c - 0xD800) << 10) + (text[pos++] - 0xDC00);
    }
    return 0xFFFD;
}

std::string upperCaseUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {
            // Most names are ASCII: their letters need no decoding.
            out.push_back(static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 0x20 : byte));
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const auto c = nextUtf8(utf8, pos);
        if (!c) {
            out.push_back(utf8[start]);
            pos = start + 1;
            continue;
        }
        appendUtf8(out, simpleUpperCase(*c));
    }
    return out;
}

}  // namespace tarn::platform
