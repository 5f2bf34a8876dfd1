// SPDX-License-Identifier: GPL-3.0-or-later
// Which texts the grid's filter lets through: a kind of text (untranslated, with errors, ...)
// and a word that the original or the translation holds, both at once. Texts are game bytes;
// the word is matched as Find matches it without case, folding through the code page.
#pragma once

#include <string>
#include <vector>

#include "common/code_page.h"
#include "textcodes/translation_checks.h"

namespace tarn {

enum class TextFilterKind {
    All,
    Untranslated,      // equal to its original and holding a letter: the "untranslated" check
    WithErrors,        // an error finding
    WithFindings,      // a finding other than "untranslated", which has a filter of its own,
                       // and "longer", which nearly every translation has
    ChangedSinceLoad,  // the translation differs from the one the files held when loaded
    SameAsOriginal,    // equal to a non-empty original byte for byte, as Next untranslated sees
};

struct TextFilter {
    TextFilterKind kind = TextFilterKind::All;
    std::string word;  // game bytes; empty: any text
    CodePage codePage{};

    bool filters() const { return kind != TextFilterKind::All || !word.empty(); }
};

// What the rules look at; text n at index n - 1 of every list.
struct FilterInput {
    const std::vector<std::string>& originals;
    const std::vector<std::string>& translations;
    const std::vector<std::string>& loadedTranslations;  // missing ones count as changed
    const std::vector<TextFinding>& findings;            // in text order
    const ByteCharacters& characters;
    // The texts as the grid shows them (C-style notation writes a code as %N or \c4): the word
    // is looked for in these when given, else in the game bytes above.
    const std::vector<std::string>* shownOriginals = nullptr;
    const std::vector<std::string>* shownTranslations = nullptr;
};

// One flag per text of the originals list: whether the filter lets it through.
std::vector<bool> textsShown(const TextFilter& filter, const FilterInput& input);

}  // namespace tarn
