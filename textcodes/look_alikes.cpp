// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/look_alikes.h"

#include "textcodes/code_table.h"

namespace tarn {

std::optional<std::string_view> plainLookAlike(char32_t character) {
    switch (character) {
        case U'\u201C':  // “
        case U'\u201D':  // ”
        case U'\u201E':  // „
            return "\"";
        case U'\u2018':  // ‘
        case U'\u2019':  // ’
        case U'\u201A':  // ‚
            return "'";
        case U'\u2013':  // –
        case U'\u2014':  // —
            return "-";
        case U'\u2026':  // …
            return "...";
        default:
            return std::nullopt;
    }
}

namespace {

// The byte a character table placed the code byte's character on: the only other byte that
// shows the same character.
std::optional<std::string> placedByte(std::uint8_t byte, const ByteCharacters& characters) {
    for (std::size_t b = 0; b < characters.size(); ++b) {
        if (b != byte && characters[b] == characters[byte]) {
            return std::string(1, static_cast<char>(b));
        }
    }
    return std::nullopt;
}

}  // namespace

std::string replaceWithLookAlike(std::string_view cellText, Notation notation, std::uint8_t byte,
                                 const ByteCharacters& characters) {
    std::optional<std::string> plain = placedByte(byte, characters);
    if (!plain) {
        if (const auto lookAlike = plainLookAlike(characters[byte])) {
            plain = std::string(*lookAlike);
        }
    }
    if (!plain) {
        return std::string(cellText);
    }
    std::string out;
    out.reserve(cellText.size() + 4);
    for (std::size_t i = 0; i < cellText.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(cellText[i]);
        if (b == byte) {
            out += *plain;
            continue;
        }
        if (notation == Notation::Raw && b == kPictureCode) {
            // The count and number bytes belong to the picture, whatever their values.
            std::uint32_t number = 0;
            const std::size_t end = readPicture(cellText, i, number);
            out.append(cellText.substr(i, end - i));
            i = end - 1;
            continue;
        }
        out += cellText[i];
    }
    return out;
}

}  // namespace tarn
