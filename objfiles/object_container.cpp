// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_container.h"

#include <cstdio>
#include <cstring>

#include "common/errors.h"
#include "objfiles/rle_codec.h"
#include "objfiles/scrambled_codec.h"

namespace tarn {

namespace {

inline std::uint32_t rotateLeft32(std::uint32_t c, unsigned n) {
    n &= 31;
    return n == 0 ? c : (c << n) | (c >> (32 - n));
}

inline std::uint32_t foldByte(std::uint32_t c, std::uint8_t x) {
    return rotateLeft32(c ^ x, 11);
}

}  // namespace

// Folding byte x_i into c is c = rotl(c ^ x_i, 11), and rotation distributes over XOR, so after
// N bytes c = rotl(c0, 11 N) ^ XOR of rotl(x_i, 11 (N - i)). Rotations by 32 are the identity:
// bytes whose indexes agree modulo 32 are rotated alike and can be XORed together first. The
// data is thus folded into 32 byte lanes at memory speed, and only the 32 lanes are rotated.
std::uint32_t objectChecksum(const ObjectFile& object, const std::uint8_t* data, std::size_t size) {
    std::uint32_t c = 0xF369A75Bu;
    c = foldByte(c, static_cast<std::uint8_t>(object.flags));
    for (std::uint8_t b : object.name) {
        c = foldByte(c, b);
    }
    std::uint64_t lanes[4] = {0, 0, 0, 0};
    std::size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        for (int w = 0; w < 4; ++w) {
            std::uint64_t word;
            std::memcpy(&word, data + i + 8 * w, 8);
            lanes[w] ^= word;
        }
    }
    std::uint8_t lane[32];
    std::memcpy(lane, lanes, 32);
    for (; i < size; ++i) {
        lane[i % 32] ^= data[i];
    }
    const unsigned n = static_cast<unsigned>(size % 32);
    std::uint32_t result = rotateLeft32(c, 11 * n);
    for (unsigned r = 0; r < 32; ++r) {
        // Byte i = r (mod 32) is rotated by 11 (N - i), that is by 11 (n - r) modulo 32.
        result ^= rotateLeft32(lane[r], 11 * ((n + 32 - r) % 32));
    }
    return result;
}

std::optional<WrongChecksum> findWrongChecksum(const ObjectFileHeader& header,
                                               const ObjectFile& object,
                                               std::span<const std::uint8_t> decoded) {
    const std::uint32_t computed = objectChecksum(object, decoded.data(), decoded.size());
    if (computed == header.checksum) {
        return std::nullopt;
    }
    return WrongChecksum{header.checksum, computed};
}

std::string wrongChecksumText(const WrongChecksum& wrong) {
    char text[80];
    std::snprintf(text, sizeof text, "the stored checksum %08x does not match the data (%08x)",
                  static_cast<unsigned>(wrong.stored), static_cast<unsigned>(wrong.computed));
    return text;
}

ObjectFileHeader readObjectHeader(const std::uint8_t* file, std::size_t size) {
    if (size < kObjectHeaderSize) {
        throw StreamReadError(0);
    }
    ObjectFileHeader header;
    header.flags = readU32LE(file);
    std::memcpy(header.name.data(), file + 4, 8);
    header.checksum = readU32LE(file + 12);
    header.encoding = file[16];
    header.length = readU32LE(file + 17);
    return header;
}

std::span<const std::uint8_t> decodeObjectFile(const std::uint8_t* file, std::size_t size,
                                               ObjectFile& object, Bytes& buffer) {
    const ObjectFileHeader header = readObjectHeader(file, size);
    object.flags = header.flags;
    object.name = header.name;
    object.encoding = header.encoding;
    const std::uint32_t length = header.length;
    if (length > size - kObjectHeaderSize) {
        throw StreamReadError(kObjectHeaderSize);  // the data block is cut short
    }
    const std::uint8_t* block = file + kObjectHeaderSize;
    switch (object.encoding) {
        case kEncodingStored:
            return {block, length};
        case kEncodingRLE:
            try {
                const std::size_t decoded = decodeRle(block, length, buffer);
                return {buffer.data(), decoded};  // the buffer may have moved
            } catch (const StreamReadError& e) {
                // The offset in the file, not in its data block.
                throw StreamReadError(kObjectHeaderSize + e.offset().value_or(0));
            }
        case kEncodingScrambled:
            if (buffer.size() < length) {
                buffer = Bytes();  // its old contents need no copying
                buffer.resize(length);
            }
            decodeScrambled(block, length, buffer.data());
            return {buffer.data(), length};
        default:
            // Decoding it as empty data would only fail later, at the first text table, with a
            // message that hides the cause.
            throw StreamReadError((object.encoding == kEncodingUnsupported ? "unsupported encoding "
                                                                           : "unknown encoding ") +
                                      std::to_string(object.encoding) + " at byte " +
                                      std::to_string(kEncodingOffset),
                                  kEncodingOffset);
    }
}

Bytes decodeObjectFile(const std::uint8_t* file, std::size_t size, ObjectFile& object) {
    Bytes buffer;
    const std::span<const std::uint8_t> data = decodeObjectFile(file, size, object, buffer);
    if (data.data() == buffer.data()) {
        buffer.resize(data.size());
        return buffer;
    }
    return Bytes(data.begin(), data.end());
}

Bytes encodeObjectFile(const Bytes& decoded, const ObjectFile& object, bool enhanced) {
    // The header's room first, the block encoded straight behind it: no block of its own to
    // copy and no zero-filled file to overwrite.
    Bytes file(kObjectHeaderSize);
    switch (object.encoding) {
        case kEncodingStored:
            file.reserve(kObjectHeaderSize + decoded.size());
            file.insert(file.end(), decoded.begin(), decoded.end());
            break;
        case kEncodingRLE:
            encodeRle(decoded.data(), decoded.size(), enhanced, file);
            break;
        case kEncodingScrambled:
            encodeScrambled(decoded.data(), decoded.size(), file);
            break;
        default:
            throw StreamWriteError("Object files cannot be written with encoding " +
                                   std::to_string(object.encoding));
    }
    const std::size_t length = file.size() - kObjectHeaderSize;
    if (length > 0xFFFFFFFFu) {
        throw StreamWriteError();
    }
    writeU32LE(file.data(), object.flags);
    std::memcpy(file.data() + 4, object.name.data(), 8);
    writeU32LE(file.data() + 12, objectChecksum(object, decoded.data(), decoded.size()));
    file[16] = object.encoding;
    writeU32LE(file.data() + 17, static_cast<std::uint32_t>(length));
    return file;
}

}  // namespace tarn
