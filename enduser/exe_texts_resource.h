// SPDX-License-Identifier: GPL-3.0-or-later
// EXETEXTS: beside OBJTEXTS, the translated executable's texts for the player's executable.
// For each text that differs from its original, the translated text's stored bytes and a digest
// of the original text, so that a text is written only over the very text it was translated
// from, whatever build or version the player has; the two language-ID bytes; whether the
// translator let the executable grow. The digest is SHA-256: the patcher already carries it,
// and at 32 bytes a text its size is small beside the texts themselves. Attached as resource
// type 10 (raw data), name "EXETEXTS", language 0; programs built before it do not look for
// it. All integers little-endian.
//
//   u8   format (1)
//   u32  CRC-32 of the OBJTEXTS resource
//   u8   primary language ID, u8 secondary language ID
//   u8   flags: bit 0 the executable may grow
//   u32  carried text count
//   text records: u16 text number (1 to 3453), 32 bytes SHA-256 of the original text's stored
//                 bytes, u32 length L, L bytes of the translated text as stored
//   u32  CRC-32 of every byte before it
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/sha256.h"
#include "enduser/carried_record.h"

namespace tarn {

inline constexpr const char* kExeTextsName = "EXETEXTS";

struct CarriedExeText {
    int number = 0;           // 1 to 3453
    Sha256Digest original{};  // of the original text's stored bytes
    std::string translated;   // stored bytes, without the terminating zero

    bool operator==(const CarriedExeText&) const = default;
};

struct CarriedExeTexts {
    std::uint8_t primaryLangId = 0;
    std::uint8_t secondaryLangId = 0;
    bool mayGrow = false;
    std::vector<CarriedExeText> texts;  // ascending by number

    bool operator==(const CarriedExeTexts&) const = default;
};

// The texts of translated (text n at index n - 1) that differ from original's, each with its
// original's digest; a text missing from either (notFound, or beyond the shorter list) is left
// out.
CarriedExeTexts differingExeTexts(const std::vector<std::string>& original,
                                  const std::vector<std::string>& translated,
                                  const std::vector<int>& notFound = {});

Bytes writeCarriedExeTexts(const CarriedExeTexts& texts, const Bytes& objectTexts);

// The carried texts, once both checksums hold; raises CarriedDataError (carried_record.h).
CarriedExeTexts readCarriedExeTexts(const Bytes& data, const Bytes& objectTexts);

}  // namespace tarn
