// SPDX-License-Identifier: GPL-3.0-or-later
// The object file container: a fixed 21-byte header and one encoded data block.
//
//   offset size field
//   0      4    Flags     u32 LE; Flags & 0x0F is the object type, the other bits are kept
//   4      8    Name      the object's identifier, kept as stored
//   12     4    Checksum  u32 LE, objectChecksum of Flags, Name and the decoded data
//   16     1    Encoding  0 stored, 1 run-length (rle_codec.h), 3 bit rotation
//                         (scrambled_codec.h); 2 and 4..255 are unsupported
//   17     4    Length    u32 LE, size of the encoded block
//   21     Length Data    the encoded block; bytes after it are ignored and not written
//
// The checksum: c = 0xF369A75B; for each byte x of (low byte of Flags, the 8 Name bytes, the
// decoded data): c = (c & ~0xFF) | ((c ^ x) & 0xFF), then c = c rotated left by 11.
// Decoding does not verify the stored checksum, and a file whose checksum does not match decodes
// like any other (wrongChecksum tells); writing always computes a fresh one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "common/bytes.h"
#include "objfiles/object_text_model.h"

namespace tarn {

constexpr std::size_t kObjectHeaderSize = 21;
constexpr std::size_t kEncodingOffset = 16;

enum ObjectEncoding : std::uint8_t {
    kEncodingStored = 0,
    kEncodingRLE = 1,
    kEncodingUnsupported = 2,
    kEncodingScrambled = 3,
};

// The header fields as stored; the checksum is not verified.
struct ObjectFileHeader {
    std::uint32_t flags = 0;
    std::array<std::uint8_t, 8> name{};
    std::uint32_t checksum = 0;
    std::uint8_t encoding = 0;
    std::uint32_t length = 0;
};

// Reads the header of the object file held in [file, file + size); raises StreamReadError
// for a file shorter than the header. Length is not checked against the file.
ObjectFileHeader readObjectHeader(const std::uint8_t* file, std::size_t size);
inline ObjectFileHeader readObjectHeader(const Bytes& file) {
    return readObjectHeader(file.data(), file.size());
}

// Reads the header of the object file held in [file, file + size) into object's flags, name
// and encoding and answers the decoded data. A file shorter than its header or its Length,
// malformed run-length data and an encoding that cannot be decoded ("unknown encoding 7 at byte
// 16"; 2 is "unsupported") raise StreamReadError; the header fields may then already be set.
// Never reads outside the input.
Bytes decodeObjectFile(const std::uint8_t* file, std::size_t size, ObjectFile& object);
inline Bytes decodeObjectFile(const Bytes& file, ObjectFile& object) {
    return decodeObjectFile(file.data(), file.size(), object);
}

// The same without copying where it can be helped: stored data is answered where it lies in
// the file, other data is decoded into the start of buffer, which is enlarged as needed and
// never shrunk, so that one buffer serves file after file. The answer is valid while the file
// and the buffer are unchanged.
std::span<const std::uint8_t> decodeObjectFile(const std::uint8_t* file, std::size_t size,
                                               ObjectFile& object, Bytes& buffer);

// Builds a whole object file of the decoded data with object's flags, name and encoding and a
// fresh checksum; enhanced selects the enhanced run-length encoder (encoding 1 only). Raises
// StreamWriteError for encodings other than 0, 1 and 3.
Bytes encodeObjectFile(const Bytes& decoded, const ObjectFile& object, bool enhanced);

std::uint32_t objectChecksum(const ObjectFile& object, const std::uint8_t* data, std::size_t size);

// The header's stored checksum against the one object's flags and name and the decoded data
// give; nothing when they match.
std::optional<WrongChecksum> findWrongChecksum(const ObjectFileHeader& header,
                                               const ObjectFile& object,
                                               std::span<const std::uint8_t> decoded);

// "the stored checksum 0000abcd does not match the data (87fc5936)"
std::string wrongChecksumText(const WrongChecksum& wrong);

}  // namespace tarn
