// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

#include "common/errors.h"
#include "objfiles/rle_codec.h"
#include "objfiles/sample_objects.h"
#include "objfiles/scrambled_codec.h"

namespace tarn {
namespace {

Bytes rle(const Bytes& data, bool enhanced) {
    return encodeRle(data.data(), data.size(), enhanced);
}
Bytes unrle(const Bytes& block) {
    return decodeRle(block.data(), block.size());
}

struct RleExample {
    Bytes input;
    Bytes normal;
    Bytes enhanced;
};

Bytes repeat(std::uint8_t b, std::size_t n) {
    return Bytes(n, b);
}

TEST(RunLengthCodec, EncodesTheKnownExamplesByteForByteAndDecodesThemBack) {
    Bytes literal129(129);
    for (std::size_t i = 0; i < literal129.size(); ++i) {
        literal129[i] = static_cast<std::uint8_t>(i);
    }
    Bytes literalBlock(131);
    literalBlock[0] = 0x7F;
    std::copy(literal129.begin(), literal129.begin() + 128, literalBlock.begin() + 1);
    literalBlock[129] = 0x00;
    literalBlock[130] = 128;

    const RleExample examples[] = {
        {{'a', 'a', 'a', 'b'}, {0xFE, 'a', 0x00, 'b'}, {0xFE, 'a', 0x00, 'b'}},
        {{'a', 'a', 'b'}, {0xFF, 'a', 0x00, 'b'}, {0x02, 'a', 'a', 'b'}},
        {{'a', 'a', 'b', 'a', 'a', 'b'},
         {0xFF, 'a', 0x00, 'b', 0xFF, 'a', 0x00, 'b'},
         {0x05, 'a', 'a', 'b', 'a', 'a', 'b'}},
        {{'a', 'a', 'b', 'b'}, {0xFF, 'a', 0xFF, 'b'}, {0x03, 'a', 'a', 'b', 'b'}},
        {repeat('a', 130), {0x80, 'a', 0x00, 'a'}, {0x80, 'a', 0x00, 'a'}},
        {repeat('a', 131), {0x80, 'a', 0xFF, 'a'}, {0x80, 'a', 0x01, 'a', 'a'}},
        {{'a', 'b', 'c'}, {0x02, 'a', 'b', 'c'}, {0x02, 'a', 'b', 'c'}},
        {literal129, literalBlock, literalBlock},
        {{}, {}, {}},
    };
    for (const RleExample& e : examples) {
        SCOPED_TRACE(e.input.size());
        EXPECT_EQ(rle(e.input, false), e.normal);
        EXPECT_EQ(rle(e.input, true), e.enhanced);
        EXPECT_EQ(unrle(e.normal), e.input);
        EXPECT_EQ(unrle(e.enhanced), e.input);
    }
}

TEST(RunLengthCodec, RoundTripsRandomAndObjectLikeDataWithinTheOutputBound) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const std::size_t size = rng() % 3000;
        Bytes data = round % 2 ? makeObjectLikeBytes(size, rng()) : Bytes(size);
        if (round % 2 == 0) {
            // Few distinct values so that pairs, triples and long runs all occur.
            for (auto& b : data) {
                b = static_cast<std::uint8_t>(rng() % (1 + round % 4));
            }
        }
        for (bool enhanced : {false, true}) {
            const Bytes block = rle(data, enhanced);
            EXPECT_LE(block.size(), static_cast<std::size_t>(std::nearbyint(size * 1.34)) + 1);
            ASSERT_EQ(unrle(block), data) << "size " << size << " enhanced " << enhanced;
        }
    }
    // The worst case, a pair and a single byte repeated, costs 4 bytes per 3.
    Bytes worst;
    for (int i = 0; i < 1000; ++i) {
        worst.insert(worst.end(), {1, 1, 2});
    }
    EXPECT_EQ(rle(worst, false).size(), 4000u);
}

TEST(RunLengthCodec, MalformedBlocksStopWithTheReadErrorInsteadOfReadingPastThem) {
    const Bytes malformed[] = {
        {0x00},             // literal of one byte, no byte
        {0x05, 'a', 'b'},   // literal reaching past the end
        {0x80},             // run without its byte
        {0xFF, 'a', 0x7F},  // complete run, then a cut literal
    };
    for (const Bytes& block : malformed) {
        // Decoded from an exactly sized heap copy so the sanitizer sees any overread.
        const auto copy = std::make_unique<std::uint8_t[]>(block.size());
        std::copy(block.begin(), block.end(), copy.get());
        EXPECT_THROW(decodeRle(copy.get(), block.size()), StreamReadError);
    }
    EXPECT_TRUE(decodeRle(nullptr, 0).empty());
}

TEST(ScrambledCodec, RotatesByOneThreeFiveSevenAndBack) {
    const Bytes plain{'a', 'b', 'c', 'd', 'e'};
    const Bytes scrambled = encodeScrambled(plain.data(), plain.size());
    EXPECT_EQ(scrambled, (Bytes{0xC2, 0x13, 0x6C, 0x32, 0xCA}));
    EXPECT_EQ(decodeScrambled(scrambled.data(), scrambled.size()), plain);

    std::mt19937 rng(3);
    Bytes data(1001);
    for (auto& b : data) {
        b = static_cast<std::uint8_t>(rng());
    }
    EXPECT_EQ(decodeScrambled(encodeScrambled(data.data(), data.size()).data(), data.size()), data);
    EXPECT_TRUE(encodeScrambled(nullptr, 0).empty());
}

}  // namespace
}  // namespace tarn
