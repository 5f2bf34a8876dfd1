// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_io.h"

#include "platform/file_writing.h"
#include "platform/posix/stat_reading.h"
#include "platform/system_headers.h"

#include <sys/ioctl.h>
#ifdef __linux__
#include <linux/fs.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "common/errors.h"
#include "common/folder_handle.h"
#include "common/partial_file.h"
#include "common/temporary_files.h"
#include "common/utf8_path.h"
#include "platform/posix/replacement_file.h"

namespace tarn {

using platform::g_fault;
using platform::rewriteWhole;

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

namespace {

// Refuses a target that may not be written (read-only, or a link where links are not
// followed) and answers the path the rename replaces: without following links the name
// itself, never a link's target.
fs::path refuseUnwritableTarget(const fs::path& path, const WriteOptions& options) {
    if (options.folder != nullptr) {
        refuseReadOnlyFile(*options.folder, pathToUtf8(path));
        return path;
    }
    if (!options.followLinks) {
        refuseLinkedTarget(path);
    }
    refuseReadOnlyFile(path);
    return options.followLinks ? resolveLinks(path) : path;
}

}  // namespace

void streamFileAtomically(const fs::path& path,
                          const std::function<void(const ByteWriter& write)>& produce,
                          const WriteOptions& options) {
    const std::optional<fs::perms>& newFileMode = options.newFileMode;
    const FolderHandle* folder = options.folder;
    const fs::path shown = folder != nullptr ? folder->pathOf(pathToUtf8(path)) : path;
    const int folderFd = folder != nullptr ? static_cast<int>(folder->native()) : AT_FDCWD;
    const fs::path real = refuseUnwritableTarget(path, options);
    const WriteFault fault = faultOfNextWrite();
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
    const fs::path real = refuseUnwritableTarget(path, options);
    const WriteFault fault = faultOfNextWrite();
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

}  // namespace tarn
