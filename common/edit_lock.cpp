// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/edit_lock.h"

#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/replacement_file.h"
#endif

#include "common/temporary_files.h"
#include "common/this_process.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

std::string lockText(const LockHolder& holder) {
    return "pid=" + std::to_string(holder.pid) + "\nhost=" + holder.host +
           "\nprogram=" + holder.program + "\n";
}

// The holder a lock file names; nothing when it cannot be read or holds no process id.
std::optional<LockHolder> readHolder(const std::filesystem::path& lock) {
    std::ifstream in(lock, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    LockHolder holder;
    std::string line;
    bool hasPid = false;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "pid") {
            try {
                holder.pid = std::stoul(value);
                hasPid = true;
            } catch (const std::exception&) {
                return std::nullopt;
            }
        } else if (key == "host") {
            holder.host = value;
        } else if (key == "program") {
            holder.program = value;
        }
    }
    if (!hasPid) {
        return std::nullopt;
    }
    return holder;
}

bool isOwn(const LockHolder& holder) {
    return holder.pid == currentProcessId() && holder.host == currentHostName();
}

// A holder on this host whose process has ended, or one that cannot be read: nobody holds it.
bool isStale(const std::optional<LockHolder>& holder) {
    return !holder || (holder->host == currentHostName() && !processRuns(holder->pid));
}

}  // namespace

std::filesystem::path lockFileFor(const std::filesystem::path& target) {
    std::filesystem::path real = target;
#ifndef _WIN32
    try {
        real = resolveLinks(target);
    } catch (const std::exception&) {
        // A loop of links: the lock lies beside the name given.
    }
#endif
    std::string name = ".";
    name += pathToUtf8(real.filename());
    name += ".tarnlock";
    return real.parent_path() / pathFromUtf8(name);
}

std::filesystem::path folderLockTarget(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::path target = std::filesystem::weakly_canonical(folder, ec);
    if (ec) {
        target = std::filesystem::absolute(folder, ec).lexically_normal();
    }
    // "ObjData/" names the folder, not an unnamed file inside it.
    return target.has_filename() ? target : target.parent_path();
}

std::optional<LockHolder> liveLockHolder(const std::filesystem::path& target) {
    std::optional<LockHolder> holder = readHolder(lockFileFor(target));
    if (isStale(holder) || isOwn(*holder)) {
        return std::nullopt;
    }
    return holder;
}

std::string describeHolder(const LockHolder& holder) {
    const std::string program = holder.program.empty() ? "another program" : holder.program;
    return program + " (process " + std::to_string(holder.pid) + " on " +
           (holder.host.empty() ? std::string("an unknown host") : holder.host) + ")";
}

namespace {

// The lock's text, written whole under a temporary name beside the lock, to be put in place in
// one step. Whatever happens, the temporary name is gone when this ends.
class TemporaryLockFile {
public:
    // The name follows the writers' rule, so that a taker killed meanwhile leaves nothing for
    // good. Its unique part is filled in by mkstemp where there is one; on Windows a process
    // takes one lock at a time beside a file, so the name stays as it is.
    static std::filesystem::path temporaryNameBeside(const std::filesystem::path& lock) {
        return lock.parent_path() / pathFromUtf8(temporaryNameFor(pathToUtf8(lock.filename()),
                                                                  currentProcessId(), "XXXXXX"));
    }

    enum class Placing { Placed, LockExists, Failed };

#ifdef _WIN32
    TemporaryLockFile(const std::filesystem::path& lock, const std::string& text)
        : lock_(lock), path_(temporaryNameBeside(lock)) {
        const HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD done = 0;
            written_ =
                ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
                done == text.size() && ::FlushFileBuffers(file);
            ::CloseHandle(file);
        }
    }
    ~TemporaryLockFile() {
        ::DeleteFileW(path_.c_str());
    }

    // A move without replacing fails where a lock exists.
    Placing placeIfNoLock() {
        if (::MoveFileExW(path_.c_str(), lock_.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return Placing::Placed;
        }
        const DWORD err = ::GetLastError();
        return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? Placing::LockExists
                                                                       : Placing::Failed;
    }
    bool replaceLock() {
        return ::MoveFileExW(path_.c_str(), lock_.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
#else
    TemporaryLockFile(const std::filesystem::path& lock, const std::string& text)
        : lock_(lock), path_(pathToUtf8(temporaryNameBeside(lock))) {
        const int fd = ::mkstemp(path_.data());
        if (fd < 0) {
            path_.clear();
            return;
        }
        removedOnSignal_.emplace(path_);
        written_ = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                   ::fsync(fd) == 0;
        ::close(fd);
    }
    ~TemporaryLockFile() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }

    // link fails where a lock exists.
    Placing placeIfNoLock() {
        if (::link(path_.c_str(), lock_.c_str()) == 0) {
            return Placing::Placed;
        }
        return errno == EEXIST ? Placing::LockExists : Placing::Failed;
    }
    bool replaceLock() {
        return ::rename(path_.c_str(), lock_.c_str()) == 0;
    }
#endif

    TemporaryLockFile(const TemporaryLockFile&) = delete;
    TemporaryLockFile& operator=(const TemporaryLockFile&) = delete;
    bool written() const {
        return written_;
    }

private:
    std::filesystem::path lock_;
#ifdef _WIN32
    std::filesystem::path path_;
#else
    std::string path_;  // mkstemp's pattern, then the name it made
    std::optional<TemporaryNameGuard> removedOnSignal_;
#endif
    bool written_ = false;
};

}  // namespace

std::optional<EditLock> EditLock::take(const std::filesystem::path& target,
                                       std::string_view program, LockHolder& holder) {
    const std::filesystem::path lock = lockFileFor(target);
    removeAbandonedTemporaries(lock.parent_path());
    // Put in place without replacing, so that two programs starting together never both take it.
    TemporaryLockFile temporary(
        lock, lockText({currentProcessId(), currentHostName(), std::string(program)}));
    if (!temporary.written()) {
        return EditLock({});
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (temporary.placeIfNoLock()) {
            case TemporaryLockFile::Placing::Placed:
                return EditLock(lock);
            case TemporaryLockFile::Placing::Failed:
                return EditLock({});
            case TemporaryLockFile::Placing::LockExists:
                break;
        }
        const std::optional<LockHolder> current = readHolder(lock);
        if (!isStale(current) && !isOwn(*current)) {
            holder = *current;
            return std::nullopt;
        }
        // Stale or our own: replaced by ours.
        if (temporary.replaceLock()) {
            return EditLock(lock);
        }
    }
    return EditLock({});
}

EditLock::EditLock(EditLock&& other) noexcept : path_(std::exchange(other.path_, {})) {}

EditLock& EditLock::operator=(EditLock&& other) noexcept {
    if (this != &other) {
        release();
        path_ = std::exchange(other.path_, {});
    }
    return *this;
}

EditLock::~EditLock() {
    release();
}

void EditLock::release() {
    if (path_.empty()) {
        return;
    }
    const std::optional<LockHolder> holder = readHolder(path_);
    if (holder && isOwn(*holder)) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    path_.clear();
}

}  // namespace tarn
