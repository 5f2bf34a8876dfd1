// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252, the code page the end-user program and the settings file keep using, as
// shorthand over CodePage (common/code_page.h), which holds the rules of every page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/code_page.h"
#include "common/utf8.h"

namespace tarn {

char32_t gameByteToUnicode(unsigned char byte);
std::optional<unsigned char> unicodeToGameByte(char32_t codePoint);

// Game bytes to UTF-8 and back. The reverse fails on malformed UTF-8 or on a character the
// code page does not have.
std::string gameBytesToUtf8(std::string_view bytes);
std::optional<std::string> utf8ToGameBytes(std::string_view utf8);

// Upper- and lower-case forms of a game byte (accented letters included); bytes without a
// case map to themselves.
unsigned char gameToUpper(unsigned char byte);
unsigned char gameToLower(unsigned char byte);

}  // namespace tarn
