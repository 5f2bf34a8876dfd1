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

// The same with the old bytes read from the open file a piece at a time through one reused
// buffer, so that a large file never needs fresh memory of its size. Raises FileError when it
// cannot be read or is shorter than when it was opened.
void writeRewrittenBytes(PartialFile& old, const FileRanges& ranges, const FileReshape* reshape,
                         const ByteWriter& write);

// The old file in parts, in order: where a rewrite leaves the old bytes at their own offsets
// the part has no bytes (the new file holds them), elsewhere (under the ranges and moved blocks,
// past a cut) it keeps them. So the old file can be made again from the new one for the cost of
// the changed parts alone.
struct OverwrittenBytes {
    struct Part {
        std::uint64_t offset = 0;
        std::uint64_t length = 0;
        bool kept = false;  // bytes holds the old bytes; otherwise the new file has them
        Bytes bytes;
    };
    std::vector<Part> parts;
};
// Reads from old what a rewrite with ranges and reshape overwrites. Raises FileError.
OverwrittenBytes keepOverwrittenBytes(PartialFile& old, const FileRanges& ranges,
                                      const FileReshape* reshape);
// Hands write the old file's bytes, from rewritten (the new file) and what was kept. Raises
// FileError when rewritten cannot be read or is too short.
void writeOldBytes(PartialFile& rewritten, const OverwrittenBytes& overwritten,
                   const ByteWriter& write);

// Whether file, rewritten from old bytes of oldSize, has the rewritten size and holds what passed
// through memory: the ranges (where a later one did not overwrite them) and the zeros that
// lengthened it. The parts copied from the old file inside the kernel are not read, so checking
// a 17 MB file costs the reading of its changes alone. False also when it cannot be read.
bool fileHoldsWrittenParts(PartialFile& file, std::uint64_t oldSize, const FileRanges& ranges,
                           const FileReshape* reshape);

}  // namespace tarn
