// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/cstyle.h"

#include <cstdint>
#include <optional>

#include "textcodes/code_table.h"

namespace tarn {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// A zero byte ends a text in the game's files: whatever followed it would be lost.
constexpr char kNulRefused[] = "A text cannot hold the byte 00";

void appendHex(std::string& out, std::uint32_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += kHexDigits[(value >> shift) & 0xF];
    }
}

std::optional<std::uint32_t> parseHex(std::string_view digits) {
    std::uint32_t value = 0;
    for (const char c : digits) {
        std::uint32_t d;
        if (c >= '0' && c <= '9') {
            d = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            d = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            d = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = (value << 4) | d;
    }
    return value;
}

std::string atPosition(std::string_view message, std::size_t position) {
    return std::string(message) + std::to_string(position);
}

}  // namespace

std::string rawToCStyle(std::string_view raw, LineBreaks lineBreaks) {
    std::string out;
    out.reserve(raw.size() + raw.size() / 4);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(raw[i]);
        if (byte == kPictureCode) {
            std::uint32_t number = 0;
            i = readPicture(raw, i, number) - 1;
            out += "\\p";
            appendHex(out, number, 8);
        } else if (byte == kLineBreakCode && lineBreaks == LineBreaks::LineFeeds) {
            out += '\n';
        } else if (const TextCode* code = findTextCode(byte)) {
            out += code->notation;
        } else if (byte < 32) {
            out += "\\x";
            appendHex(out, byte, 2);
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

Converted<std::string> cStyleToRaw(std::string_view text, LineBreaks lineBreaks) {
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    auto fail = [](std::string message) {
        return Converted<std::string>(Problem::withMessage(std::move(message)));
    };
    std::size_t i = 0;  // 0-based; messages give i + 1
    while (i < n) {
        const char c = text[i];
        if (c == '%') {
            if (i + 1 >= n) {
                return fail("Unmatched % sign at the end of the text");
            }
            const char next = text[i + 1];
            const std::size_t letter = kValueLetters.find(next);
            if (next == '%') {
                out += '%';
            } else if (letter != std::string_view::npos) {
                out += static_cast<char>(kFirstValueCode + letter);
            } else {
                return fail(atPosition("Incorrect % sequence at position ", i + 1));
            }
            i += 2;
        } else if (c == '\\') {
            if (i + 1 >= n) {
                return fail("Unmatched \\ sign at the end of the text");
            }
            const char next = text[i + 1];
            switch (next) {
                case '\\':
                    out += '\\';
                    i += 2;
                    break;
                case 'n':
                    out += static_cast<char>(kLineBreakCode);
                    i += 2;
                    break;
                case 't':
                    out += static_cast<char>(kThinLettersCode);
                    i += 2;
                    break;
                case 'd':
                    out += static_cast<char>(kDefaultColourCode);
                    i += 2;
                    break;
                case 'x': {
                    if (n - (i + 2) < 2) {
                        return fail("\\x sequence without character number at the end of the text");
                    }
                    const auto value = parseHex(text.substr(i + 2, 2));
                    if (!value) {
                        return fail(atPosition(
                            "\\x sequence with invalid character number at position ", i + 2));
                    }
                    if (*value == 0) {
                        return fail(kNulRefused);
                    }
                    out += static_cast<char>(*value);
                    i += 4;
                    break;
                }
                case 'p': {
                    if (n - (i + 2) < 8) {
                        return fail("\\p sequence without picture number at the end of the text");
                    }
                    const auto value = parseHex(text.substr(i + 2, 8));
                    if (!value) {
                        return fail(atPosition(
                            "\\p sequence with invalid picture number at position ", i + 2));
                    }
                    appendCompactPicture(out, *value);
                    i += 10;
                    break;
                }
                case 'c': {
                    if (i + 2 >= n) {
                        return fail("\\c sequence without color specifier at the end of the text");
                    }
                    const std::size_t colour = kColourLetters.find(text[i + 2]);
                    if (colour == std::string_view::npos) {
                        return fail(
                            atPosition("Invalid color specifier for \\c at position ", i + 1));
                    }
                    out += static_cast<char>(kFirstColourCode + colour);
                    i += 3;
                    break;
                }
                default:
                    return fail(atPosition("Incorrect \\ sequence at position ", i + 1));
            }
        } else if (c == '\0') {
            return fail(kNulRefused);
        } else {
            out += c == '\n' && lineBreaks == LineBreaks::LineFeeds
                       ? static_cast<char>(kLineBreakCode)
                       : c;
            ++i;
        }
    }
    if (hasZeroOutsidePictures(out)) {
        return fail(kNulRefused);
    }
    return out;
}

std::string rawToCodes(std::string_view raw) {
    std::string out;
    out.reserve(raw.size() * 4);
    for (const char c : raw) {
        out += std::to_string(static_cast<unsigned>(static_cast<std::uint8_t>(c)));
        out += ' ';
    }
    return out;
}

Converted<std::string> canonicalCStyle(std::string_view text) {
    Converted<std::string> raw = cStyleToRaw(text);
    if (!raw) {
        return raw;
    }
    return rawToCStyle(raw.value());
}

}  // namespace tarn
