// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/typed_codes.h"

#include "common/utf8.h"
#include "textcodes/code_table.h"

namespace tarn {

namespace {

// The raw notation's own spelling of %N %n %f %W.
bool isRawNotationCode(unsigned char byte) {
    return byte >= '{' && byte <= '~';
}

std::string quoted(char32_t character) {
    std::string text = "'";
    appendUtf8(text, character);
    return text + "'";
}

std::string byteInPage(const TypedCode& code, const CodePage& codePage) {
    return " is byte " + std::to_string(code.byte) + " in code page " +
           std::to_string(codePage.number()) + ", which the game reads as " + codeName(code.byte);
}

}  // namespace

bool isCodeByte(unsigned char byte) {
    return byte >= kFirstValueCode && byte <= kLastColourCode;
}

std::optional<TypedCode> findTypedCode(std::string_view bytes, const CodePage& codePage,
                                       Notation notation) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (isCodeByte(byte) && !(notation == Notation::Raw && isRawNotationCode(byte))) {
            return TypedCode{codePage.toUnicode(byte), byte};
        }
    }
    return std::nullopt;
}

std::string codeName(unsigned char byte) {
    const TextCode* code = findTextCode(byte);
    const std::string notation = code ? std::string(code->notation) : std::string();
    return (byte >= kFirstColourCode ? "the colour code " : "the value code ") + notation;
}

std::string typedCodeImportMessage(const TypedCode& code, const CodePage& codePage) {
    const TextCode* named = findTextCode(code.byte);
    return quoted(code.character) + " (" + codePointName(code.character) + ")" +
           byteInPage(code, codePage) + "; write " + std::string(named->notation) +
           " if the code is meant";
}

std::string typedCodeMessage(const TypedCode& code, const CodePage& codePage, Notation notation) {
    const std::string character = quoted(code.character);
    const std::string start = character + byteInPage(code, codePage);
    if (notation == Notation::CStyle && code.character < 0x80) {
        return start + ": write " + std::string(findTextCode(code.byte)->notation) + " instead";
    }
    return start + ": insert codes from the code menu, or give " + character +
           " a byte in the character table (Other > Character table...)";
}

}  // namespace tarn
