#include "objfiles/object_container.h"

#include <cstring>

#include "common/errors.h"
#include "objfiles/rle_codec.h"
#include "objfiles/scrambled_codec.h"

namespace tarn {

namespace {

inline std::uint32_t foldByte(std::uint32_t c, std::uint8_t x) {
    c ^= x;
    return (c << 11) | (c >> 21);
}

}  // namespace

std::uint32_t ObjectChecksum(const TObjFile& object, const std::uint8_t* data, std::size_t size) {
    std::uint32_t c = 0xF369A75Bu;
    c = foldByte(c, static_cast<std::uint8_t>(object.Flags));
    for (std::uint8_t b : object.Name) {
        c = foldByte(c, b);
    }
    for (std::size_t i = 0; i < size; ++i) {
        c = foldByte(c, data[i]);
    }
    return c;
}

Bytes DecodeObjectFile(const std::uint8_t* file, std::size_t size, TObjFile& object) {
    if (size < kObjectHeaderSize) {
        throw StreamReadError();
    }
    object.Flags = readU32LE(file);
    std::memcpy(object.Name.data(), file + 4, 8);
    object.Encoding = file[16];
    const std::uint32_t length = readU32LE(file + 17);
    if (length > size - kObjectHeaderSize) {
        throw StreamReadError();
    }
    const std::uint8_t* block = file + kObjectHeaderSize;
    switch (object.Encoding) {
        case kEncodingStored:
            return Bytes(block, block + length);
        case kEncodingRLE:
            return DecodeRLE(block, length);
        case kEncodingScrambled:
            return DecodeScrambled(block, length);
        default:
            return Bytes();
    }
}

Bytes EncodeObjectFile(const Bytes& decoded, const TObjFile& object, bool enhanced) {
    Bytes block;
    switch (object.Encoding) {
        case kEncodingStored:
            block = decoded;
            break;
        case kEncodingRLE:
            block = EncodeRLE(decoded.data(), decoded.size(), enhanced);
            break;
        case kEncodingScrambled:
            block = EncodeScrambled(decoded.data(), decoded.size());
            break;
        default:
            throw UnsupportedEncodingError(object.Encoding);
    }
    if (block.size() > 0xFFFFFFFFu) {
        throw StreamWriteError();
    }
    Bytes file(kObjectHeaderSize + block.size());
    writeU32LE(file.data(), object.Flags);
    std::memcpy(file.data() + 4, object.Name.data(), 8);
    writeU32LE(file.data() + 12, ObjectChecksum(object, decoded.data(), decoded.size()));
    file[16] = object.Encoding;
    writeU32LE(file.data() + 17, static_cast<std::uint32_t>(block.size()));
    if (!block.empty()) {
        std::memcpy(file.data() + kObjectHeaderSize, block.data(), block.size());
    }
    return file;
}

}  // namespace tarn
