// SPDX-License-Identifier: GPL-3.0-or-later
// What the system writers of file_io share with its portable part: the fault a test planted,
// and the range writer's way without a kernel copy.
#pragma once

#include <filesystem>
#include <optional>

#include "common/file_io.h"

namespace tarn::platform {

// The fault setWriteFaultForTesting planted, read by the writers.
extern WriteFault g_fault;

// The range writer's way without a kernel copy: the file read whole, changed and written whole.
RangeCopy rewriteWhole(const std::filesystem::path& path, const FileRanges& ranges,
                       const std::optional<FileReshape>& reshape, const WriteOptions& options);

}  // namespace tarn::platform
