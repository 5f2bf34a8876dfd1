// SPDX-License-Identifier: GPL-3.0-or-later
// The fast codecs against plain byte-at-a-time versions written straight from the rules of the
// format, on many random inputs built from runs and literals of the lengths where the rules
// change (1, 2, 3, around 128 and 129, and past 258).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>

#include "common/errors.h"
#include "objfiles/rle_codec.h"
#include "objfiles/scrambled_codec.h"

namespace tarn {
namespace {

Bytes referenceEncodeRLE(const Bytes& data, bool enhanced) {
    const std::size_t minimumRun = enhanced ? 3 : 2;
    const auto runStarts = [&](std::size_t p) {
        if (p + minimumRun > data.size()) {
            return false;
        }
        for (std::size_t i = 1; i < minimumRun; ++i) {
            if (data[p + i] != data[p]) {
                return false;
            }
        }
        return true;
    };
    Bytes out;
    std::size_t p = 0;
    while (p < data.size()) {
        if (runStarts(p)) {
            std::size_t n = 0;
            while (n < 129 && p + n < data.size() && data[p + n] == data[p]) {
                ++n;
            }
            out.push_back(static_cast<std::uint8_t>(257 - n));
            out.push_back(data[p]);
            p += n;
        } else {
            Bytes literal;
            while (literal.size() < 128 && p < data.size() && !runStarts(p)) {
                literal.push_back(data[p++]);
            }
            out.push_back(static_cast<std::uint8_t>(literal.size() - 1));
            out.insert(out.end(), literal.begin(), literal.end());
        }
    }
    return out;
}

// The decoded data, or nothing when a step reaches past the end of the block.
std::optional<Bytes> referenceDecodeRLE(const Bytes& block) {
    Bytes out;
    std::size_t pos = 0;
    while (pos < block.size()) {
        const std::uint8_t control = block[pos++];
        if (control < 0x80) {
            const std::size_t count = control + 1u;
            if (block.size() - pos < count) {
                return std::nullopt;
            }
            out.insert(out.end(), block.begin() + static_cast<std::ptrdiff_t>(pos),
                       block.begin() + static_cast<std::ptrdiff_t>(pos + count));
            pos += count;
        } else {
            if (pos == block.size()) {
                return std::nullopt;
            }
            out.insert(out.end(), 257u - control, block[pos++]);
        }
    }
    return out;
}

// Decodes from an exactly sized heap copy, so that the sanitizer sees any read past the block.
std::optional<Bytes> decodeExactCopy(const Bytes& block) {
    const auto copy = std::make_unique<std::uint8_t[]>(block.size());
    std::copy(block.begin(), block.end(), copy.get());
    try {
        return decodeRle(copy.get(), block.size());
    } catch (const StreamReadError&) {
        return std::nullopt;
    }
}

// Runs and literals of the telling lengths, next to each other or with equal neighbouring
// values so that they merge, over a few byte values so that pairs and triples also occur by
// chance.
Bytes randomObjectData(std::mt19937& rng) {
    static const std::size_t lengths[] = {1,   2,   3,   4,   63,  64,  65,  127, 128,
                                          129, 130, 131, 132, 257, 258, 259, 260, 387};
    const auto length = [&] {
        return rng() % 2 ? lengths[rng() % std::size(lengths)] : 1 + rng() % 200;
    };
    const std::size_t target = rng() % 6 == 0 ? rng() % 8 : rng() % 4000;
    const unsigned values = 2 + rng() % 200;
    Bytes data;
    while (data.size() < target) {
        const std::size_t n = length();
        if (rng() % 2) {
            data.insert(data.end(), n, static_cast<std::uint8_t>(rng() % values));
        } else {
            // Half of the literals have no two equal neighbours, so their lengths stay exact.
            const bool pairless = rng() % 2 != 0;
            for (std::size_t i = 0; i < n; ++i) {
                auto b = static_cast<std::uint8_t>(rng() % values);
                if (pairless && !data.empty() && b == data.back()) {
                    b = static_cast<std::uint8_t>(b + 1);
                }
                data.push_back(b);
            }
        }
    }
    return data;
}

TEST(CodecReference, BothEncodersMatchTheByteAtATimeEncoderAndDecodeBack) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 3000; ++round) {
        const Bytes data = randomObjectData(rng);
        for (const bool enhanced : {false, true}) {
            const Bytes block = encodeRle(data.data(), data.size(), enhanced);
            ASSERT_EQ(block, referenceEncodeRLE(data, enhanced))
                << "round " << round << ", size " << data.size() << ", enhanced " << enhanced;
            ASSERT_EQ(decodeExactCopy(block), data) << "round " << round;
        }
    }
}

