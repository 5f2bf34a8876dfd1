// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/consistency_check.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace tarn {

std::vector<Inconsistency> findInconsistencies(const std::vector<std::string>& originals,
                                               const std::vector<std::string>& translations,
                                               const ByteCharacters& characters) {
    const std::size_t count = std::min(originals.size(), translations.size());
    // The translated texts of each original, in text order.
    std::unordered_map<std::string_view, std::vector<std::size_t>> byOriginal;
    for (std::size_t i = 0; i < count; ++i) {
        if (translations[i] != originals[i]) {
            byOriginal[originals[i]].push_back(i);
        }
    }
    std::vector<Inconsistency> found;
    for (const auto& [original, texts] : byOriginal) {
        if (texts.size() < 2 || !holdsLetter(original, characters)) {
            continue;
        }
        // How many texts share each translation, keyed by its first text.
        std::unordered_map<std::string_view, std::pair<std::size_t, std::size_t>> shares;
        for (const std::size_t i : texts) {
            auto [it, added] = shares.try_emplace(translations[i], i, 0);
            ++it->second.second;
        }
        if (shares.size() < 2) {
            continue;
        }
        std::pair<std::size_t, std::size_t> best{0, 0};  // first text, copies
        for (const auto& [translation, share] : shares) {
            if (share.second > best.second ||
                (share.second == best.second && share.first < best.first)) {
                best = share;
            }
        }
        const std::string_view prevailing = translations[best.first];
        for (const std::size_t i : texts) {
            if (translations[i] != prevailing) {
                found.push_back({i, best.first});
            }
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Inconsistency& a, const Inconsistency& b) { return a.index < b.index; });
    return found;
}

CheckFinding inconsistentFinding(std::string_view prevailing) {
    return {Severity::Warning, "inconsistent",
            std::string(prevailing) + " has the same original, translated otherwise"};
}

void mergeFindings(std::vector<TextFinding>& findings, std::vector<TextFinding> more) {
    const auto middle = static_cast<std::ptrdiff_t>(findings.size());
    findings.insert(findings.end(), std::make_move_iterator(more.begin()),
                    std::make_move_iterator(more.end()));
    std::inplace_merge(findings.begin(), findings.begin() + middle, findings.end(),
                       [](const TextFinding& a, const TextFinding& b) { return a.text < b.text; });
}

}  // namespace tarn
