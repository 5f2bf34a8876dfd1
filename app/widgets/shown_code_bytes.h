// SPDX-License-Identifier: GPL-3.0-or-later
// Code bytes whose character a character table has moved: with Ś placed on A4, byte 140 (the
// value code %l in 1250) still shows Ś in the combined page, but typing Ś stores A4. An edit box
// that showed byte 140 as Ś would turn the code into the letter at the next keystroke, so the
// windows show such a byte as U+F700 + byte (as the page shows a byte without a character), and
// every byte keeps exactly one character in the boxes.
#pragma once

#include <optional>

#include "common/code_page.h"

namespace tarn {

inline constexpr char16_t kShownBytesBase = 0xF700;

// True when byte's character in page is stored on another byte.
bool isMovedCodeByte(unsigned char byte, const CodePage& page);

// The character an edit box shows for byte.
char16_t shownCharacter(unsigned char byte, const CodePage& page);
// The byte of a shown character that is not the page's own (a moved code byte), or nothing.
std::optional<unsigned char> movedCodeByte(char16_t character, const CodePage& page);

// The character the page alone, without a table, has on byte: what a framed code byte shows.
char16_t pageCharacter(unsigned char byte, const CodePage& page);

}  // namespace tarn
