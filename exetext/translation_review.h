// SPDX-License-Identifier: GPL-3.0-or-later
// What a translator should see whenever the texts change: the space budget of a save and the
// checks of every translated text against its original, computed from the document.
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
    // In text order, each text's as checkTranslations gives them: its own checks, longer, then
    // the check across texts.
    std::vector<TextFinding> findings;
};

// areas: the text areas of the translated build, or nullptr when it is unknown; grow: the
// file may grow by a section for the texts that do not fit.
TranslationReview reviewTranslations(const StringTableDocument& document,
                                     const TextAreaTable* areas, const ByteCharacters& characters,
                                     bool grow = false);

// The first text after `row` with a finding of at least that severity, or 0 when there is none.
int nextFindingText(const std::vector<TextFinding>& findings, int row,
                    Severity least = Severity::Info);

}  // namespace tarn
