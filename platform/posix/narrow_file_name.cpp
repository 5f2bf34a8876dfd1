// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/narrow_file_name.h"

#include "common/utf8_path.h"

namespace tarn::platform {

std::optional<std::string> narrowFileName(const std::filesystem::path& path) {
    return pathToUtf8(path);
}

}  // namespace tarn::platform
