// SPDX-License-Identifier: GPL-3.0-or-later
// The text tables inside an object's decoded data.
//
// The tables lie back to back from an offset that depends only on the object type
// (Flags & 0x0F); their number depends only on the type too:
//
//   type             0    1   2   3   4   5   6   7    8  9   10
//   TextTableStart   450  28  26  14  12  14  14  270  8  16  8
//   TextTableCount   3    1   1   1   1   1   1   1    1  1   3
//
// One table: entries of (language ID byte 0..254, text bytes without zero, 0x00), then 0xFF
// in the place of the next ID. Bytes before the first table and after the last one belong to
// the object and are copied unchanged. Types 11 to 15 have no tables and are refused with
// StreamReadError.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "common/bytes.h"
#include "common/memory_stream.h"
#include "objfiles/object_text_model.h"

namespace tarn {

constexpr std::size_t kObjectTypeCount = 11;
constexpr std::array<std::size_t, kObjectTypeCount> TextTableStart = {450, 28,  26, 14, 12, 14,
                                                                      14,  270, 8,  16, 8};
constexpr std::array<std::size_t, kObjectTypeCount> TextTableCount = {3, 1, 1, 1, 1, 1,
                                                                      1, 1, 1, 1, 3};
constexpr std::uint8_t kTableEnd = 0xFF;

// Fills object.texts with TextTableCount groups read from TextTableStart of the decoded data.
// Raises StreamReadError for types 11 to 15 and for tables that run past the data.
void readTextGroups(std::span<const std::uint8_t> decoded, ObjectFile& object);

// Reads one table at data's position into group (replacing its contents) and leaves the
// position after the end marker. On StreamReadError the group keeps the entries read so far.
void readTextGroup(ObjectTextGroup& group, MemoryStream& data);

// A model whose tables cannot be written: a text holding a zero byte (it would end the text
// early and break the table) or the language ID 255 (it would end the table).
class TextTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Answers a copy of oldData in which the object's tables (as many as object.texts has groups)
// are replaced by object.texts. Raises StreamReadError when oldData is shorter than
// TextTableStart or ends inside a table, and for types 11 to 15; TextTableError for a model
// that the tables cannot hold.
Bytes writeTextGroups(const Bytes& oldData, const ObjectFile& object);

}  // namespace tarn
