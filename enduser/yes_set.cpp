// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/yes_set.h"

#include "common/game_code_page.h"
#include "common/utf8.h"
#include "enduser/utf16_text.h"
#include "platform/core/unicode_case.h"

namespace tarn {

YesSet::YesSet(std::u16string_view yesText) {
    const std::u16string_view text = yesText.substr(0, 255);
    if (text.empty()) {
        characters_ = {U'Y', U'y'};
        return;
    }
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = platform::nextUtf16(text, i);
        if (characters_.empty()) {
            first_ = c;
        }
        characters_.insert(platform::simpleUpperCase(c));
        characters_.insert(platform::simpleLowerCase(c));
    }
}

bool YesSet::answers(std::string_view line) const {
    if (line.empty()) {
        return false;
    }
    std::size_t pos = 0;
    const auto c = nextUtf8(line, pos);
    const char32_t first = c ? *c : gameByteToUnicode(static_cast<unsigned char>(line[0]));
    return characters_.count(first) != 0;
}

std::optional<char32_t> offeredYesLetter(std::string_view questionUtf8) {
    const auto text = utf8ToUtf16(questionUtf8);
    if (!text) {
        return std::nullopt;
    }
    std::u16string_view rest(*text);
    while (!rest.empty() && (rest.back() == u' ' || rest.back() == u'\t' || rest.back() == u'\r' ||
                             rest.back() == u'\n')) {
        rest.remove_suffix(1);
    }
    if (rest.empty() || (rest.back() != u']' && rest.back() != u')')) {
        return std::nullopt;
    }
    const char16_t open = rest.back() == u']' ? u'[' : u'(';
    const std::size_t start = rest.rfind(open);
    if (start == std::u16string_view::npos) {
        return std::nullopt;
    }
    const std::u16string_view choice = rest.substr(start + 1, rest.size() - start - 2);
    const std::size_t slash = choice.find(u'/');
    if (slash == 0 || slash == std::u16string_view::npos || slash + 1 == choice.size() ||
        choice.find(u'/', slash + 1) != std::u16string_view::npos ||
        choice.find_first_of(u" \t") != std::u16string_view::npos) {
        return std::nullopt;
    }
    std::size_t pos = 0;
    return platform::nextUtf16(choice, pos);
}

std::vector<std::size_t> questionsOfferingOtherAnswers(const MessageTexts& messages,
                                                       const std::string& yesCharsUtf8) {
    const YesSet yes(utf8ToUtf16(yesCharsUtf8).value_or(std::u16string()));
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < kMessageCount; ++row) {
        bool question = false;
        for (const unsigned entry : kQuestionMessages) {
            question |= messageEntry(row) == entry;
        }
        if (!question) {
            continue;
        }
        const auto letter = offeredYesLetter(messages[row]);
        std::string typed;
        if (letter) {
            appendUtf8(typed, *letter);
        }
        if (letter && !yes.answers(typed)) {
            rows.push_back(row);
        }
    }
    return rows;
}

}  // namespace tarn
