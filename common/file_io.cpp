// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_io.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "common/errors.h"
#include "common/folder_handle.h"
#include "common/partial_file.h"
#include "common/temporary_files.h"
#include "common/utf8_path.h"
#include "platform/file_writing.h"

namespace tarn {

WriteFault platform::g_fault;

void setWriteFaultForTesting(WriteFault fault) {
    platform::g_fault = fault;
}

void writeFileAtomically(const fs::path& path, const Bytes& data,
                         std::optional<fs::perms> newFileMode) {
    WriteOptions options;
    options.newFileMode = newFileMode;
    writeFileAtomically(path, data, options);
}

void writeFileAtomically(const fs::path& path, const Bytes& data, const WriteOptions& options) {
    streamFileAtomically(
        path,
        [&data](const ByteWriter& write) {
            write(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
        },
        options);
}

Bytes readWholeFile(const fs::path& path) {
    Bytes data;
    data.resize(readWholeFile(path, data));
    return data;
}

void applyFileRanges(Bytes& bytes, const FileRanges& ranges) {
    for (const FileRange& range : ranges) {
        const auto end = range.offset + range.data.size();
        if (end > bytes.size()) {
            bytes.resize(static_cast<std::size_t>(end), 0);
        }
        std::copy(range.data.begin(), range.data.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(range.offset));
    }
}

void applyFileReshape(Bytes& bytes, const FileReshape& reshape) {
    std::vector<Bytes> moved;
    for (const FileMove& move : reshape.moves) {
        if (move.from > bytes.size() || move.length > bytes.size() - move.from) {
            throw std::invalid_argument("a block moved from past the end of the file");
        }
        const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(move.from);
        moved.emplace_back(from, from + static_cast<std::ptrdiff_t>(move.length));
    }
    bytes.resize(static_cast<std::size_t>(reshape.size), 0);
    for (std::size_t i = 0; i < moved.size(); ++i) {
        applyFileRanges(bytes, {{reshape.moves[i].to, std::move(moved[i])}});
    }
}

namespace {

void refuseReadOnly(bool readOnly, const fs::path& path) {
    if (readOnly) {
        throw FileError("Cannot write file \"" + pathToUtf8(path) + "\". The file is read-only.",
                        "The file is read-only.");
    }
}

}  // namespace

void refuseReadOnlyFile(const fs::path& path) {
    refuseReadOnly(isReadOnlyFile(path), path);
}

void refuseReadOnlyFile(const FolderHandle& folder, const std::string& name) {
    refuseReadOnly(folder.isReadOnlyFile(name), folder.pathOf(name));
}

RangeCopy platform::rewriteWhole(const fs::path& path, const FileRanges& ranges,
                                 const std::optional<FileReshape>& reshape,
                                 const WriteOptions& options) {
    Bytes data =
        options.folder != nullptr ? options.folder->read(pathToUtf8(path)) : readWholeFile(path);
    if (reshape) {
        applyFileReshape(data, *reshape);
    }
    applyFileRanges(data, ranges);
    writeFileAtomically(path, data, options);
    return RangeCopy::WholeFile;
}

namespace {

// Whether the open file holds what produce hands over, read a piece at a time.
bool holdsPieces(PartialFile& file, const std::function<void(const ByteWriter& write)>& produce) {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    Bytes read(kPiece);
    std::uint64_t offset = 0;
    std::size_t held = 0;  // bytes of read not yet compared start at used
    std::size_t used = 0;
    bool same = true;
    produce([&](std::string_view piece) {
        while (same && !piece.empty()) {
            if (used == held) {
                held = file.readInto(offset, read.data(), read.size());
                offset += held;
                used = 0;
                if (held == 0) {
                    same = false;  // the file ends early
                    return;
                }
            }
            const std::size_t n = std::min(piece.size(), held - used);
            same = std::memcmp(read.data() + used, piece.data(), n) == 0;
            used += n;
            piece.remove_prefix(n);
        }
    });
    std::uint8_t more = 0;
    return same && used == held && file.readInto(offset, &more, 1) == 0;
}

}  // namespace

bool fileHoldsBytes(const fs::path& path, const Bytes& bytes) {
    return fileHoldsPieces(path, [&bytes](const ByteWriter& write) {
        write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    });
}

bool fileHoldsPieces(const fs::path& path,
                     const std::function<void(const ByteWriter& write)>& produce) {
    try {
        PartialFile file(path);
        return holdsPieces(file, produce);
    } catch (const FileError&) {
        return false;
    }
}

bool fileHoldsPieces(const FolderHandle& folder, const std::string& name,
                     const std::function<void(const ByteWriter& write)>& produce) {
    try {
        PartialFile file(folder, name);
        return holdsPieces(file, produce);
    } catch (const FileError&) {
        return false;
    }
}

bool fileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool copyFileNoOverwrite(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(to, ec)) {
        return false;
    }
    return fs::copy_file(from, to, fs::copy_options::none, ec) && !ec;
}

}  // namespace tarn
