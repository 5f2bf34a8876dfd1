#include "exetext/translation_review.h"

#include <algorithm>

namespace tarn {

TranslationReview reviewTranslations(const StringTableDocument& document,
                                     const TextAreaTable* areas, const ByteCharacters& characters) {
    TranslationReview review;
    if (areas != nullptr) {
        review.budget = spaceBudget(*areas, document.translatedTexts(), document.cstyle());
    }
    std::vector<CheckFinding> findings;
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        findings.clear();
        checkTranslation(document.cell(row, StringTableDocument::OriginalColumn),
                         document.cell(row, StringTableDocument::TranslatedColumn),
                         document.cstyle(), characters, findings);
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
