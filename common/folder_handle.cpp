// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/folder_handle.h"

#include <utility>

#include "common/utf8_path.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "common/file_io.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/replacement_file.h"
#endif

namespace tarn {

namespace {

const char* const kLinkReason = "It is a link; nothing is written through a link.";

std::string messageOf(const std::string& what, const fs::path& path, const std::string& reason) {
    return what + " \"" + pathToUtf8(path) + "\". " + reason;
}

[[noreturn]] void failWith(const std::string& what, const fs::path& path,
                           const std::string& reason) {
    throw FileError(messageOf(what, path, reason), reason);
}

}  // namespace

LinkError::LinkError(const std::string& what, fs::path path)
    : FileError(messageOf(what, path, kLinkReason), kLinkReason), path_(std::move(path)) {}

fs::path FolderHandle::pathOf(const std::string& name) const {
    return path_ / pathFromUtf8(name);
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : path_(std::move(other.path_)), native_(std::exchange(other.native_, -1)) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    std::swap(path_, other.path_);
    std::swap(native_, other.native_);
    return *this;
}

FolderHandle FolderHandle::makeFolder(const std::string& name, bool& made) const {
    made = false;
    if (auto found = folder(name)) {
        return std::move(*found);
    }
#ifdef _WIN32
    made = ::CreateDirectoryW(pathOf(name).c_str(), nullptr) != 0;
    if (!made && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        failWith("Cannot create folder", pathOf(name), windowsErrorText(::GetLastError()));
    }
#else
    made = ::mkdirat(static_cast<int>(native_), name.c_str(), 0777) == 0;
    if (!made && errno != EEXIST) {
        failWith("Cannot create folder", pathOf(name), std::strerror(errno));
    }
#endif
    if (auto found = folder(name)) {
        return std::move(*found);
    }
    failWith("Cannot create folder", pathOf(name), "It disappeared while it was made");
}

void FolderHandle::removeFolder(const std::string& name) const {
    {
        const std::optional<FolderHandle> inner = folder(name);
        if (!inner) {
            return;
        }
        for (const Entry& entry : inner->list()) {
            if (entry.kind == Kind::Folder) {
                inner->removeFolder(entry.name);
            } else {
                inner->remove(entry.name);
            }
        }
    }  // closed first: Windows removes no folder that is held open
#ifdef _WIN32
    if (!::RemoveDirectoryW(pathOf(name).c_str())) {
        failWith("Cannot remove folder", pathOf(name), windowsErrorText(::GetLastError()));
    }
#else
    if (::unlinkat(static_cast<int>(native_), name.c_str(), AT_REMOVEDIR) != 0) {
        failWith("Cannot remove folder", pathOf(name), std::strerror(errno));
    }
#endif
}

#ifdef _WIN32

namespace {

[[noreturn]] void fail(const std::string& what, const fs::path& path, DWORD err) {
    failWith(what, path, windowsErrorText(err));
}

// The attributes of what a handle opened, the reparse point itself where it is one.
DWORD attributesOf(HANDLE h) {
    FILE_ATTRIBUTE_TAG_INFO info{};
    return ::GetFileInformationByHandleEx(h, FileAttributeTagInfo, &info, sizeof info)
               ? info.FileAttributes
               : FILE_ATTRIBUTE_REPARSE_POINT;  // unknown: refused as a link would be
}

// Opens path itself, a reparse point included, with the folder flags so that folders open too.
HANDLE openItself(const fs::path& path, DWORD access, DWORD share) {
    return ::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Folders are held without delete sharing: nobody renames or removes them while held.
constexpr DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kFileShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Closer {
    HANDLE h;
    ~Closer() {
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
    }
};

}  // namespace

FolderHandle::~FolderHandle() {
    if (native_ != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(native_));
    }
}

FolderHandle FolderHandle::open(const fs::path& path) {
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                   kFolderShare, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fail("Cannot open folder", path, ::GetLastError());
    }
    return FolderHandle(path, reinterpret_cast<std::intptr_t>(h));
}

