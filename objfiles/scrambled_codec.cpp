// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/scrambled_codec.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tarn {

namespace {

inline std::uint8_t rotateLeft(std::uint8_t b, unsigned n) {
    return static_cast<std::uint8_t>((b << n) | (b >> (8 - n)));
}

static_assert(std::endian::native == std::endian::little,
              "the lanes assume little-endian 16-bit words");

// 16-bit lanes of 16 or 32 bytes of the block, lane j holding bytes 2j (low) and 2j + 1 (high).
typedef std::uint16_t Lanes8 __attribute__((vector_size(16)));
typedef std::uint16_t Lanes16 __attribute__((vector_size(32)));

// Rotates every byte k of in left by amounts[k % 4] into o, sizeof(Lanes) bytes at a time, and
// returns how many bytes it rotated (the rest, fewer than one vector, is left to the caller).
//
// A byte b zero-extended to 16 bits and multiplied by 2^a holds (b << a) & 0xFF in its low
// byte and b >> (8 - a) in its high byte; OR-ing the two is b rotated left by a. The low and
// the high bytes of the lanes are rotated this way with one multiplication each, by per-lane
// powers of two, so a whole vector takes a handful of operations.
template <typename Lanes>
[[gnu::always_inline]] inline std::size_t rotateLanes(const std::uint8_t* in, std::uint8_t* o,
                                                      std::size_t size,
                                                      const unsigned (&amounts)[4]) {
    constexpr std::size_t kWidth = sizeof(Lanes);
    Lanes lowFactor;
    Lanes highFactor;
    for (unsigned j = 0; j < kWidth / 2; ++j) {
        lowFactor[j] = static_cast<std::uint16_t>(1u << amounts[(2 * j) % 4]);
        highFactor[j] = static_cast<std::uint16_t>(1u << amounts[(2 * j + 1) % 4]);
    }
    const Lanes byteMask = Lanes{} + 0xFF;
    std::size_t k = 0;
    for (; k + kWidth <= size; k += kWidth) {
        Lanes w;
        std::memcpy(&w, in + k, kWidth);
        const Lanes low = (w & byteMask) * lowFactor;
        const Lanes high = (w >> 8) * highFactor;
        const Lanes r = ((low | (low >> 8)) & byteMask) | ((high | (high >> 8)) << 8);
        std::memcpy(o + k, &r, kWidth);
    }
    return k;
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
// The same loop with 32-byte vectors, for processors that have AVX2 (chosen at run time).
#define TARN_ROTATE_AVX2 1
[[gnu::target("avx2")]] std::size_t rotateLanesAvx2(const std::uint8_t* in, std::uint8_t* o,
                                                    std::size_t size,
                                                    const unsigned (&amounts)[4]) {
    return rotateLanes<Lanes16>(in, o, size, amounts);
}

bool haveAvx2() {
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}
#endif

// Rotates every byte k of in left by amounts[k % 4] into o.
void rotateAll(const std::uint8_t* in, std::size_t size, std::uint8_t* o,
               const unsigned (&amounts)[4]) {
    std::size_t k = 0;
#if defined(TARN_ROTATE_AVX2)
    if (haveAvx2()) {
        k = rotateLanesAvx2(in, o, size, amounts);
    }
#endif
    // Whole 32-byte pieces keep k a multiple of 4, so the amounts still start at amounts[0].
    k += rotateLanes<Lanes8>(in + k, o + k, size - k, amounts);
    for (; k < size; ++k) {
        o[k] = rotateLeft(in[k], amounts[k % 4]);
    }
}

}  // namespace

void decodeScrambled(const std::uint8_t* block, std::size_t size, std::uint8_t* out) {
    // Rotating right by 1, 3, 5, 7 is rotating left by 7, 5, 3, 1.
    rotateAll(block, size, out, {7, 5, 3, 1});
}

Bytes decodeScrambled(const std::uint8_t* block, std::size_t size) {
    Bytes out(size);
    decodeScrambled(block, size, out.data());
    return out;
}

void encodeScrambled(const std::uint8_t* data, std::size_t size, Bytes& out) {
    // The vector is enlarged a piece at a time, each piece rotated into while its zero fill is
    // still in the cache, rather than zero-filled whole first. Pieces are a multiple of 4 bytes
    // long, so every piece starts at rotation amount 1.
    constexpr std::size_t kPiece = 64 * 1024;
    out.reserve(out.size() + size);
    for (std::size_t done = 0; done < size;) {
        const std::size_t n = std::min(kPiece, size - done);
        const std::size_t at = out.size();
        out.resize(at + n);
        rotateAll(data + done, n, out.data() + at, {1, 3, 5, 7});
        done += n;
    }
}

Bytes encodeScrambled(const std::uint8_t* data, std::size_t size) {
    Bytes out;
    encodeScrambled(data, size, out);
    return out;
}

}  // namespace tarn
