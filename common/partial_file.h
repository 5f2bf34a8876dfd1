// SPDX-License-Identifier: GPL-3.0-or-later
// A large file read at chosen positions: the parts a reader asks for are read when first needed
// (or together, ahead, through prefetch) and kept, so that the rest of the file never passes
// through memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_source.h"

namespace tarn {

class FolderHandle;

// A part of a file: length bytes from offset.
struct FilePart {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

class PartialFile : public ByteSource {
public:
    // Opens the file; raises FileError ("Cannot open file ...") naming it and the reason.
    explicit PartialFile(const std::filesystem::path& path);
    // The file name inside folder, not followed: LinkError for a link.
    PartialFile(const FolderHandle& folder, const std::string& name);
    ~PartialFile() override;
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    std::uint64_t size() const override { return size_; }
    // The path as it was opened (below its folder), for messages.
    const std::filesystem::path& path() const { return path_; }
    // The descriptor (POSIX) or HANDLE (Windows) of the open file.
    std::intptr_t native() const { return handle_; }

    // Reads the parts (clipped to the file) now, parts lying close together in one read.
    // Raises FileError.
    void prefetch(std::vector<FilePart> parts);

    // Raises FileError when the file cannot be read.
    std::span<const std::uint8_t> from(std::uint64_t pos) override;

    // Reads up to length bytes at offset into out, past what is kept: for reading a file
    // through once. Answers how many, fewer only at the end of the file. Raises FileError.
    std::size_t readInto(std::uint64_t offset, std::uint8_t* out, std::size_t length);

private:
    struct Piece {
        std::uint64_t offset;
        Bytes bytes;
    };
    const Piece& readPiece(std::uint64_t offset, std::uint64_t length);

    std::filesystem::path path_;
    std::intptr_t handle_ = -1;  // a descriptor, or a HANDLE on Windows
    std::uint64_t size_ = 0;
    std::vector<Piece> pieces_;
    std::size_t lastHit_ = 0;
};

}  // namespace tarn