std::optional<FolderHandle> FolderHandle::folder(const std::string& name) const {
    const fs::path path = pathOf(name);
    const HANDLE h = openItself(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kFolderShare);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
        fail("Cannot open folder", path, err);
    }
    FolderHandle held(path, reinterpret_cast<std::intptr_t>(h));
    const DWORD attributes = attributesOf(h);
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        throw LinkError("Cannot open folder", path);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        fail("Cannot open folder", path, ERROR_DIRECTORY);
    }
    return held;
}

FolderHandle::Kind FolderHandle::kind(const std::string& name) const {
    const DWORD attributes = ::GetFileAttributesW(pathOf(name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Kind::Missing;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return Kind::Link;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::Folder : Kind::File;
}

std::vector<FolderHandle::Entry> FolderHandle::list() const {
    WIN32_FIND_DATAW found{};
    const HANDLE h = ::FindFirstFileW((path_ / L"*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) {
        fail("Cannot list folder", path_, ::GetLastError());
    }
    std::vector<Entry> entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const DWORD a = found.dwFileAttributes;
        entries.push_back({pathToUtf8(fs::path(name)),
                           (a & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? Kind::Link
                           : (a & FILE_ATTRIBUTE_DIRECTORY) != 0   ? Kind::Folder
                                                                   : Kind::File});
    } while (::FindNextFileW(h, &found));
    const DWORD err = ::GetLastError();
    ::FindClose(h);
    if (err != ERROR_NO_MORE_FILES) {
        fail("Cannot list folder", path_, err);
    }
    return entries;
}

std::intptr_t FolderHandle::openFile(const std::string& name, std::uint64_t& size) const {
    const fs::path path = pathOf(name);
    Closer f{openItself(path, GENERIC_READ, kFileShare)};
    if (f.h == INVALID_HANDLE_VALUE) {
        fail("Cannot open file", path, ::GetLastError());
    }
    const DWORD attributes = attributesOf(f.h);
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        throw LinkError("Cannot open file", path);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        fail("Cannot open file", path, ERROR_DIRECTORY);
    }
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(f.h, &length)) {
        fail("Cannot read file", path, ::GetLastError());
    }
    size = static_cast<std::uint64_t>(length.QuadPart);
    return reinterpret_cast<std::intptr_t>(std::exchange(f.h, INVALID_HANDLE_VALUE));
}

Bytes FolderHandle::read(const std::string& name) const {
    const fs::path path = pathOf(name);
    std::uint64_t size = 0;
    Closer f{reinterpret_cast<HANDLE>(openFile(name, size))};
    Bytes data(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        if (!::ReadFile(f.h, data.data() + done, want, &n, nullptr)) {
            fail("Cannot read file", path, ::GetLastError());
        }
        if (n == 0) {
            break;
        }
        done += n;
    }
    data.resize(done);
    return data;
}

bool FolderHandle::isReadOnlyFile(const std::string& name) const {
    return tarn::isReadOnlyFile(pathOf(name));
}

bool FolderHandle::isReadOnly() const {
    return false;
}

void FolderHandle::replace(const std::string& from, const std::string& to) const {
    if (!::MoveFileExW(pathOf(from).c_str(), pathOf(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        fail("Cannot replace file", pathOf(to), ::GetLastError());
    }
}

bool FolderHandle::hardLink(const FolderHandle& source, const std::string& from,
                            const std::string& name) const {
    return source.kind(from) == Kind::File &&
           ::CreateHardLinkW(pathOf(name).c_str(), source.pathOf(from).c_str(), nullptr) != 0;
}

void FolderHandle::remove(const std::string& name) const {
    const fs::path path = pathOf(name);
    // A link to a folder is removed as a folder; the folder it names stays.
    const bool removed = kind(name) == Kind::Link && ::RemoveDirectoryW(path.c_str());
    if (!removed && !::DeleteFileW(path.c_str())) {
        const DWORD err = ::GetLastError();
        if (err != ERROR_FILE_NOT_FOUND) {
            fail("Cannot remove file", path, err);
        }
    }
}

void FolderHandle::flush() const {
    // Windows' replacements write through.
}

#else

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

#endif

}  // namespace tarn
