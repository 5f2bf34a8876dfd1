// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/folder_handle.h"

#include "platform/folder_calls.h"
#include "platform/system_headers.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>

#include "common/utf8_path.h"
#include "platform/posix/replacement_file.h"

namespace tarn {

using platform::failWith;

bool platform::makeFolderAt(std::intptr_t folder, const fs::path& path, const std::string& name) {
    const bool made = ::mkdirat(static_cast<int>(folder), name.c_str(), 0777) == 0;
    if (!made && errno != EEXIST) {
        failWith("Cannot create folder", path, std::strerror(errno));
    }
    return made;
}

void platform::removeEmptyFolderAt(std::intptr_t folder, const fs::path& path,
                                   const std::string& name) {
    if (::unlinkat(static_cast<int>(folder), name.c_str(), AT_REMOVEDIR) != 0) {
        failWith("Cannot remove folder", path, std::strerror(errno));
    }
}

FolderHandle::~FolderHandle() {
    if (native_ >= 0) {
        ::close(static_cast<int>(native_));
    }
}

FolderHandle FolderHandle::open(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        failWith("Cannot open folder", path, std::strerror(errno));
    }
    return FolderHandle(path, fd);
}

std::optional<FolderHandle> FolderHandle::folder(const std::string& name) const {
    const int fd = ::openat(static_cast<int>(native_), name.c_str(),
                            O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        return FolderHandle(pathOf(name), fd);
    }
    const int err = errno;
    if (err == ENOENT) {
        return std::nullopt;
    }
    // A link gives ELOOP, or ENOTDIR where the folder test comes first.
    if (err == ELOOP || (err == ENOTDIR && kind(name) == Kind::Link)) {
        throw LinkError("Cannot open folder", pathOf(name));
    }
    failWith("Cannot open folder", pathOf(name), std::strerror(err));
}

FolderHandle::Kind FolderHandle::kind(const std::string& name) const {
    struct stat st {};
    if (::fstatat(static_cast<int>(native_), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return Kind::Missing;
    }
    return S_ISLNK(st.st_mode)   ? Kind::Link
           : S_ISREG(st.st_mode) ? Kind::File
           : S_ISDIR(st.st_mode) ? Kind::Folder
                                 : Kind::Other;
}

std::vector<FolderHandle::Entry> FolderHandle::list() const {
    // fdopendir takes the descriptor over, and reads from its position: a fresh one.
    const int fd = ::openat(static_cast<int>(native_), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (dir == nullptr) {
        const int err = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        failWith("Cannot list folder", path_, std::strerror(err));
    }
    std::vector<Entry> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            const unsigned char t = entry->d_type;
            entries.push_back({name, t == DT_LNK   ? Kind::Link
                                     : t == DT_REG ? Kind::File
                                     : t == DT_DIR ? Kind::Folder
                                                   : kind(name)});
        }
        errno = 0;
    }
    const int err = errno;
    ::closedir(dir);
    if (err != 0) {
        failWith("Cannot list folder", path_, std::strerror(err));
    }
    return entries;
}

std::intptr_t FolderHandle::openFile(const std::string& name, std::uint64_t& size) const {
    const fs::path path = pathOf(name);
    // Not blocking: a pipe planted under the name must not hang the program.
    Fd f{::openat(static_cast<int>(native_), name.c_str(),
                  O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
    if (f.fd < 0) {
        if (errno == ELOOP) {
            throw LinkError("Cannot open file", path);
        }
        failWith("Cannot open file", path, std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) {
        failWith("Cannot read file", path, std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        failWith("Cannot open file", path, std::strerror(S_ISDIR(st.st_mode) ? EISDIR : EINVAL));
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return std::exchange(f.fd, -1);
}

Bytes FolderHandle::read(const std::string& name) const {
    const fs::path path = pathOf(name);
    std::uint64_t size = 0;
    Fd f{static_cast<int>(openFile(name, size))};
    Bytes data(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(f.fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            failWith("Cannot read file", path, std::strerror(errno));
        }
        if (n == 0) {
            break;  // the file shrank while it was read
        }
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    return data;
}

bool FolderHandle::isReadOnlyFile(const std::string& name) const {
    // Checked on the mode bits rather than with access(), which grants everything to root.
    struct stat st {};
    const int fd = static_cast<int>(native_);
    if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return true;
    }
    return ::faccessat(fd, name.c_str(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0 &&
           (errno == EACCES || errno == EPERM || errno == EROFS);
}

bool FolderHandle::isReadOnly() const {
    struct stat st {};
    return ::fstat(static_cast<int>(native_), &st) == 0 &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void FolderHandle::replace(const std::string& from, const std::string& to) const {
    const int fd = static_cast<int>(native_);
    if (::renameat(fd, from.c_str(), fd, to.c_str()) != 0) {
        failWith("Cannot replace file", pathOf(to), std::strerror(errno));
    }
}

bool FolderHandle::hardLink(const FolderHandle& source, const std::string& from,
                            const std::string& name) const {
    // Without AT_SYMLINK_FOLLOW a link is linked itself, never the file it names.
    return source.kind(from) == Kind::File &&
           ::linkat(static_cast<int>(source.native_), from.c_str(), static_cast<int>(native_),
                    name.c_str(), 0) == 0;
}

void FolderHandle::remove(const std::string& name) const {
    if (::unlinkat(static_cast<int>(native_), name.c_str(), 0) != 0 && errno != ENOENT) {
        failWith("Cannot remove file", pathOf(name), std::strerror(errno));
    }
}

void FolderHandle::flush() const {
    // Some file systems cannot flush a folder; their renames are as durable as they get.
    if (::fsync(static_cast<int>(native_)) != 0 && errno != EINVAL && errno != ENOTSUP) {
        failWith("Cannot write folder", path_, std::strerror(errno));
    }
}

}  // namespace tarn
