// The text file of `tarntool exe export` and `import`: 3453 lines, line n holding text n in
// C-style notation, UTF-8 through the chosen code page, LF line ends (CRLF accepted).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/code_page.h"

namespace tarn::tool {

// Texts (game bytes, any notation) to the file's contents.
std::string textLinesToUtf8(const std::vector<std::string>& texts,
                            const CodePage& codePage = CodePage());

// Splits a file into lines: LF or CRLF ends a line, a final line end is optional.
std::vector<std::string> splitLines(std::string_view contents);

struct TextsFileError {
    std::string message;
    bool aboutFile = false;  // shown after the file's name; other messages stand alone
};

// Reads a texts file into raw texts. On failure answers false and appends one message per
// fault to errors: a wrong line count or a line that is not UTF-8 (about the file);
// "N: 'c' (U+XXXX) is not in code page P" for a line holding a character the page lacks;
// "C-string error in string number N: <message>" for every malformed line.
bool parseTextLines(std::string_view contents, const CodePage& codePage,
                    std::vector<std::string>& rawTexts, std::vector<TextsFileError>& errors);

}  // namespace tarn::tool
