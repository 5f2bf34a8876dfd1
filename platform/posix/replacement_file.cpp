// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/replacement_file.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "common/errors.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

constexpr const char* kAccessAcl = "system.posix_acl_access";

std::string uniquePart() {
    static constexpr char kCharacters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random(std::random_device{}() ^ static_cast<unsigned>(::getpid()));
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kCharacters - 2);
    std::string unique(6, ' ');
    for (char& c : unique) {
        c = kCharacters[pick(random)];
    }
    return unique;
}

std::string userName(uid_t uid) {
    std::vector<char> buffer(4096);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    return std::to_string(uid);
}

std::string groupName(gid_t gid) {
    std::vector<char> buffer(4096);
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->gr_name;
    }
    return std::to_string(gid);
}

// Attributes that the system sets by its own policy (security labels) or that only the
// administrator may set; the new file keeps what the system gives it there.
bool isPolicyAttribute(const std::string& name) {
    return name.rfind("security.", 0) == 0 || name.rfind("trusted.", 0) == 0;
}

// The path of an open descriptor, through which linkat names an unnamed file.
bool procFdAvailable() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

}  // namespace

void raiseFileError(const std::string& what, const fs::path& path, const std::string& reason) {
    throw FileError(what + " \"" + pathToUtf8(path) + "\". " + reason, reason);
}

void raiseFileError(const std::string& what, const fs::path& path, int err) {
    raiseFileError(what, path, std::string(std::strerror(err)));
}

fs::path resolveLinks(const fs::path& path) {
    fs::path current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        std::string target(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)) + 256, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) {
            raiseFileError("Cannot open file", path, errno);
        }
        target.resize(static_cast<std::size_t>(n));
        const fs::path next(target);
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    raiseFileError("Cannot open file", path, ELOOP);
}

ReplacementFile::ReplacementFile(const fs::path& real, const fs::path& shown,
                                 const struct stat* old, mode_t mode, const WriteFault& fault,
                                 int folderFd)
    : real_(real),
      shown_(shown),
      folder_(folderFd != AT_FDCWD     ? shown.parent_path()
              : real.has_parent_path() ? real.parent_path()
                                       : fs::path(".")),
      folderFd_(folderFd),
      fault_(fault) {
    if (folderFd_ == AT_FDCWD) {
        removeAbandonedTemporaries(folder_);
    } else if (procFdAvailable()) {
        // The held folder itself, whatever its path names by now.
        removeAbandonedTemporaries("/proc/self/fd/" + std::to_string(folderFd_));
    }
    try {
        create(mode);
        keepOwner(old);
        keepAttributes(old != nullptr);
        // Last, since a change of owner clears the set-user and set-group bits.
        if (::fchmod(fd_, old != nullptr ? old->st_mode & 07777 : mode) != 0) {
            raiseFileError("Cannot write file", shown_, errno);
        }
    } catch (...) {
        discard();
        throw;
    }
    if (fault.step == WriteFault::Step::WriteData) {
        budget_ = fault.bytesBeforeFailure;
    }
}

ReplacementFile::~ReplacementFile() {
    discard();
}

void ReplacementFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!named_.empty()) {
        ::unlinkat(folderFd_, named_.c_str(), 0);
        named_.clear();
    }
    guard_.reset();
}

void ReplacementFile::create(mode_t mode) {
    auto refuse = [this](int err) {
        raiseFileError("Cannot create file", shown_,
                       "The folder \"" + pathToUtf8(folder_) +
                           "\" cannot hold a temporary file: " + std::strerror(err));
    };
    if (fault_.step == WriteFault::Step::CreateTemporary) {
        refuse(EACCES);
    }
#ifdef O_TMPFILE
    if (!fault_.noUnnamedFile && procFdAvailable()) {
        fd_ = ::openat(folderFd_, folderFd_ == AT_FDCWD ? folder_.c_str() : ".",
                       O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        if (fd_ >= 0) {
            unnamed_ = true;
            return;
        }
    }
#endif
    const std::string target = pathToUtf8(real_.filename());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string leaf =
            temporaryNameFor(target, static_cast<unsigned long>(::getpid()), uniquePart());
        const fs::path name = inFolder(leaf);
        // Known to the signal handlers before it exists, so that no moment leaves it behind.
        guard_.emplace(folder_ / leaf);
        fd_ = ::openat(folderFd_, name.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_RDWR | O_CLOEXEC,
                       mode);
        if (fd_ >= 0) {
            named_ = name;
            return;
        }
        guard_.reset();
        if (errno != EEXIST) {
            refuse(errno);
        }
    }
    refuse(EEXIST);
}

void ReplacementFile::keepOwner(const struct stat* old) {
    // An injected fault fails this step for a new file too, as every other step does.
    const struct stat none {};
    if (old == nullptr && fault_.step != WriteFault::Step::KeepOwner) {
        return;
    }
    const struct stat& kept = old != nullptr ? *old : none;
    struct stat now {};
    if (::fstat(fd_, &now) != 0) {
        raiseFileError("Cannot write file", shown_, errno);
    }
    int err = 0;
    if (fault_.step == WriteFault::Step::KeepOwner) {
        err = EPERM;
    } else if ((now.st_uid != kept.st_uid || now.st_gid != kept.st_gid) &&
               ::fchown(fd_, kept.st_uid, kept.st_gid) != 0) {
        err = errno;
    }
    if (err != 0) {
        // Writing in place instead would risk a torn file; the owner decides.
        raiseFileError("Cannot write file", shown_,
                       "Its owner \"" + userName(kept.st_uid) + "\" and group \"" +
                           groupName(kept.st_gid) + "\" could not be kept: " + std::strerror(err));
    }
}

