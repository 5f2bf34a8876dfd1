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

std::string replaceWithLookAlike(std::string_view cellText, bool cstyle, std::uint8_t byte,
                                 const ByteCharacters& characters) {
    const auto plain = plainLookAlike(characters[byte]);
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
        if (!cstyle && b == kPictureCode) {
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
