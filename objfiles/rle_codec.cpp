// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/rle_codec.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/errors.h"

namespace tarn {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the word-at-a-time scans assume little-endian words");

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

// The most one step of either codec writes, fixed-size pieces past its end included.
constexpr std::size_t kStepRoom = 256;

// The most the quick steps of one word of the encoder write: they cover at most 191 positions
// (the first may start 128 before the word) in at most 64 steps, so they emit at most 255 bytes,
// and the last one writes pieces of up to 129 bytes.
constexpr std::size_t kWordRoom = 512;

// Both codecs write into a vector that is enlarged in small zero-filled steps just ahead of the
// writes. The zero fill then costs little (its cache lines are overwritten at once) and the
// codecs may write whole fixed-size pieces past their last byte, to be overwritten by the next
// step or cut off at the end.
constexpr std::size_t kGrowStep = 4096;

// Makes at least room bytes writable at o (a position inside or at the end of out) and returns
// the position, which moves when the vector is reallocated.
std::uint8_t* growOutput(Bytes& out, std::uint8_t* o, std::size_t room) {
    const std::size_t at = static_cast<std::size_t>(o - out.data());
    out.resize(std::max(out.size() + kGrowStep, at + room));
    return out.data() + at;
}

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
    return flags == 0 ? 8 : static_cast<unsigned>(std::countr_zero(flags)) / 8;
}

inline unsigned firstNonZeroByte(std::uint64_t v) {
    return v == 0 ? 8 : static_cast<unsigned>(std::countr_zero(v)) / 8;
}

}  // namespace

std::size_t decodeRle(const std::uint8_t* block, std::size_t size, Bytes& out) {
    // Object data seldom packs to less than half its size, so twice the block usually holds
    // the output without a reallocation; more grows the vector as usual. What the buffer holds
    // is of no use, so it is dropped rather than copied when the buffer has to move.
    if (out.capacity() < 2 * size + kGrowStep) {
        out = Bytes();
        out.reserve(2 * size + kGrowStep);
    }
    std::uint8_t* o = out.data();
    std::uint8_t* end = o + out.size();

    // Steps that start at least 129 bytes before the end of the block have their whole operand
    // inside it (a literal reads at most 128 bytes after its control byte), so they need no
    // check. Literals copy one or two 64-byte pieces and runs fill them; the excess is
    // overwritten by the next step. The room for the output is made for 16 steps at a time.
    const std::uint8_t* in = block;
    const std::uint8_t* const checkedFrom = size > 128 ? block + size - 128 : block;
    while (in < checkedFrom) {
        if (static_cast<std::size_t>(end - o) < 16 * kStepRoom) {
            o = growOutput(out, o, 16 * kStepRoom);
            end = out.data() + out.size();
        }
        for (int k = 0; k < 16 && in < checkedFrom; ++k) {
            const std::size_t control = *in;
            if (control < 0x80) {
                const std::size_t count = control + 1;
                std::memcpy(o, in + 1, 64);
                if (count > 64) {
                    std::memcpy(o + 64, in + 65, 64);
                }
                o += count;
                in += count + 1;
            } else {
                const std::size_t count = 257 - control;
                std::memset(o, in[1], 64);
                if (count > 64) {
                    std::memset(o + 64, in[1], 65);
                }
                o += count;
                in += 2;
            }
        }
    }
    std::size_t pos = static_cast<std::size_t>(in - block);

    // The last steps, each checked against the end of the block.
    while (pos < size) {
        if (static_cast<std::size_t>(end - o) < kStepRoom) {
            o = growOutput(out, o, kStepRoom);
            end = out.data() + out.size();
        }
        const std::size_t control = block[pos++];
        if (control < 0x80) {
            const std::size_t count = control + 1;
            if (count > size - pos) {
                throw StreamReadError(pos - 1);
            }
            std::memcpy(o, block + pos, count);
            o += count;
            pos += count;
        } else {
            if (pos == size) {
                throw StreamReadError(pos - 1);
            }
            const std::size_t count = 257 - control;
            std::memset(o, block[pos++], count);
            o += count;
        }
    }
    return static_cast<std::size_t>(o - out.data());
}

Bytes decodeRle(const std::uint8_t* block, std::size_t size) {
    Bytes out;
    out.resize(decodeRle(block, size, out));
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

// Where the step that encodeStep emitted ends. atStepBoundary tells whether it ended where an
// uncut step would have: at the end of the data, at the end of a run of equal bytes, or at the
// start of a run.
struct StepEnd {
    std::size_t p;
    std::uint8_t* o;
    bool atStepBoundary;
};

// Emits the step at p into o, exactly and with every bound checked.
StepEnd encodeStep(const std::uint8_t* data, std::size_t size, std::size_t p,
                   std::size_t minimumRun, std::uint8_t* o) {
    if (runStarts(data, size, p, minimumRun)) {
        const std::size_t n = runLength(data, size, p);
        o[0] = static_cast<std::uint8_t>(257 - n);
        o[1] = data[p];
        p += n;
        return {p, o + 2, p == size || data[p] != data[p - 1]};
    }
    // A literal: up to 128 bytes, ending where the next run starts.
    const std::size_t start = p;
    const std::size_t limit = size - p < 128 ? size : p + 128;
    p = nextRunStart(data, size, p + 1, limit, minimumRun);
    const std::size_t count = p - start;
    o[0] = static_cast<std::uint8_t>(count - 1);
    std::memcpy(o + 1, data + start, count);
    return {p, o + 1 + count, p == size || runStarts(data, size, p, minimumRun)};
}

// Bit i is set when d[i] equals d[i + 1], for i from 0 to 63. Reads d[0] to d[64].
inline std::uint64_t equalNeighbours(const std::uint8_t* d) {
#if defined(__SSE2__)
    const auto piece = [d](int k) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 16 * k));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 16 * k + 1));
        const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(a, b)));
        return static_cast<std::uint64_t>(bits) << (16 * k);
    };
    return piece(0) | piece(1) | piece(2) | piece(3);
