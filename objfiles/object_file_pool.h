// SPDX-License-Identifier: GPL-3.0-or-later
// Loading many object files at once on every core, the results handed over in the files' order.
#pragma once

#include <cstddef>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "common/file_identity.h"
#include "objfiles/object_text_model.h"

namespace tarn {

// One file's outcome: the loaded file, or the exception loading it raised.
struct LoadedObjectFile {
    std::optional<ObjectFile> file;
    FileIdentity identity;  // of the file as it was read
    std::exception_ptr error;
};

// Loads the files on a pool of threads, as many as the machine has cores, the calling thread one
// of them, and hands each outcome to take on the calling thread, in the order of paths: take(i,
// outcome) as soon as file i and every file before it are loaded. When take raises, the files not
// yet begun are left alone and the exception reaches the caller once the threads have stopped.
void loadObjectFilesInOrder(const std::vector<std::filesystem::path>& paths,
                            const std::function<void(std::size_t, LoadedObjectFile&)>& take);

}  // namespace tarn
