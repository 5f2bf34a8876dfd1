// SPDX-License-Identifier: GPL-3.0-or-later
// The system's side of FolderHandle: the folder calls each system makes on a held folder (a
// descriptor or HANDLE held in an integer) and the one way its failures are raised.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tarn::platform {

// Raises FileError: what, the quoted path, and the reason.
[[noreturn]] void failWith(const std::string& what, const std::filesystem::path& path,
                           const std::string& reason);

// Makes the folder name (at path) inside folder; false when it was there already. Raises
// FileError when it cannot be made.
bool makeFolderAt(std::intptr_t folder, const std::filesystem::path& path, const std::string& name);

// Removes the empty folder name (at path) inside folder; raises FileError when it cannot.
void removeEmptyFolderAt(std::intptr_t folder, const std::filesystem::path& path,
                         const std::string& name);

}  // namespace tarn::platform
