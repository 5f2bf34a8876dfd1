// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/game_code_page.h"

namespace tarn {

namespace {

const CodePage& windows1252() {
    static const CodePage page;
    return page;
}

}  // namespace

char32_t gameByteToUnicode(unsigned char byte) {
    return windows1252().toUnicode(byte);
}

std::optional<unsigned char> unicodeToGameByte(char32_t codePoint) {
    return windows1252().fromUnicode(codePoint);
}

std::string gameBytesToUtf8(std::string_view bytes) {
    return windows1252().toUtf8(bytes);
}

std::optional<std::string> utf8ToGameBytes(std::string_view utf8) {
    EncodeResult result = windows1252().fromUtf8(utf8);
    if (!result.ok()) {
        return std::nullopt;
    }
    return std::move(result.bytes);
}

unsigned char gameToUpper(unsigned char byte) {
    return windows1252().toUpper(byte);
}

unsigned char gameToLower(unsigned char byte) {
    return windows1252().toLower(byte);
}

}  // namespace tarn
