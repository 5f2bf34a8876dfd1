// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling/text_words.h"

#include "common/utf8.h"
#include "textcodes/code_table.h"
#include "textcodes/translation_checks.h"

namespace tarn {

namespace {

enum class Kind { Letter, Digit, Joiner, Other };

Kind kindOf(char32_t c) {
    if (isLetter(c)) {
        return Kind::Letter;
    }
    if (c >= '0' && c <= '9') {
        return Kind::Digit;
    }
    return c == '\'' || c == '-' ? Kind::Joiner : Kind::Other;
}

}  // namespace

std::vector<TextWord> textWords(std::string_view raw, const CodePage& codePage) {
    std::vector<TextWord> words;
    TextWord current;
    bool inWord = false;
    bool hasDigit = false;
    std::size_t pendingJoiner = 0;  // bytes of joiners after the last letter or digit
    auto finish = [&] {
        if (inWord && !hasDigit) {
            words.push_back(current);
        }
        inWord = false;
        hasDigit = false;
        pendingJoiner = 0;
    };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(raw[i]);
        if (byte == kPictureCode) {
            finish();
            std::uint32_t number = 0;
            i = readPicture(raw, i, number) - 1;
            continue;
        }
        // A code or a control byte ends a word whatever character the page gives its byte.
        const bool code =
            byte < 0x20 || findTextCode(byte) != nullptr || !codePage.isAssigned(byte);
        const Kind kind = code ? Kind::Other : kindOf(codePage.toUnicode(byte));
        if (kind == Kind::Letter || kind == Kind::Digit) {
            if (!inWord) {
                current = {i, 0, ""};
                inWord = true;
            } else if (pendingJoiner > 0) {
                current.word += raw.substr(i - pendingJoiner, pendingJoiner);
                pendingJoiner = 0;
            }
            hasDigit = hasDigit || kind == Kind::Digit;
            appendUtf8(current.word, codePage.toUnicode(byte));
            current.length = i + 1 - current.offset;
        } else if (kind == Kind::Joiner && inWord && pendingJoiner == 0) {
            pendingJoiner = 1;
        } else {
            finish();
        }
    }
    finish();
    return words;
}

}  // namespace tarn
