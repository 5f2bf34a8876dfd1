// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_io.h"

#include "platform/file_writing.h"
#include "platform/system_headers.h"
#include "platform/windows/error_text.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "common/errors.h"
#include "common/folder_handle.h"
#include "common/partial_file.h"
#include "common/temporary_files.h"
#include "common/utf8_path.h"

namespace tarn {

using platform::g_fault;
using platform::rewriteWhole;

// Windows: the file functions of the system itself, so that the errors carry its own texts and
// a replacement is one system call. Text here is UTF-8, as everywhere in the program: the
// system's message is read in UTF-16 and converted, like the paths.
std::string windowsErrorText(unsigned long err) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, err, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = n > 0 && buffer != nullptr ? pathToUtf8(fs::path(std::wstring(buffer, n)))
                                                  : "System error " + std::to_string(err);
    if (buffer != nullptr) {
        ::LocalFree(buffer);
    }
    // The system's texts end in a full stop and a line end.
    while (!text.empty() &&
           (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

namespace {

[[noreturn]] void fail(const std::string& what, const fs::path& path, DWORD err) {
    const std::string reason = windowsErrorText(err);
    throw FileError(what + " \"" + pathToUtf8(path) + "\". " + reason, reason);
}

// Closes a handle when the scope ends.
struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
    }
};

// Puts the written temporary file in the place of path in one step. An existing file is
// replaced with ReplaceFileW, which gives the new contents the old file's attributes, access
// list and creation time, as a save must not change who may read the file; a new file is
// moved into place, written through to the disk. The system's error stays in GetLastError.
// ReplaceFileW is given full paths: some implementations move the old file aside into the
// folder part of the name, which a bare file name in the working folder does not have.
bool replaceWithTemporary(const fs::path& path, const fs::path& temporary) {
    std::error_code error;
    const fs::path target = fs::absolute(path, error);
    if (error) {
        ::SetLastError(static_cast<DWORD>(error.value()));
        return false;
    }
    if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                       nullptr, nullptr)) {
        return true;
    }
    if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;  // the old file is still whole: nothing was moved
    }
    return ::MoveFileExW(temporary.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// The largest piece handed to one ReadFile or WriteFile call.
constexpr std::size_t kChunk = 1u << 30;

}  // namespace

