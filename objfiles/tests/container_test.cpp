// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_container.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>

#include "common/errors.h"
#include "objfiles/sample_objects.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};

Bytes header(std::uint32_t flags, std::uint8_t encoding, std::uint32_t length) {
    Bytes h(kObjectHeaderSize);
    writeU32LE(h.data(), flags);
    std::copy(kName.begin(), kName.end(), h.begin() + 4);
    writeU32LE(h.data() + 12, 0xDEADBEEF);
    h[16] = encoding;
    writeU32LE(h.data() + 17, length);
    return h;
}

TEST(objectChecksum, CoversTheLowFlagsByteTheNameAndTheDecodedData) {
    ObjectFile object;
    object.name = kName;
    const Bytes data{'a', 'b', 'c'};
    EXPECT_EQ(objectChecksum(object, data.data(), data.size()), 0xCB85CE7Du);
    object.flags = 0x12345600;
    EXPECT_EQ(objectChecksum(object, data.data(), data.size()), 0xCB85CE7Du);
    object.flags = 1;
    EXPECT_NE(objectChecksum(object, data.data(), data.size()), 0xCB85CE7Du);
}

// The checksum byte by byte, as its definition reads.
std::uint32_t referenceChecksum(const ObjectFile& object, const Bytes& data) {
    std::uint32_t c = 0xF369A75Bu;
    auto fold = [&](std::uint8_t x) {
        c ^= x;
        c = (c << 11) | (c >> 21);
    };
    fold(static_cast<std::uint8_t>(object.flags));
    for (std::uint8_t b : object.name) {
        fold(b);
    }
    for (std::uint8_t b : data) {
        fold(b);
    }
    return c;
}

TEST(objectChecksum, LaneFoldingAgreesWithTheByteByByteDefinitionForEverySize) {
    std::mt19937 rng(5);
    ObjectFile object;
    object.name = kName;
    for (std::size_t size = 0; size < 300; ++size) {
        Bytes data(size);
        for (auto& b : data) {
            b = static_cast<std::uint8_t>(rng());
        }
        object.flags = rng();
        ASSERT_EQ(objectChecksum(object, data.data(), data.size()), referenceChecksum(object, data))
            << size;
    }
}

TEST(ObjectContainer, StoredFileComesBackWithAFreshChecksumAndWithoutTrailingBytes) {
    Bytes file = header(0xABCD0003, kEncodingStored, 3);
    file.insert(file.end(), {'a', 'b', 'c', 'X', 'Y'});
    ObjectFile object;
    const Bytes decoded = decodeObjectFile(file, object);
    EXPECT_EQ(decoded, (Bytes{'a', 'b', 'c'}));
    EXPECT_EQ(object.flags, 0xABCD0003u);
    EXPECT_EQ(object.name, kName);
    EXPECT_EQ(object.encoding, kEncodingStored);

    Bytes expected(file.begin(), file.end() - 2);
    writeU32LE(expected.data() + 12, objectChecksum(object, decoded.data(), decoded.size()));
    EXPECT_EQ(encodeObjectFile(decoded, object, true), expected);
}

TEST(ObjectContainer, EveryEncodingRoundTripsWithBothEncoders) {
    std::mt19937 rng(11);
    for (std::uint8_t encoding : {kEncodingStored, kEncodingRLE, kEncodingScrambled}) {
        for (bool enhanced : {false, true}) {
            ObjectFile object;
            object.flags = rng();
            object.name = kName;
            object.encoding = encoding;
            const Bytes data = makeObjectLikeBytes(5000, rng());
            const Bytes file = encodeObjectFile(data, object, enhanced);
            ObjectFile back;
            EXPECT_EQ(decodeObjectFile(file, back), data);
            EXPECT_EQ(back.flags, object.flags);
            EXPECT_EQ(back.encoding, encoding);
            EXPECT_EQ(readU32LE(file.data() + 12),
                      objectChecksum(object, data.data(), data.size()));
            EXPECT_EQ(readU32LE(file.data() + 17), file.size() - kObjectHeaderSize);
        }
    }
}

// Read as empty data, such a file would fail at its first text table with a message that hides
// the cause.
TEST(ObjectContainer, EncodingsThatCannotBeDecodedAreNamedAndNeverWritten) {
    const struct {
        unsigned encoding;
        const char* message;
    } cases[] = {
        {2, "unsupported encoding 2 at byte 16"},
        {7, "unknown encoding 7 at byte 16"},
        {255, "unknown encoding 255 at byte 16"},
    };
    for (const auto& c : cases) {
        Bytes file = header(1, static_cast<std::uint8_t>(c.encoding), 2);
        file.insert(file.end(), {1, 2});
        ObjectFile object;
        try {
            decodeObjectFile(file, object);
            ADD_FAILURE() << c.message;
        } catch (const StreamReadError& e) {
            EXPECT_STREQ(e.what(), c.message);
            EXPECT_EQ(e.offset(), 16u);
        }
        EXPECT_THROW(encodeObjectFile(Bytes{1, 2}, object, false), StreamWriteError);
    }
}

TEST(ObjectContainer, HeaderFieldsReadAsStoredWithoutTrustingTheLength) {
    const ObjectFileHeader h = readObjectHeader(header(0x1234A, kEncodingScrambled, 0xFFFFFFFF));
    EXPECT_EQ(h.flags, 0x1234Au);
    EXPECT_EQ(h.name, kName);
    EXPECT_EQ(h.checksum, 0xDEADBEEFu);
    EXPECT_EQ(h.encoding, kEncodingScrambled);
    EXPECT_EQ(h.length, 0xFFFFFFFFu);
    const Bytes cut(kObjectHeaderSize - 1, 0);
    EXPECT_THROW(readObjectHeader(cut), StreamReadError);
}

TEST(ObjectContainer, ShortFilesAndLengthsPastTheEndRaiseTheReadError) {
    const Bytes full = header(0, kEncodingRLE, 2);
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        const auto copy = std::make_unique<std::uint8_t[]>(cut + 1);
        std::copy(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut), copy.get());
        ObjectFile object;
        EXPECT_THROW(decodeObjectFile(copy.get(), cut, object), StreamReadError);
    }
    // The error gives the file offset of what was cut: the header, the data block, a run.
    auto failingOffset = [](const Bytes& file) -> std::optional<std::uint64_t> {
        ObjectFile object;
        try {
            decodeObjectFile(file, object);
        } catch (const StreamReadError& e) {
            return e.offset().value_or(0xBAD);
        }
        return std::nullopt;
    };
    Bytes lying = header(0, kEncodingStored, 0xFFFFFFFF);
    lying.push_back('a');
    Bytes badRle = header(0, kEncodingRLE, 4);
    badRle.insert(badRle.end(), {0x00, 'a', 0x10, 'b'});  // the second run wants 17 bytes
    Bytes badRepeat = header(0, kEncodingRLE, 1);
    badRepeat.push_back(0xFE);  // a repeat without its byte
    EXPECT_EQ(failingOffset(Bytes(kObjectHeaderSize - 1, 0)), 0u);
    EXPECT_EQ(failingOffset(lying), kObjectHeaderSize);
    EXPECT_EQ(failingOffset(badRle), kObjectHeaderSize + 2);
    EXPECT_EQ(failingOffset(badRepeat), kObjectHeaderSize);
    ObjectFile object;
    EXPECT_TRUE(decodeObjectFile(header(0, kEncodingRLE, 0), object).empty());
}

}  // namespace
}  // namespace tarn