#else
    // Eight bytes at a time: the exact zero-byte test flags the high bit of every zero byte of
    // d[i] ^ d[i + 1], and one multiplication gathers the eight flags into the top byte.
    constexpr std::uint64_t kLows = ~kHighs;
    std::uint64_t bits = 0;
    for (unsigned k = 0; k < 8; ++k) {
        const std::uint64_t x = load64(d + 8 * k) ^ load64(d + 8 * k + 1);
        const std::uint64_t zeros = ~(((x & kLows) + kLows) | x) & kHighs;
        bits |= ((zeros >> 7) * 0x0102040810204080ull >> 56) << (8 * k);
    }
    return bits;
#endif
}

}  // namespace

// Where a step starts follows from the data alone, except after a cut (a run of 129 bytes or a
// literal of 128): a step starts at position i when i begins a new value (d[i] != d[i - 1])
// and either a run starts at i or one ends there (a run starts at i - minimum run). From such
// a position an uncut step ends exactly at the next one. The encoder therefore marks these
// positions 64 at a time with word operations and walks from one to the next, emitting a step
// each; a step longer than 128 bytes, which may be cut, is emitted by the exact step above,
// repeated until it ends at such a position again.
void encodeRle(const std::uint8_t* data, std::size_t size, bool enhanced, Bytes& out) {
    const std::size_t minimumRun = enhanced ? 3 : 2;
    const std::size_t bound =
        static_cast<std::size_t>(std::nearbyint(static_cast<double>(size) * 1.34)) + 1;
    out.reserve(out.size() + bound + kWordRoom + kGrowStep);
    std::uint8_t* o = out.data() + out.size();
    std::uint8_t* end = o;
    std::size_t p = 0;

    // The word at base covers positions base to base + 63. Its quick steps copy pieces of up to
    // 128 bytes from at most 128 before their end, and the next word's marks read up to
    // base + 128: all inside the data.
    bool runAtP = runStarts(data, size, 0, minimumRun);
    std::uint64_t equalBefore = 0;  // the previous word's neighbour bits
    std::uint64_t runsBefore = 0;   // the previous word's run starts
    std::uint64_t equal = size >= 65 ? equalNeighbours(data) : 0;
    for (std::size_t base = 0; base + 192 <= size; base += 64) {
        if (static_cast<std::size_t>(end - o) < kWordRoom) {
            o = growOutput(out, o, kWordRoom);
            end = out.data() + out.size();
        }
        const std::uint64_t equalAfter = equalNeighbours(data + base + 64);
        const std::uint64_t runs = enhanced ? equal & ((equal >> 1) | (equalAfter << 63)) : equal;
        const std::uint64_t newValue = ~((equal << 1) | (equalBefore >> 63));
        const std::uint64_t runEnds = (runs << minimumRun) | (runsBefore >> (64 - minimumRun));
        std::uint64_t marks = newValue & (runs | runEnds);
        if (p >= base) {
            const std::size_t skip = p - base + 1;  // marks at or before p are behind
            marks = skip >= 64 ? 0 : marks & (~std::uint64_t{0} << skip);
        }
        while (marks != 0) {
            const std::size_t next = base + static_cast<std::size_t>(std::countr_zero(marks));
            marks &= marks - 1;
            const std::size_t count = next - p;
            if (count <= 128) {
                // A run emits its control byte and the byte at p, a literal its control byte
                // and count bytes from p, copied as one or two 64-byte pieces.
                if (runAtP) {
                    o[0] = static_cast<std::uint8_t>(257 - count);
                    o[1] = data[p];
                    o += 2;
                } else {
                    o[0] = static_cast<std::uint8_t>(count - 1);
                    std::memcpy(o + 1, data + p, 64);
                    if (count > 64) {
                        std::memcpy(o + 65, data + p + 64, 64);
                    }
                    o += count + 1;
                }
                p = next;
                runAtP = (runs >> (next - base)) & 1;
                continue;
            }
            for (StepEnd step{p, o, false}; !step.atStepBoundary;) {
                if (static_cast<std::size_t>(end - step.o) < kStepRoom) {
                    step.o = growOutput(out, step.o, kStepRoom);
                    end = out.data() + out.size();
                }
                step = encodeStep(data, size, step.p, minimumRun, step.o);
                p = step.p;
                o = step.o;
            }
            if (static_cast<std::size_t>(end - o) < kWordRoom) {
                o = growOutput(out, o, kWordRoom);
                end = out.data() + out.size();
            }
            runAtP = p < size && runStarts(data, size, p, minimumRun);
            const std::size_t skip = p - base + 1;
            marks = skip >= 64 ? 0 : marks & (~std::uint64_t{0} << skip);
        }
        equalBefore = equal;
        runsBefore = runs;
        equal = equalAfter;
    }

    // The last steps, near the end of the data.
    while (p < size) {
        if (static_cast<std::size_t>(end - o) < kStepRoom) {
            o = growOutput(out, o, kStepRoom);
            end = out.data() + out.size();
        }
        const StepEnd step = encodeStep(data, size, p, minimumRun, o);
        p = step.p;
        o = step.o;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

Bytes encodeRle(const std::uint8_t* data, std::size_t size, bool enhanced) {
    Bytes out;
    encodeRle(data, size, enhanced, out);
    return out;
}

}  // namespace tarn
