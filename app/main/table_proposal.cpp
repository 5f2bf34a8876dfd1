// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/table_proposal.h"

#include <QChar>
#include <algorithm>
#include <string_view>
#include <utility>

#include "common/bytes.h"
#include "common/utf8.h"
#include "textcodes/typed_codes.h"

namespace tarn {

namespace {

// How likely a translation is to need a character, least likely first: spacing accents, which
// nobody types on their own; other symbols that texts seldom hold; punctuation and the symbols
// texts do hold (quotes, dashes, §, ©, °, €); letters, digits and spaces.
int neededRank(char32_t character) {
    const QChar c(static_cast<char16_t>(character));
    switch (c.category()) {
    case QChar::Symbol_Modifier:
        return 0;
    case QChar::Symbol_Other:
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency: {
        static constexpr std::u32string_view kCommonSymbols =
            U"\u00A9\u00AE\u00B0\u20AC\u00A3\u00B1\u00D7\u2122";
        return kCommonSymbols.find(character) == std::u32string_view::npos ? 1 : 2;
    }
    default:
        return c.isPrint() && !c.isLetterOrNumber() && !c.isSpace() ? 2 : 3;
    }
}

}  // namespace

std::vector<CodePage::Placed> charactersOnCodes(const CodePage& page) {
    std::vector<CodePage::Placed> out;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (isCodeByte(byte) && page.isAssigned(byte)) {
            out.push_back({byte, page.toUnicode(byte)});
        }
    }
    return out;
}

std::vector<unsigned char> freeBytes(const CodePage& page, const ByteUse& use) {
    std::vector<unsigned char> bytes;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (!isCodeByte(byte) && !use.byTexts[byte]) {
            bytes.push_back(byte);
        }
    }
    const auto rank = [&](unsigned char byte) {
        return std::pair(use.byWords[byte], neededRank(page.toUnicode(byte)));
    };
    std::stable_sort(bytes.begin(), bytes.end(),
                     [&](unsigned char a, unsigned char b) { return rank(a) < rank(b); });
    return bytes;
}

std::string proposeTable(const CodePage& page, const std::vector<char32_t>& characters,
                         const ByteUse& use) {
    std::string text = "# Character table for code page " + std::to_string(page.number()) +
                       ": letters placed on bytes no text uses.\n"
                       "# The translation's font must draw each letter on its byte.\n";
    const std::vector<unsigned char> bytes = freeBytes(page, use);
    for (std::size_t i = 0; i < characters.size() && i < bytes.size(); ++i) {
        text += hexByte(bytes[i]) + "=";
        appendUtf8(text, characters[i]);
        text += "\n";
    }
    return text;
}

}  // namespace tarn
