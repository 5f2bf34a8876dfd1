// SPDX-License-Identifier: GPL-3.0-or-later
// Run-length codec of object files stored with encoding 1.
//
// The encoded block is a sequence of steps, each a control byte c and its operand:
//
//   c = 0x00..0x7F   literal: the next c + 1 bytes (1 to 128) are copied unchanged
//   c = 0x80..0xFF   run: the next byte b is written 257 - c times (0xFF: 2, 0x80: 129)
//
// The encoder starts a run wherever the minimum run of equal bytes begins (2 bytes for the
// normal encoder, 3 for the enhanced one, which leaves pairs inside literals), cuts runs at 129
// and literals at 128 bytes. Its output never exceeds Round(size * 1.34) + 1 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/bytes.h"

namespace tarn {

// Decodes a whole block of size bytes. Never reads outside [block, block + size) nor writes
// outside the returned buffer: a step that reaches past the end of the block raises
// StreamReadError with the offset of that step in the block.
Bytes decodeRle(const std::uint8_t* block, std::size_t size);

// The same into the start of out, answering the decoded size. out is enlarged as needed and
// never shrunk, so that one buffer serves block after block; its bytes past the answer are
// left undefined. A failure leaves out's contents undefined too.
std::size_t decodeRle(const std::uint8_t* block, std::size_t size, Bytes& out);

// Encodes size bytes of data, with the enhanced encoder when enhanced is true.
Bytes encodeRle(const std::uint8_t* data, std::size_t size, bool enhanced);

// The same appended to out, whose bytes so far are kept: a container writes its header and then
// the block behind it, in one buffer and without copying the block again.
void encodeRle(const std::uint8_t* data, std::size_t size, bool enhanced, Bytes& out);

}  // namespace tarn
