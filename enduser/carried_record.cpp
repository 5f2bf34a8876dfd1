// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/carried_record.h"

#include <array>

#include "common/errors.h"

namespace tarn {

// CRC-32 (the polynomial of zip and PNG), eight bytes a step through eight tables: table k
// gives the CRC of a byte followed by k zero bytes, so the eight lookups of a step are
// independent of each other.
std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const auto tables = [] {
        std::array<std::array<std::uint32_t, 256>, 8> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[0][i] = c;
        }
        for (std::size_t k = 1; k < 8; ++k) {
            for (std::size_t i = 0; i < 256; ++i) {
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
            }
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (; size >= 8; data += 8, size -= 8) {
        const std::uint32_t low = crc ^ readU32LE(data);
        const std::uint32_t high = readU32LE(data + 4);
        crc = tables[7][low & 0xFF] ^ tables[6][(low >> 8) & 0xFF] ^
              tables[5][(low >> 16) & 0xFF] ^ tables[4][low >> 24] ^ tables[3][high & 0xFF] ^
              tables[2][(high >> 8) & 0xFF] ^ tables[1][(high >> 16) & 0xFF] ^
              tables[0][high >> 24];
    }
    for (; size != 0; ++data, --size) {
        crc = tables[0][(crc ^ *data) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

Bytes writeCarriedRecord(std::uint8_t format, const Bytes& objectTexts,
                         const std::function<void(MemoryStream&)>& writeBody) {
    MemoryStream out;
    out.writeByte(format);
    out.writeU32(crc32(objectTexts));
    writeBody(out);
    out.writeU32(crc32(out.data()));
    return out.release();
}

void readCarriedRecord(const Bytes& data, std::uint8_t format, const Bytes& objectTexts,
                       const std::string& what,
                       const std::function<void(MemoryStream&)>& readBody) {
    if (data.size() < 4 ||
        crc32(data.data(), data.size() - 4) != readU32LE(data.data() + data.size() - 4)) {
        throw CarriedDataError(what + " do not match their checksum");
    }
    try {
        MemoryStream in(Bytes(data.begin(), data.end() - 4));
        if (in.readByte() != format) {
            throw CarriedDataError(what + " have an unknown format");
        }
        if (in.readU32() != crc32(objectTexts)) {
            throw CarriedDataError("The attached texts do not match their checksum");
        }
        readBody(in);
        if (in.position() != in.size()) {
            throw CarriedDataError(what + " are followed by other data");
        }
    } catch (const StreamReadError&) {
        throw CarriedDataError(what + " end early");
    }
}

}  // namespace tarn
