// SPDX-License-Identifier: GPL-3.0-or-later
// The game's in-text control and format codes and their C-style escape notation.
//
//   raw byte        C-style          raw byte        C-style
//   5               \n               123..141        %N %n %f %W %w %M %m %s %S %c
//   10              \t                               %d %D %v %e %u %t %T %l %p
//   14              \d               142..155        \c0 .. \c9 \ca .. \cd
//   23 count bytes  \pXXXXXXXX       other 0..31     \xHH
//   37 (%)          %%               other 32..255   the byte itself
//   92 (backslash)  \\ (two backslashes)
//
// Byte 23 (picture) is followed in a raw text by a count byte and the picture number's
// significant bytes, least significant first: count 1..4 and that many bytes, or 255 alone
// for the number 0.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

inline constexpr std::uint8_t kLineBreakCode = 5;
inline constexpr std::uint8_t kThinLettersCode = 10;
inline constexpr std::uint8_t kDefaultColourCode = 14;
inline constexpr std::uint8_t kPictureCode = 23;
inline constexpr std::uint8_t kPictureZeroCount = 255;  // count byte standing for picture 0
inline constexpr std::uint8_t kFirstValueCode = 123;
inline constexpr std::uint8_t kLastValueCode = 141;
inline constexpr std::uint8_t kFirstColourCode = 142;
inline constexpr std::uint8_t kLastColourCode = 155;

// The letters after % for codes 123..141 and after \c for codes 142..155, in code order.
inline constexpr std::string_view kValueLetters = "NnfWwMmsScdDveutTlp";
inline constexpr std::string_view kColourLetters = "0123456789abcd";

// One named code: its byte, its C-style form and the caption of its entry in the code
// insertion menu (empty for the codes that have no menu entry).
struct TextCode {
    std::uint8_t byte;
    std::string_view notation;
    std::string_view caption;
};

// Every named code (5, 10, 14, 37, 92, 123..155) in ascending byte order. The picture code
// is not listed: its notation carries a number (see rawToCStyle).
std::span<const TextCode> textCodes();

// The named code of a byte, or nullptr for a byte that is written as itself or as \xHH.
const TextCode* findTextCode(std::uint8_t byte);

// The codes whose next stored bytes the game takes as the code's data, not as text: %S takes 2
// and %c 4. Answers that count for a byte, 0 for every other byte.
inline constexpr std::uint8_t kStringDataCode = kFirstValueCode + 8;     // %S
inline constexpr std::uint8_t kCharacterDataCode = kFirstValueCode + 9;  // %c
static_assert(kValueLetters[kStringDataCode - kFirstValueCode] == 'S' &&
              kValueLetters[kCharacterDataCode - kFirstValueCode] == 'c');
inline constexpr int codeDataLength(std::uint8_t byte) {
    return byte == kStringDataCode ? 2 : byte == kCharacterDataCode ? 4 : 0;
}

// Appends a picture sequence in its compact raw form: 23, then 255 for the number 0, or the
// count of significant bytes (1..4) and those bytes, least significant first.
void appendCompactPicture(std::string& raw, std::uint32_t number);

// Reads the picture sequence whose 23 stands at raw[at]: sets number and answers the position
// after the sequence. A count of 0 or 255 stands for picture 0 and is the only byte read; a
// count of 1 to 4 is followed by that many number bytes, a count of 5 to 254 by four (as many
// as a picture number has); number bytes missing at the end of the text count as zero.
std::size_t readPicture(std::string_view raw, std::size_t at, std::uint32_t& number);

// The bytes the executable stores for a raw text, its terminator left out: every 23 is stored
// with exactly four number bytes after it, its count byte dropped. A count of 1 to 4 takes that
// many bytes of the text (missing ones stored as zeros), 255 takes none; any other count is
// dropped alone, and the bytes after it count as they stand. expandPictures makes exactly this
// many bytes.
std::size_t storedLength(std::string_view raw);

// A raw text in its stored form, the bytes the executable holds for it (its terminator left
// out): every 23 followed by exactly four picture number bytes, as storedLength counts them.
std::string expandPictures(std::string_view raw);

// Whether a zero byte stands outside every picture sequence as the game's file holds them (a
// 23 and its count byte, then the count's value bytes when the count is 1 to 4): the game
// would end the text there. Only a picture code typed by hand can make a picture swallow the
// bytes of the next one and leave its zeros outside.
bool hasZeroOutsidePictures(std::string_view raw);

// A raw text made of the given byte values (for samples and tests).
std::string rawText(std::initializer_list<int> bytes);

}  // namespace tarn
