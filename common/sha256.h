// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 of a byte string: the digest TarnPatch keeps of each file it wrote (as lower-case
// hex) and the one an end-user program carries of each original executable text it replaces.
#pragma once

#include <array>
#include <cstddef>
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
std::string hexOf(const Sha256Digest& digest);  // lower-case

// The digest of data handed over piece by piece, so that a file need not be in memory whole:
// the same as sha256 of the pieces joined. finish ends it.
class Sha256Hasher {
public:
    Sha256Hasher();  // the processor's instructions where there are any
    explicit Sha256Hasher(Sha256Engine engine);
    void add(std::string_view piece);
    Sha256Digest finish();

private:
    Sha256Engine engine_;
    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t held_ = 0;  // bytes of an unfinished block
    std::uint64_t length_ = 0;
};

}  // namespace tarn
