#include "objfiles/rle_codec.h"

#include <cmath>
#include <cstring>

#include "common/errors.h"

namespace tarn {

Bytes DecodeRLE(const std::uint8_t* block, std::size_t size) {
    // The buffer starts at 1.2 times the block and grows by 1024 bytes whenever fewer than 256
    // remain before a step (a step writes at most 129 bytes).
    Bytes out(static_cast<std::size_t>(std::nearbyint(static_cast<double>(size) * 1.2)));
    std::size_t produced = 0;
    std::size_t pos = 0;
    while (pos < size) {
        if (out.size() - produced < 256) {
            out.resize(out.size() + 1024);
        }
        const std::uint8_t control = block[pos++];
        if (control < 0x80) {
            const std::size_t count = std::size_t{control} + 1;
            if (count > size - pos) {
                throw StreamReadError();
            }
            std::memcpy(out.data() + produced, block + pos, count);
            pos += count;
            produced += count;
        } else {
            if (pos >= size) {
                throw StreamReadError();
            }
            const std::size_t count = 257 - std::size_t{control};
            std::memset(out.data() + produced, block[pos++], count);
            produced += count;
        }
    }
    out.resize(produced);
    return out;
}

namespace {

// Length of the run of bytes equal to data[p] starting at p, at most 129.
inline std::size_t runLength(const std::uint8_t* data, std::size_t size, std::size_t p) {
    const std::size_t limit = size - p < 129 ? size - p : 129;
    std::size_t n = 1;
    while (n < limit && data[p + n] == data[p]) {
        ++n;
    }
    return n;
}

inline bool runStarts(const std::uint8_t* data, std::size_t size, std::size_t p,
                      std::size_t minimumRun) {
    if (size - p < minimumRun) {
        return false;
    }
    if (data[p] != data[p + 1]) {
        return false;
    }
    return minimumRun < 3 || data[p] == data[p + 2];
}

}  // namespace

Bytes EncodeRLE(const std::uint8_t* data, std::size_t size, bool enhanced) {
    const std::size_t minimumRun = enhanced ? 3 : 2;
    Bytes out(static_cast<std::size_t>(std::nearbyint(static_cast<double>(size) * 1.34)) + 1);
    std::uint8_t* o = out.data();
    std::size_t p = 0;
    while (p < size) {
        if (runStarts(data, size, p, minimumRun)) {
            const std::size_t n = runLength(data, size, p);
            *o++ = static_cast<std::uint8_t>(257 - n);
            *o++ = data[p];
            p += n;
            continue;
        }
        const std::size_t start = p;
        std::size_t count = 0;
        while (count < 128 && p < size && !runStarts(data, size, p, minimumRun)) {
            ++p;
            ++count;
        }
        *o++ = static_cast<std::uint8_t>(count - 1);
        std::memcpy(o, data + start, count);
        o += count;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

}  // namespace tarn
