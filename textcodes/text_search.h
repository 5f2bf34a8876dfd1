// SPDX-License-Identifier: GPL-3.0-or-later
// Matching of a search text inside a game text, shared by the Find and Replace dialogs.
// Texts are game bytes; case folding uses the chosen code page (accented letters included).
#pragma once

#include <cstddef>
#include <string_view>

#include "common/code_page.h"

namespace tarn {

// Characters that bound a word for "Whole words only": space . , ? ! ; : \ % ( ) & and CR.
// Every other byte (letters, digits, hyphen, quotes, control codes, bytes >= 128) is part of
// a word.
inline constexpr std::string_view WordDelimiters{" .,?!;:\\%()&\r", 13};

bool isWordDelimiter(unsigned char byte);

struct SearchOptions {
    bool caseSensitive = false;
    bool wholeWords = false;
    bool wholeText = false;  // used by Replace only; wins over wholeWords
    CodePage codePage{};     // whose case forms count as equal without caseSensitive
};

// Find: true when the search text occurs in the cell text (as a whole word when asked).
// An empty search text never matches.
bool textMatches(std::string_view searchText, std::string_view cellText,
                 const SearchOptions& options);

// Replace: 1-based position of the first match of toFind in text, or 0. Whole-text matching
// compares the entire text; otherwise the rule of textMatches applies. An empty toFind never
// matches (a scan could otherwise never move on).
std::size_t findMatch(std::string_view toFind, std::string_view text, const SearchOptions& options);

}  // namespace tarn
