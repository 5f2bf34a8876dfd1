#include "objfiles/scrambled_codec.h"

#include <bit>
#include <cstring>

namespace tarn {

namespace {

inline std::uint8_t rotateLeft(std::uint8_t b, unsigned n) {
    return static_cast<std::uint8_t>((b << n) | (b >> (8 - n)));
}

static_assert(std::endian::native == std::endian::little,
              "the lanes assume little-endian 16-bit words");

// Eight 16-bit lanes: 16 bytes of the block, lane j holding bytes 2j (low) and 2j + 1 (high).
typedef std::uint16_t Lanes __attribute__((vector_size(16)));

// Rotates every byte k of in left by amounts[k % 4] into a new buffer.
//
// A byte b zero-extended to 16 bits and multiplied by 2^a holds (b << a) & 0xFF in its low
// byte and b >> (8 - a) in its high byte; OR-ing the two is b rotated left by a. The low and
// the high bytes of the lanes are rotated this way with one multiplication each, by per-lane
// powers of two, so 16 bytes take a handful of vector operations.
Bytes rotateAll(const std::uint8_t* in, std::size_t size, const unsigned (&amounts)[4]) {
    Bytes out(size);
    std::uint8_t* o = out.data();
    Lanes lowFactor;
    Lanes highFactor;
    for (unsigned j = 0; j < 8; ++j) {
        lowFactor[j] = static_cast<std::uint16_t>(1u << amounts[(2 * j) % 4]);
        highFactor[j] = static_cast<std::uint16_t>(1u << amounts[(2 * j + 1) % 4]);
    }
    const Lanes byteMask = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::size_t k = 0;
    for (; k + 16 <= size; k += 16) {
        Lanes w;
        std::memcpy(&w, in + k, 16);
        const Lanes low = (w & byteMask) * lowFactor;
        const Lanes high = (w >> 8) * highFactor;
        const Lanes r = ((low | (low >> 8)) & byteMask) | ((high | (high >> 8)) << 8);
        std::memcpy(o + k, &r, 16);
    }
    for (; k < size; ++k) {
        o[k] = rotateLeft(in[k], amounts[k % 4]);
    }
    return out;
}

}  // namespace

Bytes DecodeScrambled(const std::uint8_t* block, std::size_t size) {
    // Rotating right by 1, 3, 5, 7 is rotating left by 7, 5, 3, 1.
    return rotateAll(block, size, {7, 5, 3, 1});
}

Bytes EncodeScrambled(const std::uint8_t* data, std::size_t size) {
    return rotateAll(data, size, {1, 3, 5, 7});
}

}  // namespace tarn
