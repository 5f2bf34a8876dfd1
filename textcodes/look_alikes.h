// SPDX-License-Identifier: GPL-3.0-or-later
// Plain look-alikes of the typographic characters a word processor puts into pasted text:
// “ ” „ -> ", ‘ ’ ‚ -> ', – — -> -, … -> ... . Where the code page places such a character on
// a code byte, the pasted character became a code; the checks panel offers this replacement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "textcodes/cstyle.h"

#include "textcodes/translation_checks.h"

namespace tarn {

// The plain form of a character, or nothing when it has none.
std::optional<std::string_view> plainLookAlike(char32_t character);

// The cell text with every byte `byte` that stands for a character written as itself
// replaced by the byte a character table placed that character on, else by the character's
// plain look-alike. In raw notation the number bytes of picture
// sequences are left alone; in C-style notation escapes hold no such byte. Answers the text
// unchanged when the byte's character has no look-alike.
std::string replaceWithLookAlike(std::string_view cellText, Notation notation, std::uint8_t byte,
                                 const ByteCharacters& characters);

}  // namespace tarn
