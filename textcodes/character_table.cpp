// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/character_table.h"

#include <array>
#include <optional>

#include "common/bytes.h"
#include "common/text_lines.h"
#include "common/utf8.h"
#include "textcodes/code_table.h"
#include "textcodes/typed_codes.h"

namespace tarn {

namespace {

std::string named(char32_t character) {
    std::string text = "'";
    appendUtf8(text, character);
    return text + "' (" + codePointName(character) + ")";
}

std::optional<unsigned char> parseHexByte(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        int d = 0;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + d;
    }
    return static_cast<unsigned char>(value);
}

// Why byte cannot take a character, or empty.
std::string byteProblem(unsigned char byte) {
    if (byte < 0x20) {
        return "byte " + hexByte(byte) + " is a control byte, below 20";
    }
    if (isCodeByte(byte)) {
        return "byte " + hexByte(byte) + " is read by the game as " + codeName(byte);
    }
    if (byte < 0x80) {
        return "byte " + hexByte(byte) + " is ASCII, which texts and their notation need";
    }
    return {};
}

// Why character cannot be placed over page, or empty.
std::string characterProblem(char32_t character, const CodePage& page) {
    if (character < 0x80 || (character >= 0x80 && character < 0xA0)) {
        return named(character) + " is ASCII or a control character, which keeps its own byte";
    }
    const auto byte = page.fromUnicode(character);
    if (byte && !isCodeByte(*byte)) {
        return named(character) + " is already byte " + hexByte(*byte) + " in code page " +
               std::to_string(page.number());
    }
    return {};
}

}  // namespace

CodePage CharacterTable::over(const CodePage& page) const {
    std::vector<CodePage::Placed> placed;
    placed.reserve(lines.size());
    for (const Line& line : lines) {
        placed.push_back(line.placed);
    }
    return page.withPlaced(placed);
}

CharacterTable readCharacterTable(std::string_view contents, const CodePage& page) {
    CharacterTable table;
    std::array<int, 256> lineOfByte{};
    int number = 0;
    if (contents.substr(0, 3) == "\xEF\xBB\xBF") {
        contents.remove_prefix(3);
    }
    for (const std::string_view line : textLines(contents)) {
        ++number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto fail = [&](const std::string& message) {
            table.lines.clear();
            table.error = "line " + std::to_string(number) + ": " + message;
            return table;
        };
        const auto parsed =
            line.size() > 3 && line[2] == '=' ? parseHexByte(line.substr(0, 2)) : std::nullopt;
        if (!parsed) {
            return fail("write two hex digits, '=' and one character, such as A4=\xC5\x9A");
        }
        const unsigned char byte = *parsed;
        std::size_t at = 3;
        const auto character = nextUtf8(line, at);
        if (!character) {
            return fail("the character is not valid UTF-8");
        }
        if (at != line.size()) {
            return fail("more than one character after '='");
        }
        if (const std::string problem = byteProblem(byte); !problem.empty()) {
            return fail(problem);
        }
        if (lineOfByte[byte] != 0) {
            return fail("byte " + hexByte(byte) + " is already mapped on line " +
                        std::to_string(lineOfByte[byte]));
        }
        if (const std::string problem = characterProblem(*character, page); !problem.empty()) {
            return fail(problem);
        }
        for (const CharacterTable::Line& earlier : table.lines) {
            if (earlier.placed.character == *character) {
                return fail(named(*character) + " is already mapped to byte " +
                            hexByte(earlier.placed.byte) + " on line " +
                            std::to_string(earlier.number));
            }
        }
        lineOfByte[byte] = number;
        table.lines.push_back({number, {byte, *character}});
    }
    return table;
}

std::vector<std::string> describeCharacterTable(const CharacterTable& table, const CodePage& page) {
    std::vector<std::string> out;
    for (const CharacterTable::Line& line : table.lines) {
        const auto [byte, character] = line.placed;
        std::string text = hexByte(byte) + "=";
        appendUtf8(text, character);
        text += " (" + codePointName(character) + ") instead of " + named(page.toUnicode(byte));
        if (const auto onPage = page.fromUnicode(character)) {
            text +=
                "; the page has it on byte " + std::to_string(*onPage) + ", " + codeName(*onPage);
        } else {
            text += "; not in code page " + std::to_string(page.number());
        }
        out.push_back(std::move(text));
    }
    return out;
}

}  // namespace tarn
