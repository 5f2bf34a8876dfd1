// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX file code's calls that hand over the stat taken while a whole file is read: one
// look-up of the path serves both, and the metadata is that of the file whose bytes these are.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "common/bytes.h"
#include "common/file_identity.h"

namespace tarn {

// readWholeFile(path, buffer), also answering the metadata of the file opened, taken before
// its bytes are read.
std::size_t readWholeFile(const std::filesystem::path& path, Bytes& buffer, struct stat& metadata);

// The identity of a file read whole: its metadata as a stat taken before the read gave it, and
// a hash of the bytes read.
FileIdentity wholeFileIdentity(const struct stat& metadata, std::span<const std::uint8_t> bytes);

}  // namespace tarn
