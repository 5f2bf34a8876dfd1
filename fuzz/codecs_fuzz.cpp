// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: the run-length and bit-rotation codecs round-trip every input (both run-length
// encoders), the run-length encoder stays within its worst-case bound, and decodeRle of
// arbitrary bytes never reads or writes outside its buffers (it either decodes or raises
// StreamReadError).
#include <cmath>

#include "common/errors.h"
#include "fuzz/fuzz_check.h"
#include "objfiles/rle_codec.h"
#include "objfiles/scrambled_codec.h"

using namespace tarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes input(data, data + size);
    const auto bound =
        static_cast<std::size_t>(std::nearbyint(static_cast<double>(size) * 1.34)) + 1;
    for (const bool enhanced : {false, true}) {
        const Bytes encoded = encodeRle(data, size, enhanced);
        FUZZ_CHECK(encoded.size() <= bound);
        FUZZ_CHECK(decodeRle(encoded.data(), encoded.size()) == input);
    }
    const Bytes scrambled = encodeScrambled(data, size);
    FUZZ_CHECK(scrambled.size() == size);
    FUZZ_CHECK(decodeScrambled(scrambled.data(), scrambled.size()) == input);

    try {
        const Bytes decoded = decodeRle(data, size);
        // Whatever decodes must encode and decode back to itself.
        const Bytes again = encodeRle(decoded.data(), decoded.size(), true);
        FUZZ_CHECK(decodeRle(again.data(), again.size()) == decoded);
    } catch (const StreamReadError&) {
    }
    return 0;
}
