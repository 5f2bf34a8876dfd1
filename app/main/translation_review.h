// What the main window recomputes whenever the texts change in a way the translator should
// see: the space budget of a save and the checks of every translated text against its
// original. Qt-free, so that the window only shows the result.
#pragma once

#include <optional>
#include <vector>

#include "common/code_page.h"
#include "exetext/exe_profile.h"
#include "exetext/space_budget.h"
#include "exetext/string_table_document.h"
#include "textcodes/translation_checks.h"

namespace tarn {

struct TranslationReview {
    std::optional<SpaceBudget> budget;  // none while the translated build is unknown
    std::vector<TextFinding> findings;  // in text order
};

// areas: the text areas of the translated build, or nullptr when it is unknown.
TranslationReview reviewTranslations(const StringTableDocument& document,
                                     const TextAreaTable* areas, const ByteCharacters& characters);

// The first text after `row` with a finding, or 0 when there is none.
int nextFindingText(const std::vector<TextFinding>& findings, int row);

// The character of every byte in a code page; a byte the page leaves unassigned stands for no
// character (0), so that no check takes it for a printable one.
ByteCharacters byteCharacters(const CodePage& page);

}  // namespace tarn
