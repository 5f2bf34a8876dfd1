// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/partial_file.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include <algorithm>
#include <string>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

// Parts closer together than this are read as one; a part asked for on demand is read this
// long, so that a reader walking on does not read byte by byte.
constexpr std::uint64_t kReadAhead = 64 * 1024;

#ifdef _WIN32

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path, DWORD err) {
    throw FileError(what + " \"" + pathToUtf8(path) + "\". " + windowsErrorText(err));
}

HANDLE asHandle(std::intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

std::intptr_t openForReading(const std::filesystem::path& path, std::uint64_t& size) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fail("Cannot open file", path, ::GetLastError());
    }
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(h, &length)) {
        const DWORD err = ::GetLastError();
        ::CloseHandle(h);
        fail("Cannot read file", path, err);
    }
    size = static_cast<std::uint64_t>(length.QuadPart);
    return reinterpret_cast<std::intptr_t>(h);
}

void closeFile(std::intptr_t h) {
    ::CloseHandle(asHandle(h));
}

// Answers how many bytes were read, fewer than asked only at the end of the file.
std::size_t readAt(std::intptr_t h, std::uint8_t* out, std::size_t length, std::uint64_t offset,
                   const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        DWORD n = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(length - done, 1u << 30));
        if (!::ReadFile(asHandle(h), out + done, want, &n, &at)) {
            const DWORD err = ::GetLastError();
            if (err == ERROR_HANDLE_EOF) {
                break;
            }
            fail("Cannot read file", path, err);
        }
        if (n == 0) {
            break;
        }
        done += n;
    }
    return done;
}

#else

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path, int err) {
    throw FileError(what + " \"" + pathToUtf8(path) + "\". " + std::strerror(err));
}

std::intptr_t openForReading(const std::filesystem::path& path, std::uint64_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fail("Cannot open file", path, errno);
    }
    struct stat st {};
    const int err = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (err != 0) {
        ::close(fd);
        fail(err == EISDIR ? "Cannot open file" : "Cannot read file", path, err);
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

void closeFile(std::intptr_t fd) {
    ::close(static_cast<int>(fd));
}

// Answers how many bytes were read, fewer than asked only at the end of the file.
std::size_t readAt(std::intptr_t fd, std::uint8_t* out, std::size_t length, std::uint64_t offset,
                   const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(static_cast<int>(fd), out + done, length - done,
                                  static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("Cannot read file", path, errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

#endif

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