TEST(CodecReference, DecoderMatchesTheByteAtATimeDecoderOnAnyBlock) {
    std::mt19937 rng(77);
    for (int round = 0; round < 3000; ++round) {
        Bytes block;
        if (round % 2) {
            // Arbitrary bytes: control bytes of every value, mostly ending in a cut step.
            block.resize(rng() % 600);
            for (auto& b : block) {
                b = static_cast<std::uint8_t>(rng());
            }
        } else {
            // A valid block, cut short or with one control or data byte changed.
            const Bytes data = randomObjectData(rng);
            block = encodeRle(data.data(), data.size(), rng() % 2 != 0);
            if (!block.empty() && rng() % 2) {
                block.resize(rng() % block.size());
            } else if (!block.empty()) {
                block[rng() % block.size()] = static_cast<std::uint8_t>(rng());
            }
        }
        ASSERT_EQ(decodeExactCopy(block), referenceDecodeRLE(block))
            << "round " << round << ", size " << block.size();
    }
}

Bytes rotate(const Bytes& in, bool left) {
    Bytes out(in.size());
    for (std::size_t k = 0; k < in.size(); ++k) {
        const unsigned a = left ? (2 * k + 1) % 8 : 8 - (2 * k + 1) % 8;
        out[k] = static_cast<std::uint8_t>((in[k] << a) | (in[k] >> (8 - a)));
    }
    return out;
}

TEST(CodecReference, RotationMatchesTheByteAtATimeRotationAtEveryLengthAndOffset) {
    std::mt19937 rng(5);
    Bytes source(400);
    for (auto& b : source) {
        b = static_cast<std::uint8_t>(rng());
    }
    for (std::size_t offset = 0; offset < 4; ++offset) {
        for (std::size_t size = 0; size + offset <= source.size(); size += 1 + size / 16) {
            const Bytes in(source.begin() + static_cast<std::ptrdiff_t>(offset),
                           source.begin() + static_cast<std::ptrdiff_t>(offset + size));
            const std::uint8_t* at = source.data() + offset;
            ASSERT_EQ(encodeScrambled(at, size), rotate(in, true)) << size;
            ASSERT_EQ(decodeScrambled(at, size), rotate(in, false)) << size;
        }
    }
}

// A container's header goes first and the block is encoded behind it: the bytes already in the
// buffer stay, and the block is what encoding alone gives, also where the encoder works on
// large data in pieces.
TEST(CodecReference, EncodersAppendBehindTheBytesAlreadyInTheBuffer) {
    std::mt19937 rng(9);
    const Bytes head{'H', 'E', 'A', 'D', 0, 0xFF, 7};
    for (const std::size_t size : {0u, 1u, 65535u, 65536u, 65537u, 200003u}) {
        Bytes data = randomObjectData(rng);
        data.resize(size, 0x41);
        for (std::size_t i = size / 2; i < size; ++i) {
            data[i] = static_cast<std::uint8_t>(rng());
        }
        Bytes expected = head;
        const Bytes rotated = rotate(data, true);
        expected.insert(expected.end(), rotated.begin(), rotated.end());
        Bytes out = head;
        encodeScrambled(data.data(), data.size(), out);
        ASSERT_EQ(out, expected) << size;
        for (const bool enhanced : {false, true}) {
            expected = head;
            const Bytes block = referenceEncodeRLE(data, enhanced);
            expected.insert(expected.end(), block.begin(), block.end());
            out = head;
            encodeRle(data.data(), data.size(), enhanced, out);
            ASSERT_EQ(out, expected) << size << ", enhanced " << enhanced;
        }
    }
}

}  // namespace
}  // namespace tarn
