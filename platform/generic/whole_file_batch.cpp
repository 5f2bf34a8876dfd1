// SPDX-License-Identifier: GPL-3.0-or-later
// A batch read one file after another, where the system offers no ring.
#include "common/whole_file_batch.h"

#include <algorithm>

namespace tarn {

struct WholeFileBatch::Ring {};

WholeFileBatch::WholeFileBatch(Mode) {}

void WholeFileBatch::read(std::span<const std::filesystem::path> paths) {
    const std::size_t count = std::min(paths.size(), kMaxFiles);
    for (std::size_t i = 0; i < count; ++i) {
        readOne(paths[i], files_[i]);
    }
}

// Here, where the ring is a complete type.
WholeFileBatch::~WholeFileBatch() = default;

}  // namespace tarn
