// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/translation_review.h"

#include <algorithm>

#include "textcodes/consistency_check.h"

namespace tarn {

TranslationReview reviewTranslations(const StringTableDocument& document,
                                     const TextAreaTable* areas, const ByteCharacters& characters,
                                     bool grow) {
    TranslationReview review;
    if (areas != nullptr) {
        review.budget = spaceBudget(*areas, document.translatedTexts(), Notation::Raw, grow);
    }
    std::vector<CheckFinding> findings;
    // The raw pairs for the check across texts: a translation that does not convert counts as
    // untranslated and an original that does not convert as empty, so neither takes part.
    std::vector<std::string> originals(StringTableDocument::kRows);
    std::vector<std::string> translations(StringTableDocument::kRows);
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        findings.clear();
        std::string& original = originals[static_cast<std::size_t>(row - 1)];
        std::string& translated = translations[static_cast<std::size_t>(row - 1)];
        Converted<std::string> originalBytes =
            document.bytes(row, StringTableDocument::OriginalColumn);
        if (originalBytes) {
            original = std::move(originalBytes.value());
        }
        // A translation that does not convert gives only its error; an original that does not
        // convert gives none, and both then stay empty.
        Converted<std::string> translatedBytes =
            document.bytes(row, StringTableDocument::TranslatedColumn);
        if (!translatedBytes) {
            findings.push_back({Severity::Error, "cstyle", translatedBytes.problem().message});
            translated = original;
        } else if (originalBytes) {
            translated = std::move(translatedBytes.value());
            // The same checks and order as checkTranslations: the text's own, then its length.
            checkTranslation(original, translated, Notation::Raw, characters, findings);
            checkStoredLength(original, translated, findings);
        }
        for (CheckFinding& finding : findings) {
            review.findings.push_back({row, std::move(finding)});
        }
    }
    std::vector<TextFinding> across;
    for (const Inconsistency& found : findInconsistencies(originals, translations, characters)) {
        across.push_back({static_cast<int>(found.index + 1),
                          inconsistentFinding("text " + std::to_string(found.prevailing + 1))});
    }
    mergeFindings(review.findings, std::move(across));
    return review;
}

int nextFindingText(const std::vector<TextFinding>& findings, int row, Severity least) {
    auto next = std::upper_bound(
        findings.begin(), findings.end(), row,
        [](int value, const TextFinding& finding) { return value < finding.text; });
    next = std::find_if(next, findings.end(),
                        [least](const TextFinding& f) { return f.finding.severity >= least; });
    return next == findings.end() ? 0 : next->text;
}

}  // namespace tarn
