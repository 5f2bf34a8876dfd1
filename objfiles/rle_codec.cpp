#include "objfiles/rle_codec.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "common/errors.h"

namespace tarn {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the word-at-a-time scans assume little-endian words");

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

inline std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// Index (0 to 7) of the lowest zero byte of a little-endian word, or 8 when it has none. The
// lowest flag of the classic zero-byte test is exact (only flags above a zero byte can be
// false), which is all this needs.
inline unsigned firstZeroByte(std::uint64_t v) {
    const std::uint64_t flags = (v - kOnes) & ~v & kHighs;
    return flags == 0 ? 8 : static_cast<unsigned>(__builtin_ctzll(flags)) / 8;
}

inline unsigned firstNonZeroByte(std::uint64_t v) {
    return v == 0 ? 8 : static_cast<unsigned>(__builtin_ctzll(v)) / 8;
}

}  // namespace

Bytes DecodeRLE(const std::uint8_t* block, std::size_t size) {
    // The buffer starts at 1.2 times the block and grows by 1024 bytes whenever fewer than 256
    // remain before a step. A step writes at most 129 bytes; it may write whole 64-byte pieces
    // (at most 129 bytes) and let the next step overwrite the excess.
    Bytes out(static_cast<std::size_t>(std::nearbyint(static_cast<double>(size) * 1.2)));
    std::size_t produced = 0;
    std::size_t pos = 0;
    while (pos < size) {
        if (out.size() - produced < 256) {
            out.resize(out.size() + 1024);
        }
        std::uint8_t* o = out.data() + produced;
        const std::uint8_t control = block[pos++];
        const bool literal = control < 0x80;
        const std::size_t count = literal ? std::size_t{control} + 1 : 257 - std::size_t{control};
        // A literal needs count bytes, a run one.
        if ((literal ? count : 1) > size - pos) {
            throw StreamReadError();
        }
        if (size - pos >= 64) {
            // Both kinds start with one unconditional 64-byte piece, chosen without a branch,
            // so that the usual short literals and runs cost no mispredictions.
            std::uint8_t run[64];
            std::memset(run, block[pos], 64);
            const std::uint8_t* from = literal ? block + pos : run;
            std::memcpy(o, from, 64);
            if (count > 64) {
                if (literal) {
                    std::memcpy(o + 64, block + pos + 64, count - 64);
                } else {
                    std::memcpy(o + 64, run, 64);
                    o[128] = run[0];
                }
            }
        } else if (literal) {
            std::memcpy(o, block + pos, count);
        } else {
            std::memset(o, block[pos], count);
        }
        pos += literal ? count : 1;
        produced += count;
    }
    out.resize(produced);
    return out;
}

namespace {

// Length of the run of bytes equal to data[p] starting at p, at most 129.
inline std::size_t runLength(const std::uint8_t* data, std::size_t size, std::size_t p) {
    const std::size_t limit = size - p < 129 ? size - p : 129;
    const std::uint64_t pattern = kOnes * data[p];
    std::size_t n = 1;
    while (n + 8 <= limit) {
        const unsigned same = firstNonZeroByte(load64(data + p + n) ^ pattern);
        n += same;
        if (same < 8) {
            return n;
        }
    }
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

// The first position from p (at most end) where a run starts, or end.
inline std::size_t nextRunStart(const std::uint8_t* data, std::size_t size, std::size_t p,
                                std::size_t end, std::size_t minimumRun) {
    // Eight positions at a time while the words of p, p + 1 and p + 2 lie inside the data.
    while (p + 8 <= end && p + 10 <= size) {
        const std::uint64_t w = load64(data + p);
        std::uint64_t differs = w ^ load64(data + p + 1);
        if (minimumRun >= 3) {
            differs |= w ^ load64(data + p + 2);
        }
        const unsigned at = firstZeroByte(differs);
        if (at < 8) {
            return p + at;
        }
        p += 8;
    }
    while (p < end && !runStarts(data, size, p, minimumRun)) {
        ++p;
    }
    return p;
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
        // A literal: up to 128 bytes, ending where the next run starts.
        const std::size_t start = p;
        const std::size_t limit = size - p < 128 ? size : p + 128;
        p = nextRunStart(data, size, p + 1, limit, minimumRun);
        const std::size_t count = p - start;
        *o++ = static_cast<std::uint8_t>(count - 1);
        if (count <= 32 && size - start >= 32 &&
            static_cast<std::size_t>(out.data() + out.size() - o) >= 32) {
            std::memcpy(o, data + start, 32);  // the excess is overwritten by the next step
        } else {
            std::memcpy(o, data + start, count);
        }
        o += count;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

}  // namespace tarn
