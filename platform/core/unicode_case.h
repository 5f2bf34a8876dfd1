// SPDX-License-Identifier: GPL-3.0-or-later
// Simple (one character to one character) case mapping, as Windows applies it to file names
// and to the characters of a yes/no answer: Basic Latin, Latin-1, Latin Extended-A, Greek and
// Cyrillic. Characters outside those blocks map to themselves.
#pragma once

#include <string>
#include <string_view>

namespace tarn::platform {

char32_t simpleUpperCase(char32_t c);
char32_t simpleLowerCase(char32_t c);

// The character of UTF-16 text at pos (a surrogate pair taken whole), advancing pos; a lone
// surrogate gives U+FFFD.
char32_t nextUtf16(std::u16string_view text, std::size_t& pos);

// Upper-cases every character of a UTF-8 string; malformed bytes are kept as they are.
std::string upperCaseUtf8(std::string_view utf8);

}  // namespace tarn::platform
