// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/table_proposal.h"

#include <QChar>
#include <cstdio>

#include "common/utf8.h"
#include "textcodes/typed_codes.h"

namespace tarn {

namespace {

bool likelyUnneeded(char32_t character) {
    const QChar c(static_cast<char16_t>(character));
    return c.isPrint() && !c.isLetterOrNumber() && !c.isSpace();
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

std::vector<unsigned char> freeBytes(const CodePage& page, const UsedBytes& used) {
    std::vector<unsigned char> first;
    std::vector<unsigned char> then;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (isCodeByte(byte) || used[byte]) {
            continue;
        }
        (likelyUnneeded(page.toUnicode(byte)) ? first : then).push_back(byte);
    }
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

std::string proposeTable(const CodePage& page, const std::vector<char32_t>& characters,
                         const UsedBytes& used) {
    std::string text = "# Character table for code page " + std::to_string(page.number()) +
                       ": letters placed on bytes no text uses.\n"
                       "# The translation's font must draw each letter on its byte.\n";
    const std::vector<unsigned char> bytes = freeBytes(page, used);
    for (std::size_t i = 0; i < characters.size() && i < bytes.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
        text += std::string(hex) + "=";
        appendUtf8(text, characters[i]);
        text += "\n";
    }
    return text;
}

}  // namespace tarn
