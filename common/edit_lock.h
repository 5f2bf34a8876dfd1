// SPDX-License-Identifier: GPL-3.0-or-later
// The lock an editing program holds on a file it has open, so that a second program (another
// TarnEdit, or tarntool writing the same file) learns that the file is being edited. The lock
// is a small file beside the real file, ".NAME.tarnlock" (".Tarn.exe.tarnlock"), holding three
// lines:
//
//   pid=4711
//   host=workstation
//   program=TarnEdit
//
// It is advisory: the file itself is never locked, so the game can still be started. A lock
// whose process no longer runs on this host (a crash, a killed session, a zombie) is stale and
// is taken over; a lock from another host is respected, since its process cannot be asked, and
// so is a lock file that cannot be read as one of ours. Every user may read a lock.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

struct LockHolder {
    unsigned long pid = 0;
    std::string host;
    std::string program;
    // Set when the lock file is there but cannot be read as one of ours (not a regular file, a
    // link, too large, unreadable, no process id): it counts as held by someone unknown. Names
    // the file and what to do.
    std::string problem = {};

    bool operator==(const LockHolder&) const = default;
};

// A holder's three lines ("pid=4711\nhost=workstation\nprogram=TarnEdit\n"), as a lock holds
// them and other records of a program's work beside a file begin with them.
std::string holderLines(const LockHolder& holder);
// The holder such lines name, other lines ignored; nothing without a valid process id.
std::optional<LockHolder> parseHolderLines(const std::string& text);

// The lock file of a target: ".NAME.tarnlock" beside the real file (links followed).
std::filesystem::path lockFileFor(const std::filesystem::path& target);

// What a lock on a whole folder is taken on: the folder made absolute, its links and dots
// resolved, so that every program naming that folder finds the same ".NAME.tarnlock" beside it.
std::filesystem::path folderLockTarget(const std::filesystem::path& folder);

// The holder of a live lock on target held by another process; nothing when the target is not
// locked, the lock is stale or it is this process's own.
std::optional<LockHolder> liveLockHolder(const std::filesystem::path& target);

// "TarnEdit (process 4711 on workstation)", or for a lock that cannot be read "another program
// (PATH is not a lock file TarnEdit made; remove it if no one is editing)"
std::string describeHolder(const LockHolder& holder);

class EditLock {
public:
    // Takes the lock on target for program, replacing a stale one. When another live process
    // holds it, answers nothing and sets holder. A lock file that cannot be written (a read-only
    // folder) leaves the file unlocked: the answer is then an empty lock that removes nothing.
    static std::optional<EditLock> take(const std::filesystem::path& target,
                                        std::string_view program, LockHolder& holder);

    EditLock(EditLock&& other) noexcept;
    EditLock& operator=(EditLock&& other) noexcept;
    EditLock(const EditLock&) = delete;
    EditLock& operator=(const EditLock&) = delete;
    // Removes the lock file, unless another process has taken it over meanwhile.
    ~EditLock();

    // Whether a lock file was written.
    bool held() const { return !path_.empty(); }

private:
    explicit EditLock(std::filesystem::path path) : path_(std::move(path)) {}
    void release();

    std::filesystem::path path_;
};

}  // namespace tarn
