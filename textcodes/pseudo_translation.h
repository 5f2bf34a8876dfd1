// SPDX-License-Identifier: GPL-3.0-or-later
// Pseudo-translation: every text made to look translated, so that a game run shows which texts
// pass through the translation, whether accented letters come out right and where a longer
// text no longer fits its place, before anyone translates a word.
//
//   "Save %N gold"   ->   "[Sávé %N gólð !]"   (code page 1252, 30 percent)
//
// - Each ASCII letter becomes an accented form of it that the code page (with its character
//   table) holds on a byte that is neither a game code (123..155) nor a control byte; a letter
//   without such a form stays as it is.
// - The codes stay in place and in order, and so do the bytes that are no characters: a picture
//   sequence whole (23, its count and number bytes), the 2 data bytes after %S and the 4 after
//   %c.
// - The text goes between "[" and "]", its leading and trailing spaces left outside, where the
//   layout and the spaces check expect them. Before the "]" it is padded with words of "!" so
//   that its stored length (storedLength) grows by expandPercent of the original's, rounded up
//   and the brackets included, and by the brackets at least. A code whose bytes run past the
//   end of the text stays last, after the "]". An empty text stays empty.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/code_page.h"

namespace tarn {

// How much longer than its original a pseudo-translated text is made unless asked otherwise, in
// percent: about as much as translations from English tend to grow; and the most one may ask.
inline constexpr int kDefaultExpandPercent = 30;
inline constexpr int kMostExpandPercent = 1000;

// The byte each byte becomes when it stands as a character: a letter's accented form, every
// other byte itself.
using PseudoLetters = std::array<unsigned char, 256>;

// The letters of a code page (with the characters a table placed over it).
PseudoLetters pseudoLetters(const CodePage& codePage);

// The pseudo-translation of a raw text; a negative expandPercent counts as 0.
std::string pseudoTranslate(std::string_view raw, int expandPercent, const PseudoLetters& letters);
std::string pseudoTranslate(std::string_view raw, int expandPercent, const CodePage& codePage);

}  // namespace tarn
