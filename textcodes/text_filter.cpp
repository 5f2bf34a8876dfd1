// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/text_filter.h"

#include "textcodes/text_search.h"

namespace tarn {

namespace {

// The texts with a finding that counts for the kind, by index.
std::vector<bool> textsWithFindings(TextFilterKind kind, const std::vector<TextFinding>& findings,
                                    std::size_t count) {
    std::vector<bool> marked(count, false);
    for (const TextFinding& found : findings) {
        // Nearly every translation is longer than its original: "longer" would let almost every
        // text through, and the Checks panel lists those by excess instead.
        const bool counts = kind == TextFilterKind::WithErrors
                                ? found.finding.severity == Severity::Error
                                : found.finding.check != "untranslated" &&
                                      found.finding.check != "longer";
        const auto index = static_cast<std::size_t>(found.text - 1);
        if (counts && found.text >= 1 && index < count) {
            marked[index] = true;
        }
    }
    return marked;
}

}  // namespace

std::vector<bool> textsShown(const TextFilter& filter, const FilterInput& input) {
    const std::size_t count = input.originals.size();
    std::vector<bool> shown(count, true);
    std::vector<bool> withFindings;
    if (filter.kind == TextFilterKind::WithErrors || filter.kind == TextFilterKind::WithFindings) {
        withFindings = textsWithFindings(filter.kind, input.findings, count);
    }
    SearchOptions search;
    search.codePage = filter.codePage;
    static const std::string none;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& original = input.originals[i];
        const std::string& translation =
            i < input.translations.size() ? input.translations[i] : none;
        bool passes = true;
        switch (filter.kind) {
            case TextFilterKind::All:
                break;
            case TextFilterKind::Untranslated:
                passes = translation == original && holdsLetter(original, input.characters);
                break;
            case TextFilterKind::WithErrors:
            case TextFilterKind::WithFindings:
                passes = withFindings[i];
                break;
            case TextFilterKind::ChangedSinceLoad:
                passes = i >= input.loadedTranslations.size() ||
                         translation != input.loadedTranslations[i];
                break;
            case TextFilterKind::SameAsOriginal:
                passes = !original.empty() && translation == original;
                break;
        }
        if (passes && !filter.word.empty()) {
            const std::string& shownOriginal =
                input.shownOriginals != nullptr && i < input.shownOriginals->size()
                    ? (*input.shownOriginals)[i]
                    : original;
            const std::string& shownTranslation =
                input.shownTranslations != nullptr
                    ? (i < input.shownTranslations->size() ? (*input.shownTranslations)[i] : none)
                    : translation;
            passes = textMatches(filter.word, shownOriginal, search) ||
                     textMatches(filter.word, shownTranslation, search);
        }
        shown[i] = passes;
    }
    return shown;
}

}  // namespace tarn
