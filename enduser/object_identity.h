// SPDX-License-Identifier: GPL-3.0-or-later
// OBJIDENT: beside OBJTEXTS, what each object file was in the translator's copy, so that the
// end-user program writes a file's texts only into the object they were made for, and a
// checksum over both, so that damaged or hand-edited data is refused before anything is
// written. Attached as resource type 10 (raw data), name "OBJIDENT", language 0; programs built
// before it carry OBJTEXTS alone and go unchecked. All integers little-endian.
//
//   u8   format (1)
//   u32  CRC-32 of the OBJTEXTS resource
//   u32  file count
//   file records: u8 name length L, L bytes file name, 8 bytes object name (header),
//                 u8 object type (header flags & 0x0F), u8 group count
//   u32  CRC-32 of every byte before it
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "enduser/carried_record.h"
#include "objfiles/object_text_model.h"

namespace tarn {

inline constexpr const char* kObjectIdentName = "OBJIDENT";

// What identifies an object file: its header's object name and type, its number of groups.
struct ObjectIdentity {
    std::array<std::uint8_t, 8> name{};
    unsigned type = 0;
    std::size_t groups = 0;
};

// OBJIDENT for files (names and group counts within OBJTEXTS' limits) and their objectTexts.
Bytes writeObjectIdentities(const std::vector<ObjectFile>& files, const Bytes& objectTexts);

// The identities by file name, once both checksums hold; raises CarriedDataError.
std::map<std::string, ObjectIdentity> readObjectIdentities(const Bytes& data,
                                                           const Bytes& objectTexts);

// How found differs from expected, in words ("object name \"DOOR0001\" instead of
// \"TROLL001\"", ...; several joined by ", "); empty when it does not.
std::string identityDifference(const ObjectIdentity& expected, const ObjectFile& found);

}  // namespace tarn
