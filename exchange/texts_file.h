// The texts file: the executable's 3453 texts as plain text for editors, scripts and version
// control (`tarntool exe export` writes it, `exe import` and `exe sample --texts` read it).
//
//   line n      text n in C-style notation (textcodes/cstyle.h), its game bytes as UTF-8
//               through the game's code page
//   line ends   LF when written; LF or CR LF when read; the last line end is optional
//   lines       exactly 3453
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// Texts (game bytes, already in the notation wanted) as the file's contents.
std::string formatTextsFile(const std::vector<std::string>& texts);

// Splits contents into lines: LF or CR LF ends a line, a final line end is optional.
std::vector<std::string> splitTextLines(std::string_view contents);

struct ParsedTextsFile {
    std::vector<std::string> rawTexts;  // 3453 raw texts when errors is empty
    // One line per fault: a wrong line count; "line N is not UTF-8 or holds a character the
    // game cannot show"; "C-string error in string number N: <message>".
    std::vector<std::string> errors;
};

// Reads a texts file into raw texts; every line is checked and every faulty one reported.
ParsedTextsFile parseTextsFile(std::string_view contents);

}  // namespace tarn
