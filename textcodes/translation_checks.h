// SPDX-License-Identifier: GPL-3.0-or-later
// clang-format off
// Checks of a translated text against its original, for the game's codes and its fixed
// layout. Each finding names its check, a severity and a message:
//
//   check         severity  finds
//   value-codes   error     the order of value codes (%N .. %p) differs: the game fills them in
//                           order
//   value-data    error     the data of the n-th code that takes data (%S: 2 stored bytes, %c: 4)
//                           differ from the original's n-th, or are cut short by the text's end
//                           (an original whose data are cut short is not compared)
//   pictures      error     the picture numbers differ (as a multiset)
//   cstyle        error     the translated cell's C-style notation is malformed
//   colours       warning   the number of colour codes (\c0 .. \cd) or of \d differs
//   thin          warning   the number of \t differs
//   typed-code    warning   a code byte (123..155) the original lacks whose character in the
//                           code page is printable: typed or pasted as a character, it became
//                           a code (one finding per such byte)
//   spaces        warning   the number of leading or trailing spaces differs
//   control       warning   control bytes (0..31, shown as \xHH) the original lacks
//   inconsistent  warning   the same original is translated otherwise in another text (across
//                           texts, consistency_check.h; checkTranslations only)
//   line-breaks   info      the number of \n differs
//   untranslated  info      the text equals its original and holds a letter
//   longer        info      the translation's stored bytes (storedLength, code_table.h) exceed
//                           the original's, by the finding's excess (the executable's texts:
//                           checkTranslations and checkStoredLength only)
//
// A text's findings come in the order of the table, those across texts (inconsistent) after
// the text's own. Texts are game bytes; messages are UTF-8, characters shown through the code
// page.
// clang-format on
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_page.h"
#include "textcodes/cstyle.h"

namespace tarn {

enum class Severity { Info, Warning, Error };

// "info", "warning", "error"
std::string_view severityName(Severity severity);

// The character each of the 256 bytes stands for in a code page.
using ByteCharacters = std::array<char32_t, 256>;

// The character of every byte in a code page; a byte the page leaves unassigned stands for no
// character (0), so that no check takes it for a printable one.
ByteCharacters byteCharacters(const CodePage& codePage);
// Windows-1252, the game's own code page.
const ByteCharacters& windows1252Characters();

// Every check's name, those of the table above and "spelling" (spelling_check.h), in the order
// lists of checks offer them: by severity, "untranslated" last.
inline constexpr std::array<std::string_view, 14> kCheckNames = {
    "value-codes", "value-data",   "pictures",     "cstyle",      "colours",
    "thin",        "typed-code",   "spaces",       "control",     "inconsistent",
    "line-breaks", "longer",       "spelling",     "untranslated"};

struct CheckFinding {
    Severity severity;
    std::string_view check;     // "value-codes", "pictures", ...
    std::string message;        // UTF-8
    std::uint8_t codeByte = 0;  // typed-code: the byte that became a code
    int excess = 0;             // longer: the stored bytes over the original's, to sort by

    bool operator==(const CheckFinding&) const = default;
};

// Compares one translated text with its original, both in raw notation or both in C-style
// notation (Notation::CStyle): the checks of the table above that hold for every game text (all but
// inconsistent and longer), appended in the table's order. A malformed translated cell gives
// only the cstyle finding; a malformed original cell gives none.
void checkTranslation(std::string_view original, std::string_view translated, Notation notation,
                      const ByteCharacters& characters, std::vector<CheckFinding>& findings);

std::vector<CheckFinding> checkTranslation(std::string_view original, std::string_view translated,
                                           Notation notation, const ByteCharacters& characters);

// The longer check of one executable text, both texts raw: appends its finding when the
// translation stores more bytes than the original. The executable's text areas are fixed, so a
// longer text is worth knowing of; object texts are stored otherwise and do not take it.
void checkStoredLength(std::string_view originalRaw, std::string_view translatedRaw,
                       std::vector<CheckFinding>& findings);

struct TextFinding {
    int text;  // 1-based text number
    CheckFinding finding;
};

// Every pair of the executable's texts, text n at index n - 1 of both lists (the shorter list
// decides): checkTranslation, then checkStoredLength, then the checks across texts.
std::vector<TextFinding> checkTranslations(const std::vector<std::string>& originals,
                                           const std::vector<std::string>& translations,
                                           Notation notation, const ByteCharacters& characters);

// Letters of the scripts the game's code pages carry; a rough test, enough to tell words from
// digits, signs and codes.
bool isLetter(char32_t c);

// Whether a raw text holds a letter outside its codes and picture sequences.
bool holdsLetter(std::string_view raw, const ByteCharacters& characters);

// Whether any finding is an error.
bool hasError(const std::vector<TextFinding>& findings);

}  // namespace tarn
