// SPDX-License-Identifier: GPL-3.0-or-later
// The game's single-byte character sets: Windows code pages 874 and 1250 to 1258. Texts stay
// game bytes everywhere; a CodePage says which character each byte is, when texts are shown,
// edited, exported or imported.
//
// Every page maps all 256 bytes to distinct characters and back, so no byte is ever lost:
//   - bytes 0x00 to 0x7F are ASCII;
//   - an assigned byte is the character of the Windows code page;
//   - an unassigned byte from 0x80 to 0x9F is the C1 control of the same number (U+0081 for
//     0x81), as Windows-1252 has always been shown here;
//   - an unassigned byte from 0xA0 to 0xFF is the private-use character U+F700 plus the byte
//     (U+F7FF for 0xFF in code page 874).
// A character outside the page has no byte and is refused, never replaced.
//
// A page may carry placed characters (a translation's character table) over it: each placed
// byte shows and stores its placed character, every other byte follows the page. A placed
// character that the page has on another byte (always a game code) keeps being shown there, but
// is stored only on its placed byte: such a code byte does not come back from its character, so
// raw text is turned into characters and back only where codes are kept as codes.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

namespace code_page_data {
struct FullTable;
}

// How converting characters to game bytes went.
enum class EncodeFault { None, InvalidUtf8, MissingCharacter };

struct EncodeResult {
    std::string bytes;  // the whole converted text when fault is None, else empty
    EncodeFault fault = EncodeFault::None;
    char32_t missing = 0;  // with MissingCharacter: the first character the page lacks

    bool ok() const { return fault == EncodeFault::None; }
};

class CodePage {
public:
    static constexpr int kDefaultNumber = 1252;

    CodePage();  // Windows-1252
    // nullopt for a number that is not supported.
    static std::optional<CodePage> byNumber(int number);
    // 874, 1250, ..., 1258.
    static std::span<const int> supportedNumbers();
    // "874, 1250, 1251, ..., 1258", for messages.
    static std::string supportedNumbersText();

    // A character placed on a byte (a line of a character table).
    struct Placed {
        unsigned char byte;
        char32_t character;
    };
    // This page's own characters with placed over them (bytes 0x80 to 0xFF, characters outside
    // ASCII); placements made before are replaced. The caller has checked the placements
    // (textcodes/character_table.h): one byte and one character each.
    CodePage withPlaced(std::span<const Placed> placed) const;
    // True when characters are placed over the page.
    bool hasPlaced() const;

    int number() const;
    char32_t toUnicode(unsigned char byte) const;
    std::optional<unsigned char> fromUnicode(char32_t codePoint) const;
    // False for the bytes the Windows code page leaves without a character.
    bool isAssigned(unsigned char byte) const;

    // Case forms for comparing without regard to case; a byte without one maps to itself.
    unsigned char toUpper(unsigned char byte) const;
    unsigned char toLower(unsigned char byte) const;
    const std::array<unsigned char, 256>& upperTable() const;

    std::string toUtf8(std::string_view bytes) const;
    // Every character of every page lies in the Basic Multilingual Plane: one unit a byte.
    std::u16string toUtf16(std::string_view bytes) const;
    EncodeResult fromUtf8(std::string_view utf8) const;

    // Equal when the same bytes show the same characters.
    friend bool operator==(const CodePage& a, const CodePage& b);

private:
    explicit CodePage(const code_page_data::FullTable* table) : table_(table) {}

    const code_page_data::FullTable* table_;
    std::shared_ptr<const code_page_data::FullTable> placed_;  // owns table_ when placed
};

// "U+0142": the conventional name of a code point (at least four hex digits).
std::string codePointName(char32_t codePoint);

}  // namespace tarn