std::size_t readWholeFile(const fs::path& path, Bytes& buffer) {
    Handle f{::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (f.h == INVALID_HANDLE_VALUE) {
        fail("Cannot open file", path, ::GetLastError());
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(f.h, &size)) {
        fail("Cannot read file", path, ::GetLastError());
    }
    const auto length = static_cast<std::size_t>(size.QuadPart);
    if (buffer.size() < length) {
        buffer.resize(length);
    }
    std::size_t done = 0;
    while (done < length) {
        DWORD n = 0;
        const auto want = static_cast<DWORD>(std::min(kChunk, length - done));
        if (!::ReadFile(f.h, buffer.data() + done, want, &n, nullptr)) {
            fail("Cannot read file", path, ::GetLastError());
        }
        if (n == 0) {
            break;  // the file shrank while it was read
        }
        done += n;
    }
    return done;
}

namespace {

// The temporary file that replaces a file: beside it (so that the replacement stays on one
// volume), named by the shared temporary-file rule, and removed again unless it took the file's
// place.
class ReplacementFile {
public:
    // An empty new file, or with copyOld a copy of the existing file made by the system
    // (CopyFileExW: the bytes never pass through this process, and where the volume shares
    // blocks the system clones them).
    ReplacementFile(const fs::path& path, const WriteFault& fault, bool copyOld)
        : path_(path), fault_(fault) {
        const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
        if (copyOld) {
            const DWORD attributes = ::GetFileAttributesW(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) {
                fail("Cannot open file", path, ::GetLastError());
            }
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                fail("Cannot open file", path, ERROR_ACCESS_DENIED);
            }
        }
        if (fault.step == WriteFault::Step::CreateTemporary) {
            fail("Cannot create file", path, ERROR_ACCESS_DENIED);
        }
        removeAbandonedTemporaries(folder);
        const unsigned long long seed =
            ::GetTickCount64() * 2654435761ull ^ ::GetCurrentProcessId();
        for (unsigned attempt = 0; file_.h == INVALID_HANDLE_VALUE; ++attempt) {
            std::string unique;
            for (unsigned long long n = seed + attempt * 7919u; unique.size() < 6; n /= 36) {
                unique += "0123456789abcdefghijklmnopqrstuvwxyz"[n % 36];
            }
            temporary_ = folder / pathFromUtf8(temporaryNameFor(pathToUtf8(path.filename()),
                                                                ::GetCurrentProcessId(), unique));
            DWORD err = ERROR_SUCCESS;
            if (copyOld) {
                if (fault.step == WriteFault::Step::CopyOld) {
                    fail("Cannot read file", path, ERROR_READ_FAULT);
                }
                BOOL cancel = FALSE;
                if (!::CopyFileExW(path.c_str(), temporary_.c_str(), nullptr, nullptr, &cancel,
                                   COPY_FILE_FAIL_IF_EXISTS)) {
                    err = ::GetLastError();
                    if (err != ERROR_FILE_EXISTS) {
                        ::DeleteFileW(temporary_.c_str());  // a copy that failed part way
                        fail("Cannot read file", path, err);
                    }
                } else {
                    file_.h = ::CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                    if (file_.h == INVALID_HANDLE_VALUE) {
                        err = ::GetLastError();
                        ::DeleteFileW(temporary_.c_str());
                        fail("Cannot write file", path, err);
                    }
                }
            } else {
                file_.h = ::CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
                err = ::GetLastError();
            }
            if (file_.h == INVALID_HANDLE_VALUE && (err != ERROR_FILE_EXISTS || attempt == 100)) {
                fail("Cannot create file", path, err);
            }
        }
        if (fault.step == WriteFault::Step::WriteData) {
            budget_ = fault.bytesBeforeFailure;
        }
    }
    ~ReplacementFile() { discard(); }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Writes the bytes at offset, past the end too (the gap reads as zeros); a disk that fills
    // up is reported as such.
    void writeAt(const std::uint8_t* data, std::size_t size, std::uint64_t offset) {
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(file_.h, position, nullptr, FILE_BEGIN)) {
            abandon("Cannot write file", ::GetLastError());
        }
        const std::size_t limit = std::min(size, budget_);
        std::size_t done = 0;
        while (done < limit) {
            DWORD n = 0;
            const auto want = static_cast<DWORD>(std::min(kChunk, limit - done));
            if (!::WriteFile(file_.h, data + done, want, &n, nullptr)) {
                abandon("Cannot write file", ::GetLastError());
            }
            done += n;
        }
        budget_ -= limit;
        if (done < size) {
            abandon("Cannot write file", ERROR_DISK_FULL);
        }
    }

    // Cuts the file at size, or lengthens it with zeros.
    void setSize(std::uint64_t size) {
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(size);
        if (!::SetFilePointerEx(file_.h, position, nullptr, FILE_BEGIN) ||
            !::SetEndOfFile(file_.h)) {
            abandon("Cannot write file", ::GetLastError());
        }
    }

    // Copies a block of the old file to its new place, through a buffer.
    void copyBlock(const FileMove& move) {
        Handle old{::CreateFileW(path_.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (old.h == INVALID_HANDLE_VALUE) {
            abandon("Cannot read file", ::GetLastError());
        }
        Bytes buffer(static_cast<std::size_t>(std::min<std::uint64_t>(move.length, 1u << 20)));
        for (std::uint64_t done = 0; done < move.length;) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(move.from + done);
            at.OffsetHigh = static_cast<DWORD>((move.from + done) >> 32);
            const auto want =
                static_cast<DWORD>(std::min<std::uint64_t>(buffer.size(), move.length - done));
            DWORD n = 0;
            if (!::ReadFile(old.h, buffer.data(), want, &n, &at)) {
                abandon("Cannot read file", ::GetLastError());
            }
            if (n == 0) {
                abandon("Cannot read file", ERROR_HANDLE_EOF);  // the old file shrank meanwhile
            }
            writeAt(buffer.data(), n, move.to + done);
            done += n;
        }
    }

    // Flushes the file and puts it in the place of the old one; with expected, only while the
    // old one is still that file (refuseChangedFile).
    void replaceTarget(const std::optional<FileIdentity>& expected = std::nullopt,
                       const std::function<void()>& beforeRename = {}) {
        // The new file takes the old one's creation time and attributes (hidden, system,
        // archive, not indexed) itself: ReplaceFileW keeps them on Windows, but not every
        // implementation of it does.
        if (fault_.step == WriteFault::Step::CopyAttributes) {
            abandon("Cannot write file", ERROR_ACCESS_DENIED);
        }
        WIN32_FILE_ATTRIBUTE_DATA old{};
        const bool replacing =
            ::GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &old) != 0;
        if (replacing && !::SetFileTime(file_.h, &old.ftCreationTime, nullptr, nullptr)) {
            abandon("Cannot write file", ::GetLastError());
        }
        if (fault_.step == WriteFault::Step::Flush) {
            abandon("Cannot write file", ERROR_WRITE_FAULT);
        }
        if (!::FlushFileBuffers(file_.h)) {
            abandon("Cannot write file", ::GetLastError());
        }
        if (beforeRename) {
            try {
                beforeRename();
            } catch (...) {
                discard();
                throw;
            }
        }
        const BOOL closed = ::CloseHandle(file_.h);
        file_.h = INVALID_HANDLE_VALUE;
        if (!closed) {
            abandon("Cannot write file", ::GetLastError());
        }
        constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                          FILE_ATTRIBUTE_ARCHIVE |
                                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (replacing && (old.dwFileAttributes & kKeptAttributes) != 0 &&
            !::SetFileAttributesW(temporary_.c_str(), old.dwFileAttributes & kKeptAttributes)) {
            abandon("Cannot write file", ::GetLastError());
        }
        if (fault_.step == WriteFault::Step::Rename) {
            abandon("Cannot replace file", ERROR_ACCESS_DENIED);
        }
        if (expected) {
            try {
                refuseChangedFile(path_, *expected, path_);
            } catch (...) {
                discard();
                throw;
            }
        }
        if (!replaceWithTemporary(path_, temporary_)) {
            abandon("Cannot replace file", ::GetLastError());
        }
        temporary_.clear();
    }

private:
    [[noreturn]] void abandon(const std::string& what, DWORD err) {
        discard();
        fail(what, path_, err);
    }
    void discard() {
        if (file_.h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file_.h);
            file_.h = INVALID_HANDLE_VALUE;
        }
        if (!temporary_.empty()) {
            ::DeleteFileW(temporary_.c_str());
            temporary_.clear();
        }
    }

    fs::path path_;
    fs::path temporary_;  // while it is still ours to remove
    Handle file_;
    WriteFault fault_;
    std::size_t budget_ = static_cast<std::size_t>(-1);  // bytes the disk still takes
};

