// SPDX-License-Identifier: GPL-3.0-or-later
// Every file below a folder with its bytes, to show that a refused command changed nothing.
#pragma once

#include <filesystem>
#include <map>

#include "common/bytes.h"
#include "common/file_io.h"

namespace tarn {

inline std::map<std::filesystem::path, Bytes> snapshot(const std::filesystem::path& folder) {
    std::map<std::filesystem::path, Bytes> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        if (e.is_regular_file()) {
            files[e.path()] = readWholeFile(e.path());
        }
    }
    return files;
}

}  // namespace tarn
