// SPDX-License-Identifier: GPL-3.0-or-later
// Bit-rotation codec of object files stored with encoding 3.
//
// Every byte of the block is rotated within its 8 bits by (2k + 1) mod 8 bits, k being its
// 0-based index in the block: 1, 3, 5, 7, 1, 3, ... Encoding rotates left, decoding right.
// The block and the data have the same length.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/bytes.h"

namespace tarn {

// Copies size bytes and rotates them right. Reads only [block, block + size).
Bytes decodeScrambled(const std::uint8_t* block, std::size_t size);

// The same into the size bytes at out, which must not overlap the block.
void decodeScrambled(const std::uint8_t* block, std::size_t size, std::uint8_t* out);

// Copies size bytes and rotates them left.
Bytes encodeScrambled(const std::uint8_t* data, std::size_t size);

// The same appended to out, whose bytes so far are kept.
void encodeScrambled(const std::uint8_t* data, std::size_t size, Bytes& out);

}  // namespace tarn
