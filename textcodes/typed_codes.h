// SPDX-License-Identifier: GPL-3.0-or-later
// Characters that would turn into game codes. A character whose byte in the code page is a game
// code (123 to 155) cannot be stored as a letter: the game would read it as a value or colour
// code. Such characters are refused where they enter (typed, pasted or imported) and the
// translator is told which code it would have been and what to do instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/code_page.h"
#include "textcodes/cstyle.h"

namespace tarn {

// Whether imports refuse code characters (the sound default) or store them as the codes they
// fall on, as older versions did.
enum class TypedCodes { Refused, Allowed };

// A character that falls on a game code.
struct TypedCode {
    char32_t character;
    unsigned char byte;
};

// True for the bytes the game reads as value and colour codes.
bool isCodeByte(unsigned char byte);

// The first character of bytes (text already converted through codePage, before its escapes
// are read) that is a code byte, or nothing.
std::optional<TypedCode> findTypedCode(std::string_view bytes, const CodePage& codePage,
                                       Notation notation);

// "the value code %l", "the colour code \c1".
std::string codeName(unsigned char byte);

// For an import: "'Ś' (U+015A) is byte 140 in code page 1250, which the game reads as the value
// code %l; write %l if the code is meant".
std::string typedCodeImportMessage(const TypedCode& code, const CodePage& codePage);

// For a text field: "'Ś' is byte 140 in code page 1250, which the game reads as the value code
// %l: insert codes from the code menu, or give 'Ś' a byte in the character table (Other >
// Character table...)". In C-style notation an ASCII code character gets the hint to write its
// escape instead.
std::string typedCodeMessage(const TypedCode& code, const CodePage& codePage, Notation notation);

}  // namespace tarn
