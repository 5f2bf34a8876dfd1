// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/shown_code_bytes.h"

#include "textcodes/typed_codes.h"

namespace tarn {

bool isMovedCodeByte(unsigned char byte, const CodePage& page) {
    return page.hasPlaced() && isCodeByte(byte) && page.fromUnicode(page.toUnicode(byte)) != byte;
}

char16_t shownCharacter(unsigned char byte, const CodePage& page) {
    if (isMovedCodeByte(byte, page)) {
        return static_cast<char16_t>(kShownBytesBase + byte);
    }
    return static_cast<char16_t>(page.toUnicode(byte));
}

std::optional<unsigned char> movedCodeByte(char16_t character, const CodePage& page) {
    if (!page.hasPlaced() || character < kShownBytesBase || character > kShownBytesBase + 0xFF) {
        return std::nullopt;
    }
    const auto byte = static_cast<unsigned char>(character - kShownBytesBase);
    return isMovedCodeByte(byte, page) ? std::optional(byte) : std::nullopt;
}

char16_t pageCharacter(unsigned char byte, const CodePage& page) {
    if (!page.hasPlaced()) {
        return static_cast<char16_t>(page.toUnicode(byte));
    }
    const auto alone = CodePage::byNumber(page.number());
    return static_cast<char16_t>(alone ? alone->toUnicode(byte) : page.toUnicode(byte));
}

}  // namespace tarn
