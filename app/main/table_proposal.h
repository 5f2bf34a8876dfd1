// SPDX-License-Identifier: GPL-3.0-or-later
// What the character table dialog offers the translator: the characters of a code page that
// fall on game codes, the bytes free to place them on, and a starting table file for them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/code_page.h"

namespace tarn {

// Every byte a text uses (original and translation alike).
using UsedBytes = std::array<bool, 256>;

// What a table should leave alone: the bytes the texts use (the executables' and the object
// files'), and those holding letters of the spelling dictionary's words.
struct ByteUse {
    UsedBytes byTexts{};
    UsedBytes byWords{};
};

// The page's own characters outside ASCII on game-code bytes, by byte: Ś on 140 in 1250.
std::vector<CodePage::Placed> charactersOnCodes(const CodePage& page);

// Bytes a table may take (not codes, not control or ASCII bytes) that no text uses, those whose
// characters a translation is least likely to need first: the dictionary's letters last, and
// before them spacing accents, then rare symbols, then punctuation and common symbols, then
// letters; each group in byte order.
std::vector<unsigned char> freeBytes(const CodePage& page, const ByteUse& use);

// A table file placing each character on the next free byte ("A4=Ś" lines under a comment);
// characters left without a free byte are left out.
std::string proposeTable(const CodePage& page, const std::vector<char32_t>& characters,
                         const ByteUse& use);

}  // namespace tarn
