// SPDX-License-Identifier: GPL-3.0-or-later
// What TarnPatch wrote, so that --restore can tell a file the game changed since (an update)
// from one the patch left: "TarnPatch-backup.sums" beside the backup folder holds one line per
// object file, the SHA-256 of the bytes the patch wrote, two spaces and the file's name (the
// layout of sha256sum). It lies outside the folder because programs built before it refuse
// unknown entries inside the folder, and so still restore.
//
// A digest is first recorded in "TarnPatch-backup.pending" (the same layout), before the file
// is replaced, and moved into the sums once the file reads back as written. A run cut off in
// between leaves the digest pending: programs built before never read that file, and this one
// takes a pending digest for a write it cannot vouch for. A write whose digest is not known yet
// when it begins (the game executable's, taken while it is written) is pending as zeros, the
// digest of no content, and confirmed with its digest.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "common/bytes.h"
#include "common/sha256.h"

namespace tarn {

namespace fs = std::filesystem;

inline constexpr const char* kBackupSumsName = "TarnPatch-backup.sums";
inline constexpr const char* kPendingSumsName = "TarnPatch-backup.pending";
// The same for the game executable, beside its own backup folder.
inline constexpr const char* kExeSumsName = "TarnPatch-exe-backup.sums";
inline constexpr const char* kExePendingSumsName = "TarnPatch-exe-backup.pending";

// Whether a folder entry is a temporary file that one of this program's writes leaves behind
// when it is cut off, by the exact shapes of the writers' names: "." NAME ".tmp-" and letters,
// digits and dashes, or "." NAME ".tarn-" PID "-" letters and digits ".tmp". The backup folder
// holds object file names only, so such an entry there is never a kept original; any other
// name (".notes.tmp") is the player's.
bool isOwnTemporaryFile(const std::string& name);

// The name of the entry of the game folder named name whatever its letter case (name itself
// when there is none or the folder cannot be read).
std::string gameEntryName(const fs::path& gameFolder, const std::string& name);

class BackupSums {
public:
    // The digest files of a game folder, found whatever their letter case.
    explicit BackupSums(const fs::path& gameFolder, const std::string& sumsName = kBackupSumsName,
                        const std::string& pendingName = kPendingSumsName);

    const fs::path& file() const { return file_; }
    const fs::path& pendingFile() const { return pending_.file; }

    // Reads both files: none makes an empty list, and a line that is not a digest and a name
    // is passed over. Raises FileError when one exists but cannot be read.
    void load();

    // The confirmed and the pending digest of an object file: of its exact name, else of the
    // one name that matches in another letter case.
    std::optional<std::string> digestOf(const std::string& name) const;
    std::optional<std::string> pendingDigestOf(const std::string& name) const;

    // Records the digest of what is about to be written to an object file as pending; the
    // list is complete and flushed when it returns. Raises FileError.
    void recordPending(const std::string& name, const Bytes& toBeWritten);
    // Records a write of name whose digest is not known yet as pending (zeros). Raises
    // FileError.
    void recordPendingWrite(const std::string& name);

    // Moves the pending digest of name into the sums (written and flushed first), then drops
    // it from the pending list. Raises FileError.
    void confirm(const std::string& name);
    // Records written as the digest of name in the sums (written and flushed first), then
    // drops its pending entry. Raises FileError.
    void confirm(const std::string& name, const Sha256Digest& written);

    // Records the digest of what was written as confirmed at once. Raises FileError.
    void record(const std::string& name, const Bytes& written);

    // Removes both files and the temporary files their writes left beside them; what cannot be
    // removed stays, as it is of no harm: a list entry only matters for a kept original.
    void removeWithLeftovers() const;

private:
    struct List {
        fs::path file;  // as shown; read and written through the game folder's handle
        std::map<std::string, std::string> digests;  // exact name -> digest
        void load();
        void write() const;  // an empty list removes the file
        std::optional<std::string> find(const std::string& name) const;
    };
    void loadOnce();
    void pendingAs(const std::string& name, const std::string& digest);
    void confirmAs(const std::string& name, const std::string& digest);

    fs::path file_;
    List sums_;
    List pending_;
    bool loaded_ = false;
};

}  // namespace tarn
