// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/partial_file.h"

#include <algorithm>
#include <string>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/utf8_path.h"
#include "platform/partial_file_reading.h"

namespace tarn {

using platform::closeFile;
using platform::openForReading;
using platform::readAt;

namespace {

// Parts closer together than this are read as one; a part asked for on demand is read this
// long, so that a reader walking on does not read byte by byte.
constexpr std::uint64_t kReadAhead = 64 * 1024;

}  // namespace

PartialFile::PartialFile(const std::filesystem::path& path) : path_(path) {
    handle_ = openForReading(path, size_);
}

PartialFile::PartialFile(const FolderHandle& folder, const std::string& name)
    : path_(folder.pathOf(name)) {
    handle_ = folder.openFile(name, size_);
}

PartialFile::~PartialFile() {
    closeFile(handle_);
}

void PartialFile::prefetch(std::vector<FilePart> parts) {
    std::erase_if(parts, [this](const FilePart& p) { return p.length == 0 || p.offset >= size_; });
    std::sort(parts.begin(), parts.end(),
              [](const FilePart& a, const FilePart& b) { return a.offset < b.offset; });
    for (std::size_t i = 0; i < parts.size();) {
        const std::uint64_t begin = parts[i].offset;
        std::uint64_t end = std::min(size_, begin + parts[i].length);
        for (++i; i < parts.size() && parts[i].offset <= end + kReadAhead; ++i) {
            end = std::max(end, std::min(size_, parts[i].offset + parts[i].length));
        }
        readPiece(begin, end - begin);
    }
}

std::size_t PartialFile::readInto(std::uint64_t offset, std::uint8_t* out, std::size_t length) {
    return readAt(handle_, out, length, offset, path_);
}

std::span<const std::uint8_t> PartialFile::from(std::uint64_t pos) {
    if (pos >= size_) {
        return {};
    }
    auto holds = [pos](const Piece& p) {
        return p.offset <= pos && pos - p.offset < p.bytes.size();
    };
    if (lastHit_ >= pieces_.size() || !holds(pieces_[lastHit_])) {
        const auto found = std::find_if(pieces_.begin(), pieces_.end(), holds);
        if (found != pieces_.end()) {
            lastHit_ = static_cast<std::size_t>(found - pieces_.begin());
        } else {
            if (readPiece(pos, std::min(kReadAhead, size_ - pos)).bytes.empty()) {
                pieces_.pop_back();
                return {};  // the file shrank since it was opened
            }
            lastHit_ = pieces_.size() - 1;
        }
    }
    const Piece& piece = pieces_[lastHit_];
    return std::span<const std::uint8_t>(piece.bytes)
        .subspan(static_cast<std::size_t>(pos - piece.offset));
}

const PartialFile::Piece& PartialFile::readPiece(std::uint64_t offset, std::uint64_t length) {
    Bytes bytes(static_cast<std::size_t>(length));
    bytes.resize(readAt(handle_, bytes.data(), bytes.size(), offset, path_));
    pieces_.push_back({offset, std::move(bytes)});
    return pieces_.back();
}

}  // namespace tarn
