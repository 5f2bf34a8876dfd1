// SPDX-License-Identifier: GPL-3.0-or-later
// The system calls behind EditLock: reading a lock file without being fooled by a link, a pipe
// or a device put in its place, and a lock's text written under a temporary name and put in
// place in one step.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "common/temporary_files.h"

namespace tarn::platform {

// The file a lock guards once the links in the target's name are followed (as far as the
// system has them); the target itself when they lead nowhere.
std::filesystem::path lockedFileOf(const std::filesystem::path& target);

struct LockFileText {
    enum class State { Missing, Read, NotALockFile, Unreadable };
    State state = State::Missing;
    std::string text;  // Read: the file's bytes
    std::string why;   // Unreadable: " cannot be read" and the system's reason
};

// The text of the lock file, read only when it is a regular file of at most largest bytes.
LockFileText readLockFile(const std::filesystem::path& lock, std::size_t largest);

// The lock's text, written whole under a temporary name beside the lock, to be put in place in
// one step. Whatever happens, the temporary name is gone when this ends.
class TemporaryLockFile {
public:
    TemporaryLockFile(const std::filesystem::path& lock, const std::string& text);
    ~TemporaryLockFile();
    TemporaryLockFile(const TemporaryLockFile&) = delete;
    TemporaryLockFile& operator=(const TemporaryLockFile&) = delete;

    // The name follows the writers' rule, so that a taker killed meanwhile leaves nothing for
    // good. Its unique part is filled in by mkstemp where there is one; on Windows a process
    // takes one lock at a time beside a file, so the name stays as it is.
    static std::filesystem::path temporaryNameBeside(const std::filesystem::path& lock);

    enum class Placing { Placed, LockExists, Failed };

    // Puts the text in place as the lock, failing where a lock exists.
    Placing placeIfNoLock();
    bool replaceLock();
    bool written() const { return written_; }

private:
    std::filesystem::path lock_;
    std::filesystem::path path_;  // empty once no temporary file is left to remove
    std::optional<TemporaryNameGuard> removedOnSignal_;
    bool written_ = false;
};

}  // namespace tarn::platform
