#include "objfiles/scrambled_codec.h"

#include <cstring>

namespace tarn {

namespace {

inline std::uint8_t rotateLeft(std::uint8_t b, unsigned n) {
    return static_cast<std::uint8_t>((b << n) | (b >> (8 - n)));
}

inline std::uint8_t rotateRight(std::uint8_t b, unsigned n) {
    return static_cast<std::uint8_t>((b >> n) | (b << (8 - n)));
}

// The amounts repeat every four bytes, so the loop handles four bytes per step.
template <std::uint8_t (*Rotate)(std::uint8_t, unsigned)>
Bytes rotateAll(const std::uint8_t* in, std::size_t size) {
    Bytes out(size);
    std::uint8_t* o = out.data();
    std::size_t k = 0;
    for (; k + 4 <= size; k += 4) {
        o[k] = Rotate(in[k], 1);
        o[k + 1] = Rotate(in[k + 1], 3);
        o[k + 2] = Rotate(in[k + 2], 5);
        o[k + 3] = Rotate(in[k + 3], 7);
    }
    for (; k < size; ++k) {
        o[k] = Rotate(in[k], static_cast<unsigned>((2 * k + 1) % 8));
    }
    return out;
}

}  // namespace

Bytes DecodeScrambled(const std::uint8_t* block, std::size_t size) {
    return rotateAll<rotateRight>(block, size);
}

Bytes EncodeScrambled(const std::uint8_t* data, std::size_t size) {
    return rotateAll<rotateLeft>(data, size);
}

}  // namespace tarn
