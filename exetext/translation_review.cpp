#include "exetext/translation_review.h"

#include <algorithm>

namespace tarn {

TranslationReview reviewTranslations(const StringTableDocument& document,
                                     const TextAreaTable* areas, const ByteCharacters& characters) {
    TranslationReview review;
    if (areas != nullptr) {
        review.budget = spaceBudget(*areas, document.translatedTexts(), false);
    }
    std::vector<CheckFinding> findings;
    std::string original;
    std::string translated;
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        findings.clear();
        // A translation that does not convert gives only its error; an original that does not
        // convert gives none.
        if (!document.bytes(row, StringTableDocument::TranslatedColumn, translated)) {
            findings.push_back({Severity::Error, "cstyle", std::move(translated)});
        } else if (document.bytes(row, StringTableDocument::OriginalColumn, original)) {
            checkTranslation(original, translated, false, characters, findings);
        }
        for (CheckFinding& finding : findings) {
            review.findings.push_back({row, std::move(finding)});
        }
    }
    return review;
}

int nextFindingText(const std::vector<TextFinding>& findings, int row) {
    const auto next = std::upper_bound(
        findings.begin(), findings.end(), row,
        [](int value, const TextFinding& finding) { return value < finding.text; });
    return next == findings.end() ? 0 : next->text;
}

}  // namespace tarn
