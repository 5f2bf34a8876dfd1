// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/pseudo_translation.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "textcodes/code_table.h"

namespace tarn {

namespace {

// The accented forms of each letter that has any, in the order they are tried: the first one
// the code page holds on a usable byte is taken. Between them the lists reach the Latin letters
// of the Western, Central European, Turkish, Baltic and Vietnamese pages.
struct Accented {
    char letter;
    std::u32string_view forms;
};

constexpr Accented kAccented[] = {
    {'a', U"áàäâãåąāă"}, {'A', U"ÁÀÄÂÃÅĄĀĂ"}, {'c', U"çčć"},      {'C', U"ÇČĆ"},
    {'d', U"ďđð"},       {'D', U"ĎĐÐ"},       {'e', U"éèëêęěēė"}, {'E', U"ÉÈËÊĘĚĒĖ"},
    {'g', U"ğģ"},        {'G', U"ĞĢ"},        {'i', U"íìïîīį"},   {'I', U"ÍÌÏÎĪĮİ"},
    {'k', U"ķ"},         {'K', U"Ķ"},         {'l', U"ĺľłļ"},     {'L', U"ĹĽŁĻ"},
    {'n', U"ñńňņ"},      {'N', U"ÑŃŇŅ"},      {'o', U"óòöôõøőō"}, {'O', U"ÓÒÖÔÕØŐŌ"},
    {'r', U"ŕřŗ"},       {'R', U"ŔŘŖ"},       {'s', U"śšş"},      {'S', U"ŚŠŞ"},
    {'t', U"ťţ"},        {'T', U"ŤŢ"},        {'u', U"úùüûůűūų"}, {'U', U"ÚÙÜÛŮŰŪŲ"},
    {'y', U"ýÿ"},        {'Y', U"ÝŸ"},        {'z', U"žźż"},      {'Z', U"ŽŹŻ"},
};

// Whether a character may stand for a letter: it has a byte of its own that shows it again,
// outside ASCII (so no control byte) and outside the game's codes.
bool usable(const CodePage& codePage, char32_t character, unsigned char& byte) {
    const auto found = codePage.fromUnicode(character);
    if (!found || *found < 0x80 || (*found >= kFirstValueCode && *found <= kLastColourCode) ||
        codePage.toUnicode(*found) != character) {
        return false;
    }
    byte = *found;
    return true;
}

// Which bytes of a raw text are no characters: picture sequences whole (the 23 included) and
// the data bytes of %S and %c. A 23 among data bytes still begins a picture sequence, as the
// stored form reads it (storedLength), so those bytes are kept too. A code whose bytes run past
// the end of the text takes the bytes after the text as the game reads it: it is the text's
// cut code, and nothing may be written after it.
struct KeptBytes {
    std::vector<bool> kept;
    std::size_t cutCode;  // where the cut code stands; the text's size when there is none
};

KeptBytes keptBytes(std::string_view raw) {
    static constexpr std::uint8_t kTwoDataBytesCode = 131;   // %S
    static constexpr std::uint8_t kFourDataBytesCode = 132;  // %c
    KeptBytes result{std::vector<bool>(raw.size(), false), raw.size()};
    auto keep = [&](std::size_t code, std::size_t needed) {
        if (needed > raw.size()) {
            result.cutCode = std::min(result.cutCode, code);
        }
        const std::size_t end = std::min(needed, raw.size());
        for (std::size_t k = code; k < end; ++k) {
            result.kept[k] = true;
        }
        return end;
    };
    std::size_t dataEnd = 0;  // the data bytes of a %S or %c end here
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(raw[i]);
        if (byte == kPictureCode) {
            std::size_t needed = i + 2;  // the code and its count
            if (i + 1 < raw.size()) {
                const auto count = static_cast<std::uint8_t>(raw[i + 1]);
                needed += count == 0 || count == kPictureZeroCount ? 0 : count < 4 ? count : 4;
            }
            const std::size_t end = keep(i, needed);
            dataEnd = std::max(dataEnd, end);
            i = end - 1;
        } else if (i < dataEnd) {
            result.kept[i] = true;
        } else if (byte == kTwoDataBytesCode || byte == kFourDataBytesCode) {
            dataEnd = keep(i, i + 1 + (byte == kTwoDataBytesCode ? 2 : 4));
        }
    }
    return result;
}

// n bytes of padding: words of up to four "!" after a space, so that a game wrapping lines at
// spaces wraps the padding as it would a longer translation; never a space at its end.
std::string padding(std::size_t n) {
    std::string pad;
    while (pad.size() < n) {
        pad += pad.size() % 5 == 0 ? ' ' : '!';
    }
    if (!pad.empty() && pad.back() == ' ') {
        pad.back() = '!';
    }
    return pad;
}

}  // namespace

PseudoLetters pseudoLetters(const CodePage& codePage) {
    PseudoLetters letters{};
    for (std::size_t byte = 0; byte < letters.size(); ++byte) {
        letters[byte] = static_cast<unsigned char>(byte);
    }
    for (const Accented& a : kAccented) {
        for (const char32_t form : a.forms) {
            unsigned char byte = 0;
            if (usable(codePage, form, byte)) {
                letters[static_cast<unsigned char>(a.letter)] = byte;
                break;
            }
        }
    }
    return letters;
}

std::string pseudoTranslate(std::string_view raw, int expandPercent, const PseudoLetters& letters) {
    if (raw.empty()) {
        return {};
    }
    const auto [kept, cutCode] = keptBytes(raw);
    // Leading and trailing spaces stay outside the brackets (a data byte that is a space is no
    // trailing space), and so does a cut code, last as before.
    std::size_t begin = 0;
    while (begin < cutCode && raw[begin] == ' ') {
        ++begin;
    }
    std::size_t end = cutCode;
    while (end > begin && raw[end - 1] == ' ' && !kept[end - 1]) {
        --end;
    }

    const std::size_t stored = storedLength(raw);
    const auto percent = static_cast<std::size_t>(std::max(expandPercent, 0));
    const std::size_t growth = std::max<std::size_t>((stored * percent + 99) / 100, 2);

    std::string out(raw.substr(0, begin));
    out.reserve(raw.size() + growth);
    out += '[';
    for (std::size_t i = begin; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        out += static_cast<char>(kept[i] ? byte : letters[byte]);
    }
    out += padding(growth - 2);
    out += ']';
    out += raw.substr(end);
    return out;
}

std::string pseudoTranslate(std::string_view raw, int expandPercent, const CodePage& codePage) {
    return pseudoTranslate(raw, expandPercent, pseudoLetters(codePage));
}

}  // namespace tarn
