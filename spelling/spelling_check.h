// SPDX-License-Identifier: GPL-3.0-or-later
// The spelling check of translated texts: every word of a translation (text_words.h) that the
// dictionary does not know.
//
//   check     severity  finds
//   spelling  info      words of the translation the dictionary does not know, each once
//
// A text equal to its original is still in the original's language and is not checked.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/code_page.h"
#include "spelling/spell_checker.h"
#include "textcodes/cstyle.h"
#include "textcodes/translation_checks.h"

namespace tarn {

// The unknown words of a raw text, each once, in the order they first appear.
std::vector<std::string> unknownWords(std::string_view raw, const CodePage& codePage,
                                      const SpellChecker& checker);

// The finding for a translation with unknown words: "unknown word: Helo" or "unknown words:
// Helo, wrld"; nothing when every word is known.
std::optional<CheckFinding> checkSpelling(std::string_view raw, const CodePage& codePage,
                                          const SpellChecker& checker);

// Every translated text, text n at index n - 1 of both lists, all cells in the one notation (a
// malformed cell is left to the other checks). Findings in text order.
std::vector<TextFinding> checkSpelling(const std::vector<std::string>& originals,
                                       const std::vector<std::string>& translations,
                                       Notation notation, const CodePage& codePage,
                                       const SpellChecker& checker);

}  // namespace tarn
