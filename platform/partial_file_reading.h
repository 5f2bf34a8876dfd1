// SPDX-License-Identifier: GPL-3.0-or-later
// The system calls behind PartialFile: open a file for reading at any offset, read a part of
// it, close it. A handle is the system's file descriptor or HANDLE held in an integer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace tarn::platform {

// Opens path for reading and tells its size; throws FileError when it cannot.
std::intptr_t openForReading(const std::filesystem::path& path, std::uint64_t& size);

void closeFile(std::intptr_t handle);

// Answers how many bytes were read, fewer than asked only at the end of the file. Throws
// FileError naming path when the read fails.
std::size_t readAt(std::intptr_t handle, std::uint8_t* out, std::size_t length,
                   std::uint64_t offset, const std::filesystem::path& path);

}  // namespace tarn::platform
