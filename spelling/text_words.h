// SPDX-License-Identifier: GPL-3.0-or-later
// The words of a game text, as a spelling dictionary should see them: runs of letters taken
// through the code page between the codes, so that value codes (%N), colour codes (\c4), the
// other codes, control bytes and pictures never count as words or as parts of one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_page.h"

namespace tarn {

struct TextWord {
    std::size_t offset = 0;  // the word's first byte in the raw text
    std::size_t length = 0;  // its bytes in the raw text
    std::string word;        // UTF-8

    bool operator==(const TextWord&) const = default;
};

// The words of a raw text in order. A word is a run of letters, an apostrophe or hyphen between
// two letters included ("don't", "Nord-Ost"); a run that holds a digit ("2nd") is no word.
std::vector<TextWord> textWords(std::string_view raw, const CodePage& codePage);

}  // namespace tarn
