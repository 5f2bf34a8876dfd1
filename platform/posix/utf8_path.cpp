// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/utf8_path.h"

namespace tarn {

namespace fs = std::filesystem;

fs::path pathFromUtf8(std::string_view utf8) {
    return fs::path(std::string(utf8));
}

std::string pathToUtf8(const fs::path& path) {
    return path.native();
}

}  // namespace tarn