// No openat here: the name is joined under the held folder, which cannot be swapped, after a
// link there is refused; the options then write by that path without following links.
fs::path joinedUnderFolder(const fs::path& name, WriteOptions& options) {
    const FolderHandle& folder = *options.folder;
    const fs::path target = folder.pathOf(pathToUtf8(name));
    if (folder.kind(pathToUtf8(name)) == FolderHandle::Kind::Link) {
        throw LinkError("Cannot write file", target);
    }
    options.folder = nullptr;
    options.followLinks = false;
    return target;
}

}  // namespace

void refuseLinkedTarget(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        throw FileError("Cannot write file \"" + pathToUtf8(path) +
                            "\". It is a link; nothing is written through a link.",
                        "It is a link");
    }
}

void streamFileAtomically(const fs::path& path,
                          const std::function<void(const ByteWriter& write)>& produce,
                          const WriteOptions& options) {
    if (options.folder != nullptr) {
        WriteOptions joined = options;
        const fs::path target = joinedUnderFolder(path, joined);
        streamFileAtomically(target, produce, joined);
        return;
    }
    if (!options.followLinks) {
        refuseLinkedTarget(path);
    }
    refuseReadOnlyFile(path);
    ReplacementFile temporary(path, g_fault, false);
    std::uint64_t offset = 0;
    produce([&](std::string_view piece) {
        temporary.writeAt(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size(),
                          offset);
        offset += piece.size();
    });
    temporary.replaceTarget(options.expected, options.beforeReplace);
}

RangeCopy writeFileRangesAtomically(const fs::path& path, const FileRanges& ranges,
                                    const std::optional<FileReshape>& reshape,
                                    const WriteOptions& options) {
    if (options.folder != nullptr) {
        WriteOptions joined = options;
        const fs::path target = joinedUnderFolder(path, joined);
        return writeFileRangesAtomically(target, ranges, reshape, joined);
    }
    if (!options.followLinks) {
        refuseLinkedTarget(path);
    }
    refuseReadOnlyFile(path);
    const WriteFault fault = g_fault;
    if (!fault.noKernelCopy) {
        ReplacementFile temporary(path, fault, true);
        if (reshape) {
            temporary.setSize(reshape->size);
            for (const FileMove& move : reshape->moves) {
                temporary.copyBlock(move);
            }
        }
        for (const FileRange& range : ranges) {
            temporary.writeAt(range.data.data(), range.data.size(), range.offset);
        }
        temporary.replaceTarget(options.expected, options.beforeReplace);
        return RangeCopy::KernelCopy;
    }
    if (fault.step == WriteFault::Step::CopyOld) {
        fail("Cannot read file", path, ERROR_READ_FAULT);
    }
    return rewriteWhole(path, ranges, reshape, options);
}

bool directoryExists(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isReadOnlyFile(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::uintmax_t fileSizeOf(const fs::path& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) {
        throw FileError("Cannot open file \"" + pathToUtf8(path) + "\". " + ec.message(),
                        ec.message());
    }
    return size;
}

}  // namespace tarn
