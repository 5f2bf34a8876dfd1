// SPDX-License-Identifier: GPL-3.0-or-later
// The temporary files every writer makes beside the file it replaces: one naming rule, so that
// a leftover of a killed process can be told from a user's file and removed safely.
//
// A temporary name is "." + the target's name + ".tmp-" + the writing process's id + "-" + six
// letters or digits, for example ".Tarn.exe.tmp-4711-a8Xk2Q". A very long target name is
// shortened so that the whole name stays within the file system's limit.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// A temporary name for the target file name, written by process pid, with a six-character
// unique part.
std::string temporaryNameFor(std::string_view targetName, unsigned long pid,
                             std::string_view unique);

// The process id a temporary name of ours carries, or nullopt when name does not follow the
// rule (a user's file, or a temporary file of another program).
std::optional<unsigned long> temporaryNameOwner(std::string_view name);

// Removes the temporary files of ours in folder whose writing process no longer runs on this
// machine. Never raises: a leftover that cannot be removed stays for the next time.
void removeAbandonedTemporaries(const std::filesystem::path& folder);

// Keeps a temporary file's path known while it exists, so that SIGINT, SIGTERM or SIGHUP
// removes it before the process ends (the handlers are installed on first use; a signal that
// was ignored stays ignored). Registration is best effort: with too many files at once the
// newest goes unregistered.
class TemporaryNameGuard {
public:
    explicit TemporaryNameGuard(const std::filesystem::path& path);
    ~TemporaryNameGuard();
    TemporaryNameGuard(const TemporaryNameGuard&) = delete;
    TemporaryNameGuard& operator=(const TemporaryNameGuard&) = delete;

private:
    int slot_ = -1;
};

}  // namespace tarn
