// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes read by position from wherever they are kept: a buffer in memory or the parts of a file
// read on demand (PartialFile). Readers of large formats take a ByteSource, so that they read
// only what they need.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "common/bytes.h"

namespace tarn {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t size() const = 0;

    // The bytes from pos on that are at hand in one piece: at least one byte unless pos is at
    // or past the end. Valid until the source is destroyed.
    virtual std::span<const std::uint8_t> from(std::uint64_t pos) = 0;

    // Copies out.size() bytes starting at pos; false when the source ends first.
    bool read(std::uint64_t pos, std::span<std::uint8_t> out) {
        while (!out.empty()) {
            const auto piece = from(pos);
            if (piece.empty()) {
                return false;
            }
            const std::size_t n = std::min(piece.size(), out.size());
            std::copy_n(piece.begin(), n, out.begin());
            out = out.subspan(n);
            pos += n;
        }
        return true;
    }
};

// A buffer in memory as a ByteSource; the buffer must outlive it.
class MemoryBytes : public ByteSource {
public:
    explicit MemoryBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t size() const override { return bytes_.size(); }
    std::span<const std::uint8_t> from(std::uint64_t pos) override {
        return pos < bytes_.size() ? bytes_.subspan(static_cast<std::size_t>(pos))
                                   : std::span<const std::uint8_t>();
    }

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace tarn
