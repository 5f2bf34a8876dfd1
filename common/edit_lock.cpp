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
#include "common/temporary_files.h"
#endif

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

std::optional<EditLock> EditLock::take(const std::filesystem::path& target,
                                       std::string_view program, LockHolder& holder) {
    const std::filesystem::path lock = lockFileFor(target);
    const std::string text =
        lockText({currentProcessId(), currentHostName(), std::string(program)});
#ifdef _WIN32
    // The lock is written whole under a temporary name, then moved into place; the move without
    // replacing fails where a lock exists, so two programs starting together never both take it.
    const std::filesystem::path temporary =
        lock.parent_path() /
        pathFromUtf8(pathToUtf8(lock.filename()) + ".tmp-" + std::to_string(currentProcessId()));
    const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return EditLock({});
    }
    DWORD done = 0;
    const bool written =
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
        done == text.size() && ::FlushFileBuffers(file);
    ::CloseHandle(file);
    auto discard = [&] { ::DeleteFileW(temporary.c_str()); };
    if (!written) {
        discard();
        return EditLock({});
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (::MoveFileExW(temporary.c_str(), lock.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return EditLock(lock);
        }
        const DWORD err = ::GetLastError();
        if (err != ERROR_ALREADY_EXISTS && err != ERROR_FILE_EXISTS) {
            discard();
            return EditLock({});
        }
        const std::optional<LockHolder> current = readHolder(lock);
        if (!isStale(current) && !isOwn(*current)) {
            holder = *current;
            discard();
            return std::nullopt;
        }
        // Stale or our own: replaced by ours.
        if (::MoveFileExW(temporary.c_str(), lock.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return EditLock(lock);
        }
    }
    discard();
    return EditLock({});
#else
    // The lock is written whole under a temporary name, then put in place in one step: link
    // fails where a lock exists, so two programs starting together never both take it. The
    // name follows the writers' rule, so that a taker killed meanwhile leaves nothing for good.
    removeAbandonedTemporaries(lock.parent_path());
    std::string pattern = pathToUtf8(
        lock.parent_path() /
        pathFromUtf8(temporaryNameFor(pathToUtf8(lock.filename()), currentProcessId(), "XXXXXX")));
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return EditLock({});
    }
    const TemporaryNameGuard removedOnSignal(pattern);
    const bool written =
        ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
        ::fsync(fd) == 0;
    ::close(fd);
    auto discard = [&] { ::unlink(pattern.c_str()); };
    if (!written) {
        discard();
        return EditLock({});
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (::link(pattern.c_str(), lock.c_str()) == 0) {
            discard();
            return EditLock(lock);
        }
        if (errno != EEXIST) {
            discard();
            return EditLock({});
        }
        const std::optional<LockHolder> current = readHolder(lock);
        if (!isStale(current) && !isOwn(*current)) {
            holder = *current;
            discard();
            return std::nullopt;
        }
        // Stale or our own: replaced by ours.
        if (::rename(pattern.c_str(), lock.c_str()) == 0) {
            return EditLock(lock);
        }
    }
    discard();
    return EditLock({});
#endif
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
