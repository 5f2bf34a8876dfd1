// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/identical_texts.h"

#include <algorithm>
#include <map>

#include "textcodes/code_table.h"
#include "textcodes/translation_checks.h"

namespace tarn {

namespace {

bool isCodeByte(std::uint8_t byte, const CodePage& codePage) {
    return byte < 0x20 || findTextCode(byte) != nullptr || !codePage.isAssigned(byte);
}

}  // namespace

std::string comparableText(std::string_view raw, const CodePage& codePage) {
    std::string key;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(raw[i]);
        if (byte == kPictureCode) {
            std::uint32_t number = 0;
            i = readPicture(raw, i, number) - 1;
            continue;
        }
        if (isCodeByte(byte, codePage)) {
            continue;
        }
        const char32_t c = codePage.toUnicode(byte);
        if (isLetter(c) || (c >= '0' && c <= '9')) {
            key += static_cast<char>(codePage.toLower(byte));
        }
    }
    return key;
}

std::vector<std::size_t> untranslatedCopies(const std::vector<std::string>& originals,
                                            const std::vector<std::string>& translations,
                                            std::size_t index, const CodePage& codePage) {
    std::vector<std::size_t> copies;
    const std::size_t count = std::min(originals.size(), translations.size());
    if (index >= count || !holdsLetter(originals[index], byteCharacters(codePage))) {
        return copies;
    }
    const std::string& original = originals[index];
    for (std::size_t i = 0; i < count; ++i) {
        if (i != index && originals[i] == original && translations[i] == original) {
            copies.push_back(i);
        }
    }
    return copies;
}

std::vector<TranslationSuggestion> suggestTranslations(const std::vector<std::string>& originals,
                                                       const std::vector<std::string>& translations,
                                                       std::size_t index,
                                                       const CodePage& codePage) {
    const std::size_t count = std::min(originals.size(), translations.size());
    if (index >= count) {
        return {};
    }
    const std::string& original = originals[index];
    const std::string key = comparableText(original, codePage);
    if (key.empty()) {
        return {};  // nothing but codes and signs: any other such text would match
    }
    struct Share {
        TranslationSuggestion suggestion;
        std::size_t texts = 0;
    };
    std::map<std::string_view, Share> shares;  // by translation
    for (std::size_t i = 0; i < count; ++i) {
        if (i == index || translations[i] == originals[i]) {
            continue;
        }
        const bool same = originals[i] == original;
        if (!same && comparableText(originals[i], codePage) != key) {
            continue;
        }
        auto [it, added] = shares.try_emplace(translations[i], Share{{i, translations[i], same}});
        ++it->second.texts;
        it->second.suggestion.sameOriginal = it->second.suggestion.sameOriginal || same;
    }
    std::vector<Share> ordered;
    for (auto& [translation, share] : shares) {
        ordered.push_back(std::move(share));
    }
    std::sort(ordered.begin(), ordered.end(), [](const Share& a, const Share& b) {
        if (a.suggestion.sameOriginal != b.suggestion.sameOriginal) {
            return a.suggestion.sameOriginal;
        }
        if (a.texts != b.texts) {
            return a.texts > b.texts;
        }
        return a.suggestion.source < b.suggestion.source;
    });
    std::vector<TranslationSuggestion> result;
    for (Share& share : ordered) {
        result.push_back(std::move(share.suggestion));
    }
    return result;
}

}  // namespace tarn
