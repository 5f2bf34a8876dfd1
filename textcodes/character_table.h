// SPDX-License-Identifier: GPL-3.0-or-later
// Character tables: a translation's file that places letters its code page lacks, or has only
// on game-code bytes, on bytes the game draws as glyphs (the translation's font shows them
// there). One mapping a line, two hex digits, '=' and one character, in UTF-8:
//
//   # Polish letters that fall on codes in 1250
//   A4=Ś
//   A6=Ź
//
// Lines starting with '#' and empty lines are skipped. Every character keeps exactly one byte,
// so a table may place only a character outside ASCII, on a byte from 80 to FF that is not a
// game code, each byte and each character once, and never a character the page already has on
// a byte that is not a code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/code_page.h"

namespace tarn {

struct CharacterTable {
    struct Line {
        int number;  // 1-based line of the file
        CodePage::Placed placed;
    };
    std::vector<Line> lines;  // in file order
    std::string error;        // the first problem, "line 3: ..."; empty when sound

    bool ok() const { return error.empty(); }
    // The page with the table's characters over it.
    CodePage over(const CodePage& page) const;
};

// Reads and checks a table over page (the page alone, without a table).
CharacterTable readCharacterTable(std::string_view contents, const CodePage& page);

// What a sound table changes, one line a byte: "A4=Ś (U+015A) instead of '¤' (U+00A4); the page
// has it on byte 140, the value code %l".
std::vector<std::string> describeCharacterTable(const CharacterTable& table, const CodePage& page);

}  // namespace tarn
