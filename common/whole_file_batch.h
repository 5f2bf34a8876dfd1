// SPDX-License-Identifier: GPL-3.0-or-later
// Reading many small files whole, each with its identity, at a small cost per file.
//
// Read one at a time, a file takes four system calls (open, stat, read, close), and on some
// machines, virtual ones above all, each call costs more than the work it asks for. On Linux the
// opens, reads and closes of a whole batch go through io_uring in one submission, which leaves
// one system call per file, its stat. Where the kernel offers no io_uring (too old, or forbidden
// by a sandbox), and on other systems, each file is read by readWholeFile.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <span>

#include "common/bytes.h"
#include "common/file_identity.h"

namespace tarn {

// One reader serves one thread; its buffers are reused from batch to batch and only grow.
class WholeFileBatch {
public:
    static constexpr std::size_t kMaxFiles = 32;

    enum class Mode {
        Fastest,   // io_uring where the system offers it, else one file at a time
        OneByOne,  // readWholeFile for each file
    };

    explicit WholeFileBatch(Mode mode = Mode::Fastest);
    ~WholeFileBatch();
    WholeFileBatch(const WholeFileBatch&) = delete;
    WholeFileBatch& operator=(const WholeFileBatch&) = delete;

    // A file of the last batch: its bytes and identity as readWholeFile(path, buffer, identity)
    // gives them, or the exception that call raises (a FileError naming the file).
    struct File {
        Bytes buffer;  // the bytes are its first size; longer when an earlier file was
        std::size_t size = 0;
        FileIdentity identity;
        std::exception_ptr error;

        std::span<const std::uint8_t> bytes() const { return {buffer.data(), size}; }
    };

    // Reads each of paths (at most kMaxFiles) whole; file(i) then describes paths[i]. The
    // metadata of each file is taken before its bytes, as readWholeFile's identity is.
    void read(std::span<const std::filesystem::path> paths);

    File& file(std::size_t i) { return files_[i]; }

    // Whether batches go through io_uring.
    bool usesRing() const;

private:
    struct Ring;

    void readOne(const std::filesystem::path& path, File& file);

    std::unique_ptr<Ring> ring_;  // none when reading one file at a time
    std::array<File, kMaxFiles> files_;
};

}  // namespace tarn
