// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/code_page_choice.h"

#include "common/bytes.h"
#include "common/utf8.h"

namespace tarn {

namespace {

// The Windows font character sets that have a single-byte code page.
constexpr SingleByteCharset kCharsetPages[] = {
    {kAnsiCharset, 1252, "Western"}, {238, 1250, "Central European"},
    {204, 1251, "Cyrillic"},         {161, 1253, "Greek"},
    {162, 1254, "Turkish"},          {177, 1255, "Hebrew"},
    {178, 1256, "Arabic"},           {186, 1257, "Baltic"},
    {163, 1258, "Vietnamese"},       {222, 874, "Thai"},
};

CharsetChoice fallBack() {
    return {CodePage(), true};
}

}  // namespace

std::span<const SingleByteCharset> singleByteCharsets() {
    return kCharsetPages;
}

CharsetChoice codePageForCharset(int charset, int systemAnsi) {
    if (charset == kDefaultCharset) {
        if (const auto page = CodePage::byNumber(systemAnsi)) {
            return {*page, false};
        }
        return fallBack();
    }
    for (const SingleByteCharset& entry : kCharsetPages) {
        if (entry.charset == charset) {
            return {*CodePage::byNumber(entry.codePage), false};
        }
    }
    return fallBack();
}

CharsetChoice codePageForCharset(int charset) {
    return codePageForCharset(charset, systemAnsiCodePage());
}

int fontCharsetOrDefault(std::int32_t stored) {
    return stored >= 0 && stored <= 255 ? stored : kDefaultCharset;
}

std::optional<std::string> byteTakenByTable(char32_t character, const CodePage& codePage) {
    const std::optional<CodePage> own =
        codePage.hasPlaced() ? CodePage::byNumber(codePage.number()) : std::nullopt;
    const std::optional<unsigned char> byte = own ? own->fromUnicode(character) : std::nullopt;
    if (!byte) {
        return std::nullopt;
    }
    std::string text = "is byte " + hexByte(*byte) + ", which the character table gives to ";
    appendUtf8(text, codePage.toUnicode(*byte));
    return text;
}

std::string missingCharacterMessage(char32_t character, const CodePage& codePage) {
    std::string text = "'";
    appendUtf8(text, character);
    if (const std::optional<std::string> taken = byteTakenByTable(character, codePage)) {
        return text + "' " + *taken;
    }
    return text + "' is not in code page " + std::to_string(codePage.number()) +
           ": choose the font's character set that has it (Other > Change used font...)";
}

std::string fallbackMessage(int charset) {
    return "Code page " + std::to_string(CodePage::kDefaultNumber) +
           " is used: the font's character set " + std::to_string(charset) +
           " has no single-byte code page";
}

}  // namespace tarn
