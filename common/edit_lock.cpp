// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/edit_lock.h"

#include <cstdint>
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
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/replacement_file.h"
#endif

#include "common/temporary_files.h"
#include "common/this_process.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

// A lock file is a few short lines; anything larger was not made by a program of ours.
constexpr std::size_t kLargestLock = 4096;

// The holder of a lock file that is there but is not one we can read as ours: it counts as
// held, so that nobody writes over an unknown program's work, and names the file to remove.
LockHolder unknownHolder(const std::filesystem::path& lock, const std::string& why) {
    LockHolder holder;
    holder.problem = pathToUtf8(lock) + why + "; remove it if no one is editing";
    return holder;
}

LockHolder notOurLock(const std::filesystem::path& lock) {
    return unknownHolder(lock, " is not a lock file TarnEdit made");
}

// The holder a lock's text names; an unknown one when it names no process id.
LockHolder parseHolder(const std::filesystem::path& lock, const std::string& text) {
    std::optional<LockHolder> holder = parseHolderLines(text);
    return holder ? std::move(*holder) : notOurLock(lock);
}

// The holder a lock file names; nothing when there is no lock file. The file is read only when
// it is a regular file of a lock's size, opened without following a link and without waiting
// (a pipe put in its place would block the reader for good, a link to a device flood it).
std::optional<LockHolder> readHolder(const std::filesystem::path& lock) {
#ifdef _WIN32
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(lock, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return std::nullopt;
    }
    if (ec) {
        return unknownHolder(lock, " cannot be read (" + ec.message() + ")");
    }
    if (status.type() != std::filesystem::file_type::regular ||
        std::filesystem::file_size(lock, ec) > kLargestLock || ec) {
        return notOurLock(lock);
    }
    std::ifstream in(lock, std::ios::binary);
    std::string text(kLargestLock, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad() || (!in && !in.eof())) {
        return unknownHolder(lock, " cannot be read");
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    return parseHolder(lock, text);
#else
    const int fd = ::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        if (errno == ELOOP) {
            return notOurLock(lock);  // a link
        }
        return unknownHolder(lock,
                             " cannot be read (" + std::generic_category().message(errno) + ")");
    }
    struct stat st {};
    std::string text(kLargestLock + 1, '\0');
    ssize_t n = -1;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::uint64_t>(st.st_size) <= kLargestLock) {
        n = ::read(fd, text.data(), text.size());
    }
    ::close(fd);
    if (n < 0 || static_cast<std::size_t>(n) > kLargestLock) {
        return notOurLock(lock);
    }
    text.resize(static_cast<std::size_t>(n));
    return parseHolder(lock, text);
#endif
}

bool isOwn(const LockHolder& holder) {
    return holder.problem.empty() && holder.pid == currentProcessId() &&
           holder.host == currentHostName();
}

// No lock, or a holder on this host whose process has ended: nobody holds it. A lock that
// cannot be read is held by someone unknown.
bool isStale(const std::optional<LockHolder>& holder) {
    return !holder || (holder->problem.empty() && holder->host == currentHostName() &&
                       !processRuns(holder->pid));
}

}  // namespace

std::string holderLines(const LockHolder& holder) {
    return "pid=" + std::to_string(holder.pid) + "\nhost=" + holder.host +
           "\nprogram=" + holder.program + "\n";
}

std::optional<LockHolder> parseHolderLines(const std::string& text) {
    LockHolder holder;
    bool hasPid = false;
    std::istringstream in(text);
    std::string line;
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
    if (!holder.problem.empty()) {
        return "another program (" + holder.problem + ")";
    }
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
        // Readable by everyone who may see the folder: another user's program must be able to
        // tell a live lock from a stale one. It holds only a process id, a host and a name.
        written_ = ::fchmod(fd, 0644) == 0 &&
                   ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
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
        lock, holderLines({currentProcessId(), currentHostName(), std::string(program)}));
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
