// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_io.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#endif

#include <cerrno>
#include <cstring>

#include "common/replacement_file.h"
#endif

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

namespace {

WriteFault g_fault;

// The range writer's way without a kernel copy: the file read whole, changed and written whole.
RangeCopy rewriteWhole(const fs::path& path, const FileRanges& ranges,
                       const std::optional<FileReshape>& reshape, const WriteOptions& options);

}  // namespace

void setWriteFaultForTesting(WriteFault fault) {
    g_fault = fault;
}

#ifdef _WIN32

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

#else

namespace {

[[noreturn]] void fail(const std::string& what, const fs::path& path, int err) {
    raiseFileError(what, path, err);
}

}  // namespace

std::size_t readWholeFile(const fs::path& path, Bytes& buffer) {
    struct stat st {};
    return readWholeFile(path, buffer, st);
}

std::size_t readWholeFile(const fs::path& path, Bytes& buffer, struct stat& st) {
    Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) {
        fail("Cannot open file", path, errno);
    }
    if (::fstat(f.fd, &st) != 0) {
        fail("Cannot read file", path, errno);
    }
    if (S_ISDIR(st.st_mode)) {
        fail("Cannot open file", path, EISDIR);
    }
    const auto length = static_cast<std::size_t>(st.st_size);
    if (buffer.size() < length) {
        buffer.resize(length);
    }
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::read(f.fd, buffer.data() + done, length - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("Cannot read file", path, errno);
        }
        if (n == 0) {
            break;  // the file shrank while it was read
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

namespace {

// Copies size bytes of from into the empty temporary file inside the kernel: a reflink clone
// where the file system shares blocks, else copy_file_range (which may copy less than asked).
// Answers nullopt, having copied nothing, when the file system offers neither.
std::optional<RangeCopy> copyInKernel(int from, ReplacementFile& to, std::uint64_t size,
                                      const fs::path& path, const WriteFault& fault) {
    if (fault.step == WriteFault::Step::CopyOld) {
        fail("Cannot write file", path, EIO);
    }
#ifdef __linux__
    if (!fault.noClone && ::ioctl(to.fd(), FICLONE, from) == 0) {
        return RangeCopy::Clone;
    }
    if (fault.noKernelCopy) {
        return std::nullopt;
    }
    std::uint64_t done = 0;
    while (done < size) {
        auto in = static_cast<loff_t>(done);
        auto out = static_cast<loff_t>(done);
        const ssize_t n = ::copy_file_range(from, &in, to.fd(), &out, size - done, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        const bool unsupported =
            n < 0 && (errno == ENOSYS || errno == EXDEV || errno == EOPNOTSUPP || errno == EINVAL);
        if (done == 0 && (n == 0 || unsupported)) {
            return std::nullopt;  // some file systems answer 0 instead of an error
        }
        if (n < 0) {
            fail("Cannot write file", path, errno);
        }
        if (n == 0) {
            fail("Cannot read file", path, EIO);  // the old file shrank during the copy
        }
        done += static_cast<std::uint64_t>(n);
    }
    return RangeCopy::KernelCopy;
#else
    (void)from;
    (void)to;
    (void)size;
    return std::nullopt;
#endif
}

// Copies a block of the old file to its new place in the temporary file: inside the kernel
// where the file system offers it, else through a buffer.
void copyBlock(int from, ReplacementFile& to, const FileMove& move, const fs::path& path,
               const WriteFault& fault) {
    std::uint64_t done = 0;
#ifdef __linux__
    while (!fault.noKernelCopy && done < move.length) {
        auto in = static_cast<loff_t>(move.from + done);
        auto out = static_cast<loff_t>(move.to + done);
        const ssize_t n = ::copy_file_range(from, &in, to.fd(), &out, move.length - done, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0 && done == 0) {
            break;  // not offered here: the buffer does it
        }
        if (n < 0) {
            fail("Cannot write file", path, errno);
        }
        if (n == 0) {
            fail("Cannot read file", path, EIO);  // the old file shrank meanwhile
        }
        done += static_cast<std::uint64_t>(n);
    }
#else
    (void)fault;
#endif
    Bytes buffer(static_cast<std::size_t>(std::min<std::uint64_t>(move.length - done, 1u << 20)));
    while (done < move.length) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), move.length - done));
        const ssize_t n = ::pread(from, buffer.data(), want, static_cast<off_t>(move.from + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            fail("Cannot read file", path, n < 0 ? errno : EIO);
        }
        to.writeAt(buffer.data(), static_cast<std::size_t>(n), move.to + done);
        done += static_cast<std::uint64_t>(n);
    }
}

// The fault of the write about to start: a signal waiting for later writes is not raised here.
WriteFault faultOfNextWrite() {
    WriteFault fault = g_fault;
    if (g_fault.signalBeforeRename != 0 && g_fault.writesBeforeSignal > 0) {
        --g_fault.writesBeforeSignal;
        fault.signalBeforeRename = 0;
    }
    return fault;
}

}  // namespace

