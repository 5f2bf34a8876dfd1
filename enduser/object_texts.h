// SPDX-License-Identifier: GPL-3.0-or-later
// OBJTEXTS: the new object texts carried by the end-user program, attached as resource type 10
// (raw data), name "OBJTEXTS", language 0. All integers little-endian.
//
//   u32  file count
//   u8   enhanced RLE (1: re-encode run-length files with the enhanced encoder, 0: normal)
//   file records, back to back, to the end:
//     u8   name length L (at most 255)
//     L    file name (name and extension, no folder), no terminator
//     u8   group count G (at most 255)
//     G group blocks, each: entries, then 0xFF
//       entry: u8 language ID (0..254), u32 text length T, T text bytes as held by the model
//
// A file record is written only when it carries at least one selected text; inside a written
// record every group is present (a group without selected texts is the single byte 0xFF).
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/memory_stream.h"
#include "objfiles/object_text_model.h"

namespace tarn {

inline constexpr const char* kObjectTextsName = "OBJTEXTS";
constexpr std::uint16_t kRawDataType = 10;

struct ObjectTextsOptions {
    std::optional<std::uint8_t> onlyId;  // nullopt: all texts; else only this language ID
    bool enhancedRle = true;
};

// A model that the layout cannot hold (a file name over 255 bytes, more than 255 groups, a
// language ID of 255). Nothing is written for it.
class ObjectTextsLimitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The OBJTEXTS data of files, in their order. Checks every file against the layout's limits
// first and raises ObjectTextsLimitError naming the first one that does not fit.
Bytes writeObjectTexts(const std::vector<ObjectFile>& files, const ObjectTextsOptions& options);

// Reads OBJTEXTS front to back, as the end-user program does. Every read past the end raises
// StreamReadError.
class ObjectTextsReader {
public:
    explicit ObjectTextsReader(Bytes data) : stream_(std::move(data)) {}

    // The file count and the enhanced-RLE byte; called once, first.
    void readHeader();
    std::uint32_t fileCount() const { return fileCount_; }
    bool enhancedRle() const { return enhancedRle_; }

    // The name of the next file record; its groups follow (applyNewTexts).
    std::string readFileName();

    MemoryStream& stream() { return stream_; }

private:
    MemoryStream stream_;
    std::uint32_t fileCount_ = 0;
    bool enhancedRle_ = false;
};

// Reads the groups of one file record (after its name) and merges them into texts: an entry of
// group index g replaces the text of the first entry with its ID in texts[g], or is appended
// when the group lacks the ID; entries for groups that texts does not have are read and
// dropped. Passing an empty model skips the record. Raises StreamReadError when the data ends
// early; texts then holds the merges made so far.
void applyNewTexts(MemoryStream& data, ObjectFileTexts& texts);

}  // namespace tarn
