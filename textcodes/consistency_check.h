// SPDX-License-Identifier: GPL-3.0-or-later
// The "inconsistent" check: one original translated two ways. It looks across texts, so it runs
// over whole lists rather than one pair at a time:
//
//   check         severity  finds
//   inconsistent  warning   a text whose original occurs elsewhere with another translation
//
// Only translated texts take part (a translation that differs from its original, an original
// that holds a letter). Of each original's translations the one most of its texts share
// prevails (the earliest on a tie); every text with another translation gets a finding naming
// the first text with the prevailing one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "textcodes/translation_checks.h"

namespace tarn {

struct Inconsistency {
    std::size_t index;       // the text translated otherwise, an index into the lists
    std::size_t prevailing;  // the first text with the prevailing translation
};

// Both lists raw, item i of one paired with item i of the other (the shorter list decides).
// Results in index order.
std::vector<Inconsistency> findInconsistencies(const std::vector<std::string>& originals,
                                               const std::vector<std::string>& translations,
                                               const ByteCharacters& characters);

// The finding for a text translated otherwise than `prevailing` ("text 12", "CHEST.DAT 3").
CheckFinding inconsistentFinding(std::string_view prevailing);

// Adds more findings to a list in text order; within one text, those already there come first.
void mergeFindings(std::vector<TextFinding>& findings, std::vector<TextFinding> more);

}  // namespace tarn
