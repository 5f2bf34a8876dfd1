// The text file of `tarntool exe export` and `import`: 3453 lines, line n holding text n in
// C-style notation, UTF-8 through the game's code page, LF line ends (CRLF accepted).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarn::tool {

// Texts (game bytes, any notation) to the file's contents.
std::string textLinesToUtf8(const std::vector<std::string>& texts);

// Splits a file into lines: LF or CRLF ends a line, a final line end is optional.
std::vector<std::string> splitLines(std::string_view contents);

// Reads a texts file into raw texts. On failure answers false and appends one message line
// per fault to errors: a wrong line count, a line that is not UTF-8 of the game's characters,
// or "C-string error in string number N: <message>" for every malformed line.
bool parseTextLines(std::string_view contents, std::vector<std::string>& rawTexts,
                    std::vector<std::string>& errors);

}  // namespace tarn::tool
