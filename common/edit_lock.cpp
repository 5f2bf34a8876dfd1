// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/edit_lock.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "common/temporary_files.h"
#include "common/this_process.h"
#include "common/utf8_path.h"
#include "platform/lock_file.h"

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
    using State = platform::LockFileText::State;
    const platform::LockFileText read = platform::readLockFile(lock, kLargestLock);
    switch (read.state) {
        case State::Missing:
            return std::nullopt;
        case State::NotALockFile:
            return notOurLock(lock);
        case State::Unreadable:
            return unknownHolder(lock, read.why);
        case State::Read:
            break;
    }
    return parseHolder(lock, read.text);
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
    const std::filesystem::path real = platform::lockedFileOf(target);
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

using platform::TemporaryLockFile;

std::filesystem::path TemporaryLockFile::temporaryNameBeside(const std::filesystem::path& lock) {
    return lock.parent_path() / pathFromUtf8(temporaryNameFor(pathToUtf8(lock.filename()),
                                                              currentProcessId(), "XXXXXX"));
}

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
