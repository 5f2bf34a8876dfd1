// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/sha256.h"

#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define TARN_SHA256_X86 1
#endif

namespace tarn {

namespace {

constexpr std::array<std::uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t rotr(std::uint32_t x, unsigned n) {
    return (x >> n) | (x << (32 - n));
}

void compress(std::array<std::uint32_t, 8>& h, const std::uint8_t* block) {
    std::uint32_t w[64];
    for (std::size_t i = 0; i < 16; ++i) {
        w[i] = static_cast<std::uint32_t>(block[4 * i]) << 24 |
               static_cast<std::uint32_t>(block[4 * i + 1]) << 16 |
               static_cast<std::uint32_t>(block[4 * i + 2]) << 8 | block[4 * i + 3];
    }
    for (std::size_t i = 16; i < 64; ++i) {
        const std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    // The working variables in registers: rebuilding an array each round costs a third of the
    // time, and the players' program hashes whole executables.
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
    for (std::size_t i = 0; i < 64; ++i) {
        const std::uint32_t s1 = rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25);
        const std::uint32_t ch = (e & f) ^ (~e & g);
        const std::uint32_t t1 = k + s1 + ch + kRound[i] + w[i];
        const std::uint32_t s0 = rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22);
        const std::uint32_t maj = (a & b) ^ (a & c) ^ (b & c);
        k = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + s0 + maj;
    }
    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
    h[4] += e;
    h[5] += f;
    h[6] += g;
    h[7] += k;
}

void compressPortable(std::array<std::uint32_t, 8>& h, const std::uint8_t* data,
                      std::size_t blocks) {
    for (std::size_t b = 0; b < blocks; ++b) {
        compress(h, data + 64 * b);
    }
}

#ifdef TARN_SHA256_X86
// The same rounds through the processor's SHA extensions, about eight times as fast: the players'
// program hashes whole executables. The state is kept as the instructions want it, in two
// registers holding A B E F and C D G H.
__attribute__((target("sha,sse4.1,ssse3"))) void compressWithShaExtensions(
    std::array<std::uint32_t, 8>& h, const std::uint8_t* data, std::size_t blocks) {
    // Reverses the bytes of each 32-bit word: the message words are big-endian.
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
    const __m128i dcba = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&h[0])),
                                           0xB1);  // C D A B
    const __m128i efgh = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&h[4])),
                                           0x1B);  // E F G H
    __m128i abef = _mm_alignr_epi8(dcba, efgh, 8);
    __m128i cdgh = _mm_blend_epi16(efgh, dcba, 0xF0);
    for (std::size_t b = 0; b < blocks; ++b, data += 64) {
        const __m128i abefBefore = abef;
        const __m128i cdghBefore = cdgh;
        __m128i w[4];  // the last four groups of four message words
        // Unrolled whole, the four groups stay in registers (and -Os unrolls nothing itself).
#pragma GCC unroll 16
        for (std::size_t g = 0; g < 16; ++g) {
            __m128i words;
            if (g < 4) {
                words = _mm_shuffle_epi8(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * g)), byteSwap);
            } else {
                // W[t-16] + s0(W[t-15]), then + W[t-7], then + s1(W[t-2]).
                const __m128i first = _mm_sha256msg1_epu32(w[g % 4], w[(g + 1) % 4]);
                const __m128i middle = _mm_alignr_epi8(w[(g + 3) % 4], w[(g + 2) % 4], 4);
                words = _mm_sha256msg2_epu32(_mm_add_epi32(first, middle), w[(g + 3) % 4]);
            }
            w[g % 4] = words;
            __m128i sum = _mm_add_epi32(
                words, _mm_loadu_si128(reinterpret_cast<const __m128i*>(&kRound[4 * g])));
            cdgh = _mm_sha256rnds2_epu32(cdgh, abef, sum);
            sum = _mm_shuffle_epi32(sum, 0x0E);
            abef = _mm_sha256rnds2_epu32(abef, cdgh, sum);
        }
        abef = _mm_add_epi32(abef, abefBefore);
        cdgh = _mm_add_epi32(cdgh, cdghBefore);
    }
    const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
    const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&h[0]), _mm_blend_epi16(feba, dchg, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&h[4]), _mm_alignr_epi8(dchg, feba, 8));
}
#endif

