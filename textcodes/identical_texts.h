// SPDX-License-Identifier: GPL-3.0-or-later
// Texts that share an original: the untranslated copies a new translation can fill at once, and
// the translations already given to the same original or to one that differs only in codes,
// punctuation or case, which the window offers while a text is translated.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_page.h"

namespace tarn {

// The other texts with the same original byte for byte whose translation is still equal to
// their original; none when the original holds no letter (an empty text or a lone code says
// nothing of its meaning). Both lists raw, item i of one paired with item i of the other.
// Index order.
std::vector<std::size_t> untranslatedCopies(const std::vector<std::string>& originals,
                                            const std::vector<std::string>& translations,
                                            std::size_t index, const CodePage& codePage);

// What an original says once its codes, punctuation, spaces and case are set aside: its letters
// and digits, in lower case, as bytes of the code page.
std::string comparableText(std::string_view raw, const CodePage& codePage);

struct TranslationSuggestion {
    std::size_t source;       // the first text with this translation
    std::string translation;  // raw
    bool sameOriginal;        // byte for byte; else the originals differ only in codes,
                              // punctuation or case
    bool operator==(const TranslationSuggestion&) const = default;
};

// The translations other texts give to text index's original: each distinct translation once,
// those of the same original first, then by how many texts share it, then in text order. Only
// translated texts count (a translation that differs from its original).
std::vector<TranslationSuggestion> suggestTranslations(const std::vector<std::string>& originals,
                                                       const std::vector<std::string>& translations,
                                                       std::size_t index, const CodePage& codePage);

}  // namespace tarn