void refuseLinkedTarget(const fs::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        raiseFileError("Cannot write file", path,
                       "It is a link; nothing is written through a link.");
    }
}

void streamFileAtomically(const fs::path& path,
                          const std::function<void(const ByteWriter& write)>& produce,
                          const WriteOptions& options) {
    const std::optional<fs::perms>& newFileMode = options.newFileMode;
    const FolderHandle* folder = options.folder;
    const fs::path shown = folder != nullptr ? folder->pathOf(pathToUtf8(path)) : path;
    const int folderFd = folder != nullptr ? static_cast<int>(folder->native()) : AT_FDCWD;
    if (folder != nullptr) {
        refuseReadOnlyFile(*folder, pathToUtf8(path));
    } else {
        if (!options.followLinks) {
            refuseLinkedTarget(path);
        }
        refuseReadOnlyFile(path);
    }
    const WriteFault fault = faultOfNextWrite();
    // Without following links the rename replaces the name itself, never a link's target.
    const fs::path real = options.followLinks && folder == nullptr ? resolveLinks(path) : path;
    struct stat old {};
    const bool exists =
        ::fstatat(folderFd, real.c_str(), &old, folder != nullptr ? AT_SYMLINK_NOFOLLOW : 0) == 0;
    if (exists && S_ISLNK(old.st_mode)) {
        throw LinkError("Cannot write file", shown);
    }
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        const auto wanted = newFileMode ? static_cast<mode_t>(*newFileMode) : mode_t{0666};
        mode = wanted & ~mask;
    }
    ReplacementFile temporary(real, shown, exists ? &old : nullptr, mode, fault, folderFd);
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
    const FolderHandle* folder = options.folder;
    const fs::path shown = folder != nullptr ? folder->pathOf(pathToUtf8(path)) : path;
    if (folder != nullptr) {
        refuseReadOnlyFile(*folder, pathToUtf8(path));
    } else {
        if (!options.followLinks) {
            refuseLinkedTarget(path);
        }
        refuseReadOnlyFile(path);
    }
    const WriteFault fault = faultOfNextWrite();
    const fs::path real = options.followLinks && folder == nullptr ? resolveLinks(path) : path;
    {
        std::uint64_t size = 0;
        Fd old{folder != nullptr
                   ? static_cast<int>(folder->openFile(pathToUtf8(path), size))
                   : ::open(real.c_str(),
                            O_RDONLY | O_CLOEXEC | (options.followLinks ? 0 : O_NOFOLLOW))};
        if (old.fd < 0) {
            if (errno == ELOOP) {
                throw LinkError("Cannot write file", shown);
            }
            fail("Cannot open file", shown, errno);
        }
        struct stat st {};
        if (::fstat(old.fd, &st) != 0) {
            fail("Cannot read file", shown, errno);
        }
        if (!S_ISREG(st.st_mode)) {
            fail("Cannot open file", shown, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        }
        const int folderFd = folder != nullptr ? static_cast<int>(folder->native()) : AT_FDCWD;
        ReplacementFile temporary(real, shown, &st, st.st_mode & 07777, fault, folderFd);
        const auto oldSize = static_cast<std::uint64_t>(st.st_size);
        const std::uint64_t kept = reshape ? std::min(oldSize, reshape->size) : oldSize;
        const auto copied = copyInKernel(old.fd, temporary, kept, path, fault);
        if (copied) {
            if (reshape) {
                // A clone takes the whole old file; the size is set after it either way.
                temporary.setSize(reshape->size);
                for (const FileMove& move : reshape->moves) {
                    copyBlock(old.fd, temporary, move, path, fault);
                }
            }
            for (const FileRange& range : ranges) {
                temporary.writeAt(range.data.data(), range.data.size(), range.offset);
            }
            temporary.replaceTarget(options.expected, options.beforeReplace);
            return *copied;
        }
    }
    // The temporary file is gone; the whole-file path needs no kernel copy.
    return rewriteWhole(path, ranges, reshape, options);
}

bool directoryExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool isReadOnlyFile(const fs::path& path) {
    // The read-only attribute: nobody may write the file. Checked on the mode bits rather than
    // with access(), which grants everything to root.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return true;
    }
    // A rename would replace a file the user may not write, and hand it to that user.
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 &&
           (errno == EACCES || errno == EPERM || errno == EROFS);
}

std::uintmax_t fileSizeOf(const fs::path& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) {
        fail("Cannot open file", path, ec.value());
    }
    return size;
}

#endif

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

namespace {

RangeCopy rewriteWhole(const fs::path& path, const FileRanges& ranges,
                       const std::optional<FileReshape>& reshape, const WriteOptions& options) {
    Bytes data =
        options.folder != nullptr ? options.folder->read(pathToUtf8(path)) : readWholeFile(path);
    if (reshape) {
        applyFileReshape(data, *reshape);
    }
    applyFileRanges(data, ranges);
    writeFileAtomically(path, data, options);
    return RangeCopy::WholeFile;
}

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
