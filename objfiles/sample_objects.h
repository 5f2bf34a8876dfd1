// SPDX-License-Identifier: GPL-3.0-or-later
// Synthetic object files for demos, tests and benchmarks: object-like data (runs of equal
// bytes, small numbers, zeros) around real text tables, in any encoding.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/bytes.h"
#include "objfiles/object_text_model.h"

namespace tarn {

// Bytes that look like the non-text parts of an object: mostly runs and small values.
Bytes makeObjectLikeBytes(std::size_t size, std::uint32_t seed);

// A whole object file of the given type (0 to 10) and encoding (0, 1 or 3) whose tables hold
// texts (one group per table of the type; missing groups are empty). tail extra object bytes
// follow the tables.
Bytes makeSampleObjectFile(unsigned type, std::uint8_t encoding, const ObjectFileTexts& texts,
                           const std::array<std::uint8_t, 8>& name, std::uint32_t seed,
                           std::size_t tail = 64);

}  // namespace tarn
