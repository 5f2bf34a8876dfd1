// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a file as writeFileRangesAtomically rewrites it, handed over as pieces of the old
// bytes, of the ranges and of zeros, never made whole: the digest or the read-back check of a
// large rewritten file then needs no second copy of it in memory.
#pragma once

#include "common/bytes.h"
#include "common/file_io.h"
#include "common/partial_file.h"

namespace tarn {

// Hands write the bytes of old after reshape (when given, as applyFileReshape) and the ranges
// over them (as applyFileRanges), in order. The pieces point into old and into the ranges.
// Raises std::invalid_argument for a move from past the end, as applyFileReshape.
void writeRewrittenBytes(const Bytes& old, const FileRanges& ranges, const FileReshape* reshape,
                         const ByteWriter& write);

// Whether file, rewritten from old bytes of oldSize, has the rewritten size and holds what passed
// through memory: the ranges (where a later one did not overwrite them) and the zeros that
// lengthened it. The parts copied from the old file inside the kernel are not read, so checking
// a 17 MB file costs the reading of its changes alone. False also when it cannot be read.
bool fileHoldsWrittenParts(PartialFile& file, std::uint64_t oldSize, const FileRanges& ranges,
                           const FileReshape* reshape);

}  // namespace tarn
