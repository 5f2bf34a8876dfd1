// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling/spelling_check.h"

#include <algorithm>
#include <unordered_map>

#include "spelling/text_words.h"
#include "textcodes/cstyle.h"

namespace tarn {

namespace {

// Asks the dictionary about each word once: game texts repeat their words many times.
class CachedChecker {
public:
    explicit CachedChecker(const SpellChecker& checker) : checker_(checker) {}

    bool isKnown(const std::string& word) {
        const auto [it, added] = known_.try_emplace(word, false);
        if (added) {
            it->second = checker_.isKnown(word);
        }
        return it->second;
    }

private:
    const SpellChecker& checker_;
    std::unordered_map<std::string, bool> known_;
};

std::vector<std::string> unknownWords(std::string_view raw, const CodePage& codePage,
                                      CachedChecker& checker) {
    std::vector<std::string> unknown;
    for (TextWord& word : textWords(raw, codePage)) {
        if (!checker.isKnown(word.word) &&
            std::find(unknown.begin(), unknown.end(), word.word) == unknown.end()) {
            unknown.push_back(std::move(word.word));
        }
    }
    return unknown;
}

std::optional<CheckFinding> spellingFinding(const std::vector<std::string>& unknown) {
    if (unknown.empty()) {
        return std::nullopt;
    }
    std::string message = unknown.size() == 1 ? "unknown word: " : "unknown words: ";
    for (std::size_t i = 0; i < unknown.size(); ++i) {
        message += (i == 0 ? "" : ", ") + unknown[i];
    }
    return CheckFinding{Severity::Info, "spelling", std::move(message)};
}

}  // namespace

std::vector<std::string> unknownWords(std::string_view raw, const CodePage& codePage,
                                      const SpellChecker& checker) {
    CachedChecker cached(checker);
    return unknownWords(raw, codePage, cached);
}

std::optional<CheckFinding> checkSpelling(std::string_view raw, const CodePage& codePage,
                                          const SpellChecker& checker) {
    return spellingFinding(unknownWords(raw, codePage, checker));
}

std::vector<TextFinding> checkSpelling(const std::vector<std::string>& originals,
                                       const std::vector<std::string>& translations,
                                       Notation notation, const CodePage& codePage,
                                       const SpellChecker& checker) {
    CachedChecker cached(checker);
    std::vector<TextFinding> findings;
    const std::size_t count = std::min(originals.size(), translations.size());
    std::string raw;
    for (std::size_t i = 0; i < count; ++i) {
        if (translations[i] == originals[i]) {
            continue;
        }
        if (notation == Notation::Raw) {
            raw = translations[i];
        } else if (Converted<std::string> converted = cStyleToRaw(translations[i])) {
            raw = std::move(converted.value());
        } else {
            continue;
        }
        if (auto finding = spellingFinding(unknownWords(raw, codePage, cached))) {
            findings.push_back({static_cast<int>(i + 1), std::move(*finding)});
        }
    }
    return findings;
}

}  // namespace tarn
