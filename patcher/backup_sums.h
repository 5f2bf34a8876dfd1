// SPDX-License-Identifier: GPL-3.0-or-later
// What TarnPatch wrote, so that --restore can tell a file the game changed since (an update)
// from one the patch left: "TarnPatch-backup.sums" beside the backup folder holds one line per
// object file, the SHA-256 of the bytes the patch wrote, two spaces and the file's name (the
// layout of sha256sum). It lies outside the folder because programs built before it refuse
// unknown entries inside the folder, and so still restore.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "common/bytes.h"

namespace tarn {

namespace fs = std::filesystem;

inline constexpr const char* kBackupSumsName = "TarnPatch-backup.sums";

// Whether a folder entry is a temporary file that one of this program's writes leaves behind
// when it is cut off: writeFileAtomically's names beside a target are hidden (a leading dot)
// and carry ".tmp" ("." NAME ".tmp-…" or "." NAME ".….tmp"). The backup folder holds object
// file names only, so such an entry there is never a kept original.
bool isOwnTemporaryFile(const std::string& name);

class BackupSums {
public:
    // The digest file of a game folder, found whatever its letter case.
    explicit BackupSums(const fs::path& gameFolder);

    const fs::path& file() const { return file_; }

    // Reads the file: none makes an empty list, and a line that is not a digest and a name is
    // passed over. Raises FileError when it exists but cannot be read.
    void load();

    // The digest recorded for an object file (its name in any letter case).
    std::optional<std::string> digestOf(const std::string& name) const;

    // Records the digest of what was written to an object file and writes the list, complete
    // and flushed. The list is read first once, so entries of earlier runs stay. Raises
    // FileError.
    void record(const std::string& name, const Bytes& written);

    // Removes the file and the temporary files its writes left beside it; what cannot be
    // removed stays, as it is of no harm: a list entry only matters for a kept original.
    void removeWithLeftovers() const;

private:
    fs::path file_;
    bool loaded_ = false;
    std::map<std::string, std::pair<std::string, std::string>> byUpperName_;  // name, digest
};

}  // namespace tarn
