// SPDX-License-Identifier: GPL-3.0-or-later
// A large file read at chosen positions: the parts a reader asks for are read when first needed
// (or together, ahead, through prefetch) and kept, so that the rest of the file never passes
// through memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "common/byte_source.h"

namespace tarn {

// A part of a file: length bytes from offset.
struct FilePart {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

class PartialFile : public ByteSource {
public:
    // Opens the file; raises FileError ("Cannot open file ...") naming it and the reason.
    explicit PartialFile(const std::filesystem::path& path);
    ~PartialFile() override;
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    std::uint64_t size() const override { return size_; }

    // Reads the parts (clipped to the file) now, parts lying close together in one read.
    // Raises FileError.
    void prefetch(std::vector<FilePart> parts);

    // Raises FileError when the file cannot be read.
    std::span<const std::uint8_t> from(std::uint64_t pos) override;

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