void ReplacementFile::keepAttributes(bool oldExists) {
    auto refuse = [this](const std::string& name, int err) {
        raiseFileError(
            "Cannot write file", shown_,
            "Its extended attribute \"" + name + "\" could not be kept: " + std::strerror(err));
    };
    if (fault_.step == WriteFault::Step::CopyAttributes) {
        refuse("user.test", EIO);
    }
    if (!oldExists) {
        return;
    }
    // Through the folder the old file is read by a descriptor of its own, never a link's.
    int oldFd = -1;
    if (folderFd_ != AT_FDCWD) {
        oldFd = ::openat(folderFd_, real_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (oldFd < 0) {
            raiseFileError("Cannot read file", shown_, errno);
        }
    }
    const Fd closer{oldFd};
    const auto list = [&](char* buffer, std::size_t size) {
        return oldFd >= 0 ? ::flistxattr(oldFd, buffer, size)
                          : ::listxattr(real_.c_str(), buffer, size);
    };
    const auto get = [&](const std::string& name, void* buffer, std::size_t size) {
        return oldFd >= 0 ? ::fgetxattr(oldFd, name.c_str(), buffer, size)
                          : ::getxattr(real_.c_str(), name.c_str(), buffer, size);
    };
    std::vector<char> names;
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0) {
            if (errno == ENOTSUP || errno == ENOSYS) {
                return;  // the file system keeps no attributes
            }
            raiseFileError("Cannot read file", shown_, errno);
        }
        names.resize(static_cast<std::size_t>(size));
        const ssize_t got = list(names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE) {
            raiseFileError("Cannot read file", shown_, errno);
        }
    }
    bool hadAccessAcl = false;
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size();) {
        const std::string name(names.data() + at);
        at += name.size() + 1;
        hadAccessAcl = hadAccessAcl || name == kAccessAcl;
        ssize_t size = get(name, nullptr, 0);
        if (size >= 0) {
            value.resize(static_cast<std::size_t>(size));
            size = get(name, value.data(), value.size());
        }
        const bool copied = size >= 0 && ::fsetxattr(fd_, name.c_str(), value.data(),
                                                     static_cast<std::size_t>(size), 0) == 0;
        if (!copied && !isPolicyAttribute(name)) {
            refuse(name, errno);
        }
    }
    if (!hadAccessAcl) {
        // The folder's default entries would otherwise give the file an access list it lacked.
        ::fremovexattr(fd_, kAccessAcl);
    }
}

void ReplacementFile::writeAt(const std::uint8_t* data, std::size_t size, std::uint64_t offset) {
    const std::size_t limit = std::min(size, budget_);
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t n =
            ::pwrite(fd_, data + done, limit - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            raiseFileError("Cannot write file", shown_, errno);
        }
        done += static_cast<std::size_t>(n);
    }
    budget_ -= limit;
    if (done < size) {
        raiseFileError("Cannot write file", shown_, ENOSPC);
    }
}

void ReplacementFile::setSize(std::uint64_t size) {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
        raiseFileError("Cannot write file", shown_, errno);
    }
}

void ReplacementFile::linkUnderTemporaryName() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    const std::string target = pathToUtf8(real_.filename());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string leaf =
            temporaryNameFor(target, static_cast<unsigned long>(::getpid()), uniquePart());
        const fs::path name = inFolder(leaf);
        guard_.emplace(folder_ / leaf);
        if (::linkat(AT_FDCWD, self.c_str(), folderFd_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            named_ = name;
            unnamed_ = false;
            return;
        }
        guard_.reset();
        if (errno != EEXIST) {
            raiseFileError("Cannot replace file", shown_, errno);
        }
    }
    raiseFileError("Cannot replace file", shown_, EEXIST);
}

void ReplacementFile::replaceTarget(const std::optional<FileIdentity>& expected,
                                    const std::function<void()>& beforeRename) {
    if (fault_.step == WriteFault::Step::Flush) {
        raiseFileError("Cannot write file", shown_, EIO);
    }
    if (::fsync(fd_) != 0) {
        raiseFileError("Cannot write file", shown_, errno);
    }
    if (beforeRename) {
        beforeRename();
    }
    if (fault_.step == WriteFault::Step::Rename) {
        raiseFileError("Cannot replace file", shown_, EACCES);
    }
    if (unnamed_) {
        linkUnderTemporaryName();
    }
    if (fault_.signalBeforeRename != 0) {
        ::raise(fault_.signalBeforeRename);
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {
        raiseFileError("Cannot write file", shown_, errno);
    }
    if (expected) {
        refuseChangedFile(folderFd_ == AT_FDCWD ? real_ : shown_, *expected, shown_);
    }
    if (::renameat(folderFd_, named_.c_str(), folderFd_, real_.c_str()) != 0) {
        raiseFileError("Cannot replace file", shown_, errno);
    }
    named_.clear();
    guard_.reset();
    flushFolder();
}

fs::path ReplacementFile::inFolder(const fs::path& name) const {
    return folderFd_ == AT_FDCWD ? folder_ / name : name;
}

void ReplacementFile::flushFolder() {
    if (fault_.step == WriteFault::Step::FlushFolder) {
        raiseFileError("Cannot write file", shown_, EIO);
    }
    const bool held = folderFd_ != AT_FDCWD;
    const int fd = held ? folderFd_ : ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        raiseFileError("Cannot write file", shown_, errno);
    }
    const int flushed = ::fsync(fd);
    const int err = errno;
    if (!held) {
        ::close(fd);
    }
    // Some file systems cannot flush a folder; their renames are as durable as they get.
    if (flushed != 0 && err != EINVAL && err != ENOTSUP) {
        raiseFileError("Cannot write file", shown_, err);
    }
}

}  // namespace tarn
