// SPDX-License-Identifier: GPL-3.0-or-later
// Which code page the game's texts are shown in: the main font's character set chooses it, and
// a character the chosen page lacks is refused with a message that says what to do.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/code_page.h"

namespace tarn {

// The character-set numbers of the font settings.
inline constexpr int kAnsiCharset = 0;
inline constexpr int kDefaultCharset = 1;  // the system's default set; "FontCharset"'s default

// A font character set that has a single-byte code page, with the name a translator knows.
struct SingleByteCharset {
    int charset;
    int codePage;
    std::string_view name;  // "Central European"
};

// Western (0, ANSI) first, then the other sets with a page of their own.
std::span<const SingleByteCharset> singleByteCharsets();

struct CharsetChoice {
    CodePage codePage;
    bool fellBack = false;  // the set has no single-byte Windows code page here: 1252 is used
};

// 0 gives 1252; 1 gives the system's ANSI code page (Windows) or 1252 (elsewhere); 161 1253,
// 162 1254, 163 1258, 177 1255, 178 1256, 186 1257, 204 1251, 222 874, 238 1250. Any other
// set, the multi-byte ones (128, 129, 130, 134, 136) included, falls back to 1252.
CharsetChoice codePageForCharset(int charset);
// The same with the system's ANSI code page given (a page that is not supported falls back).
CharsetChoice codePageForCharset(int charset, int systemAnsiCodePage);

// The system's ANSI code page: GetACP() on Windows, 1252 elsewhere.
int systemAnsiCodePage();

// A stored "FontCharset" value outside 0 to 255 gives the default set.
int fontCharsetOrDefault(std::int32_t stored);

// For a character of the page whose byte a character table gave to another character, "is byte
// A7, which the character table gives to Ť"; nullopt for any other character.
std::optional<std::string> byteTakenByTable(char32_t character, const CodePage& codePage);

// "'ł' is not in code page 1252: choose the font's character set that has it (Other > Change
// used font...)", or for a character of the page whose byte a character table gave to another
// character, "'§' is byte A7, which the character table gives to Ť".
std::string missingCharacterMessage(char32_t character, const CodePage& codePage);

// "Code page 1252 is used: the font's character set 128 has no single-byte code page", shown
// once when codePageForCharset fell back.
std::string fallbackMessage(int charset);

}  // namespace tarn
