// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/whole_file_batch.h"

#include <algorithm>

#include "common/file_io.h"

namespace tarn {

bool WholeFileBatch::usesRing() const {
    return ring_ != nullptr;
}

void WholeFileBatch::readOne(const std::filesystem::path& path, File& file) {
    file.error = nullptr;
    file.size = 0;
    try {
        file.size = readWholeFile(path, file.buffer, file.identity);
    } catch (...) {
        file.identity = FileIdentity{};
        file.error = std::current_exception();
    }
}

}  // namespace tarn
