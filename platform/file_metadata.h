// SPDX-License-Identifier: GPL-3.0-or-later
// The system calls behind FileIdentity: a file's device, index, size and modification time, by
// path or by an open handle, and a whole file read together with its identity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "common/bytes.h"
#include "common/file_identity.h"

namespace tarn::platform {

// The metadata of the file at path into identity; false when it does not exist.
bool statFile(const std::filesystem::path& path, FileIdentity& identity);

// The metadata of an open file (a descriptor or HANDLE held in an integer); false when the
// system does not tell it.
bool statOpenFile(std::intptr_t native, FileIdentity& identity);

// Reads the whole file into buffer (as readWholeFile) and sets identity from its metadata,
// taken before the bytes, and a hash of the bytes read. Answers the file's size.
std::size_t readWholeFileAndMetadata(const std::filesystem::path& path, Bytes& buffer,
                                     FileIdentity& identity);

}  // namespace tarn::platform