void compressBlocks(Sha256Engine engine, std::array<std::uint32_t, 8>& h, const std::uint8_t* data,
                    std::size_t blocks) {
#ifdef TARN_SHA256_X86
    if (engine == Sha256Engine::ProcessorInstructions) {
        compressWithShaExtensions(h, data, blocks);
        return;
    }
#endif
    (void)engine;
    compressPortable(h, data, blocks);
}

}  // namespace

bool processorHasSha256Instructions() {
#ifdef TARN_SHA256_X86
    // Asked of the processor itself: not every compiler knows "sha" as a feature name.
    static const bool has = [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (__get_cpuid(1, &a, &b, &c, &d) == 0 || (c & bit_SSE4_1) == 0 || (c & bit_SSSE3) == 0)
            return false;
        if (__get_cpuid_count(7, 0, &a, &b, &c, &d) == 0)
            return false;
        return (b & (1u << 29)) != 0;  // the SHA extensions
    }();
    return has;
#else
    return false;
#endif
}

Sha256Digest sha256(std::string_view text) {
    return sha256(text, processorHasSha256Instructions() ? Sha256Engine::ProcessorInstructions
                                                         : Sha256Engine::Portable);
}

Sha256Digest sha256(std::string_view text, Sha256Engine engine) {
    Sha256Hasher hasher(engine);
    hasher.add(text);
    return hasher.finish();
}

Sha256Hasher::Sha256Hasher()
    : Sha256Hasher(processorHasSha256Instructions() ? Sha256Engine::ProcessorInstructions
                                                    : Sha256Engine::Portable) {}

Sha256Hasher::Sha256Hasher(Sha256Engine engine)
    : engine_(engine), state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                              0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void Sha256Hasher::add(std::string_view piece) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(piece.data());
    std::size_t size = piece.size();
    length_ += size;
    if (held_ != 0) {
        const std::size_t taken = std::min(size, block_.size() - held_);
        std::copy(data, data + taken, block_.begin() + static_cast<std::ptrdiff_t>(held_));
        held_ += taken;
        data += taken;
        size -= taken;
        if (held_ < block_.size()) {
            return;
        }
        compressBlocks(engine_, state_, block_.data(), 1);
        held_ = 0;
    }
    // Whole blocks straight from the piece: no copy of the data passes through the block.
    const std::size_t whole = size / 64;
    compressBlocks(engine_, state_, data, whole);
    std::copy(data + whole * 64, data + size, block_.begin());
    held_ = size - whole * 64;
}

Sha256Digest Sha256Hasher::finish() {
    // The held tail, the 0x80 marker and the bit length fill one or two last blocks.
    std::array<std::uint8_t, 128> tail{};
    std::copy(block_.begin(), block_.begin() + static_cast<std::ptrdiff_t>(held_), tail.begin());
    tail[held_] = 0x80;
    const std::size_t blocks = held_ < 56 ? 1 : 2;
    const std::uint64_t bits = length_ * 8;
    for (std::size_t i = 0; i < 8; ++i) {
        tail[blocks * 64 - 1 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    compressBlocks(engine_, state_, tail.data(), blocks);
    Sha256Digest digest{};
    for (std::size_t i = 0; i < 32; ++i) {
        digest[i] = static_cast<std::uint8_t>(state_[i / 4] >> (24 - 8 * (i % 4)));
    }
    return digest;
}

std::string hexOf(const Sha256Digest& digest) {
    static const char* const digits = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : digest) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0xF];
    }
    return hex;
}

std::string sha256Hex(const Bytes& data) {
    return hexOf(sha256(std::string_view(reinterpret_cast<const char*>(data.data()), data.size())));
}

}  // namespace tarn
