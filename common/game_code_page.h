// The game's single-byte character set: Windows-1252 as the WHATWG Encoding Standard defines
// it, so the five bytes Windows leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same number. Every byte has exactly one character and back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

char32_t gameByteToUnicode(unsigned char byte);
std::optional<unsigned char> unicodeToGameByte(char32_t codePoint);

// Game bytes to UTF-8 and back. The reverse fails on malformed UTF-8 or on a character the
// code page does not have.
std::string gameBytesToUtf8(std::string_view bytes);
std::optional<std::string> utf8ToGameBytes(std::string_view utf8);

// UTF-8 helpers shared by the converters.
void appendUtf8(std::string& out, char32_t codePoint);
// Decodes one UTF-8 character at pos and advances pos; nullopt on malformed input.
std::optional<char32_t> nextUtf8(std::string_view utf8, std::size_t& pos);

// Upper- and lower-case forms of a game byte (accented Windows-1252 letters included);
// bytes without a case map to themselves.
unsigned char gameToUpper(unsigned char byte);
unsigned char gameToLower(unsigned char byte);

}  // namespace tarn
