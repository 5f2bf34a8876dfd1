// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/sample_objects.h"

#include <algorithm>

#include "objfiles/object_container.h"
#include "objfiles/text_tables.h"

namespace tarn {

namespace {

// A small linear congruential generator: the same seed gives the same files everywhere.
struct Lcg {
    std::uint32_t state;
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

}  // namespace

Bytes makeObjectLikeBytes(std::size_t size, std::uint32_t seed) {
    Lcg rng{seed};
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        const std::uint32_t r = rng.next();
        const std::size_t left = size - out.size();
        if (r % 4 == 0) {
            // A run, as in zero-filled fields and repeated map tiles.
            const std::size_t n = std::min<std::size_t>(left, 2 + (r >> 4) % 40);
            out.insert(out.end(), n, static_cast<std::uint8_t>((r >> 12) % 3 == 0 ? 0 : r >> 16));
        } else {
            const std::size_t n = std::min<std::size_t>(left, 1 + (r >> 4) % 12);
            for (std::size_t i = 0; i < n; ++i) {
                out.push_back(static_cast<std::uint8_t>(rng.next() % 64));
            }
        }
    }
    return out;
}

Bytes makeSampleObjectFile(unsigned type, std::uint8_t encoding, const ObjectFileTexts& texts,
                           const std::array<std::uint8_t, 8>& name, std::uint32_t seed,
                           std::size_t tail) {
    ObjectFile object;
    object.flags = (seed & 0xFFFFFFF0u) | (type & 0x0Fu);
    object.name = name;
    object.encoding = encoding;
    object.texts = texts;
    object.texts.resize(TextTableCount.at(type));

    // Empty tables between the object bytes, then filled as a save fills them.
    Bytes decoded = makeObjectLikeBytes(TextTableStart.at(type), seed);
    decoded.insert(decoded.end(), object.texts.size(), kTableEnd);
    const Bytes rest = makeObjectLikeBytes(tail, seed ^ 0x5A5A5A5Au);
    decoded.insert(decoded.end(), rest.begin(), rest.end());
    return encodeObjectFile(writeTextGroups(decoded, object), object, false);
}

}  // namespace tarn
