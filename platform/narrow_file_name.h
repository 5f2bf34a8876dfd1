// SPDX-License-Identifier: GPL-3.0-or-later
// A file's name for libraries that open files by narrow names through the C library.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarn::platform {

// The name the C library's narrow file functions open the file by: UTF-8 on POSIX systems; on
// Windows the name in the ANSI code page, or its short (8.3) form where the page cannot hold the
// name; nothing where neither exists.
std::optional<std::string> narrowFileName(const std::filesystem::path& path);

}  // namespace tarn::platform
