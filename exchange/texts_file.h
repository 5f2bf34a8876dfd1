// SPDX-License-Identifier: GPL-3.0-or-later
// The texts file: the executable's 3453 texts as plain text for editors, scripts and version
// control (`tarntool exe export` writes it, `exe import` and `exe sample --texts` read it).
//
//   line n      text n in C-style notation (textcodes/cstyle.h), its game bytes as UTF-8
//               through the chosen code page (1252 unless told otherwise)
//   line ends   LF when written; LF or CR LF when read; the last line end is optional
//   lines       exactly 3453
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/code_page.h"
#include "textcodes/typed_codes.h"

namespace tarn {

// One text (game bytes, already in the notation wanted) as its line, line end included.
std::string textsFileLine(std::string_view text, const CodePage& codePage = CodePage());

// Texts (game bytes, already in the notation wanted) as the file's contents.
std::string formatTextsFile(const std::vector<std::string>& texts,
                            const CodePage& codePage = CodePage());

// Splits contents into lines: LF or CR LF ends a line, a final line end is optional.
std::vector<std::string> splitTextLines(std::string_view contents);

struct TextsFileError {
    std::string message;
    bool aboutFile = false;  // shown after the file's name; other messages stand alone

    bool operator==(const TextsFileError&) const = default;
};

struct ParsedTextsFile {
    std::vector<std::string> rawTexts;  // 3453 raw texts when errors is empty
    // One per fault: a wrong line count or "line N is not valid UTF-8" (about the file);
    // "N: 'c' (U+XXXX) is not in code page P" for a line holding a character the page lacks;
    // "N: 'c' (U+XXXX) is byte B in code page P, which the game reads as the value code %l;
    // write %l if the code is meant" for a character that falls on a game code (unless
    // allowed); "C-string error in string number N: <message>" for a malformed line.
    std::vector<TextsFileError> errors;
};

// Reads a texts file into raw texts; every line is checked and every faulty one reported. A
// leading UTF-8 byte-order mark is skipped.
ParsedTextsFile parseTextsFile(std::string_view contents, const CodePage& codePage = CodePage(),
                               TypedCodes typedCodes = TypedCodes::Refused);

}  // namespace tarn
