// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/lock_file.h"

#include "platform/system_headers.h"

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "common/utf8_path.h"
#include "platform/posix/replacement_file.h"

namespace tarn::platform {

std::filesystem::path lockedFileOf(const std::filesystem::path& target) {
    try {
        return resolveLinks(target);
    } catch (const std::exception&) {
        return target;  // a loop of links: the lock lies beside the name given
    }
}

LockFileText readLockFile(const std::filesystem::path& lock, std::size_t largest) {
    LockFileText result;
    const int fd = ::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return result;
        }
        if (errno == ELOOP) {
            result.state = LockFileText::State::NotALockFile;  // a link
            return result;
        }
        result.state = LockFileText::State::Unreadable;
        result.why = " cannot be read (" + std::generic_category().message(errno) + ")";
        return result;
    }
    struct stat st {};
    std::string text(largest + 1, '\0');
    ssize_t n = -1;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::uint64_t>(st.st_size) <= largest) {
        n = ::read(fd, text.data(), text.size());
    }
    ::close(fd);
    if (n < 0 || static_cast<std::size_t>(n) > largest) {
        result.state = LockFileText::State::NotALockFile;
        return result;
    }
    text.resize(static_cast<std::size_t>(n));
    result.state = LockFileText::State::Read;
    result.text = std::move(text);
    return result;
}

TemporaryLockFile::TemporaryLockFile(const std::filesystem::path& lock, const std::string& text)
    : lock_(lock) {
    std::string name = pathToUtf8(temporaryNameBeside(lock));  // mkstemp's pattern
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return;
    }
    path_ = name;
    removedOnSignal_.emplace(path_);
    // Readable by everyone who may see the folder: another user's program must be able to
    // tell a live lock from a stale one. It holds only a process id, a host and a name.
    written_ = ::fchmod(fd, 0644) == 0 &&
               ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
               ::fsync(fd) == 0;
    ::close(fd);
}

TemporaryLockFile::~TemporaryLockFile() {
    if (!path_.empty()) {
        ::unlink(path_.c_str());
    }
}

// link fails where a lock exists.
TemporaryLockFile::Placing TemporaryLockFile::placeIfNoLock() {
    if (::link(path_.c_str(), lock_.c_str()) == 0) {
        return Placing::Placed;
    }
    return errno == EEXIST ? Placing::LockExists : Placing::Failed;
}

bool TemporaryLockFile::replaceLock() {
    return ::rename(path_.c_str(), lock_.c_str()) == 0;
}

}  // namespace tarn::platform
