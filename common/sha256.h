// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 of a byte string: the digest TarnPatch keeps of each file it wrote (as lower-case
// hex) and the one an end-user program carries of each original executable text it replaces.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/bytes.h"

namespace tarn {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest sha256(std::string_view data);

// How the digest is computed: the same result either way.
enum class Sha256Engine {
    Portable,
    ProcessorInstructions,  // the x86 SHA extensions; only where the processor has them
};
bool processorHasSha256Instructions();
Sha256Digest sha256(std::string_view data, Sha256Engine engine);
std::string sha256Hex(const Bytes& data);

}  // namespace tarn
