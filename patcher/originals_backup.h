// SPDX-License-Identifier: GPL-3.0-or-later
// The original object files TarnPatch keeps, so that players can undo a translation. Before an
// object file is first changed, its bytes as they are go into "TarnPatch-backup" beside
// ObjData, complete and flushed. A backup already there is never replaced, so the folder holds
// the files as they were before any patch ran, however often patches run. --restore copies
// them back.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/file_identity.h"
#include "common/file_io.h"
#include "common/folder_handle.h"

namespace tarn {

namespace fs = std::filesystem;

inline constexpr const char* kBackupFolderName = "TarnPatch-backup";
// The original game executable, kept apart: programs built before it restore every entry of
// "TarnPatch-backup" into ObjData, and pass over this folder.
inline constexpr const char* kExeBackupFolderName = "TarnPatch-exe-backup";

class OriginalsBackup {
public:
    // The backup folder of a game folder, found whatever its letter case. Everything below the
    // game folder is reached through its handle: a link there raises LinkError.
    explicit OriginalsBackup(const fs::path& gameFolder,
                             const std::string& folderName = kBackupFolderName);

    const fs::path& folder() const { return folder_; }
    bool exists() const;

    // Keeps original, the bytes of the ObjData file named name, unless a backup of that file is
    // there already. Answers whether it wrote one; the copy is complete and flushed when it
    // returns. Raises FileError when the folder or the copy cannot be written.
    bool keep(const std::string& name, const Bytes& original);
    // Hands over the bytes of an original a piece at a time.
    using Original = std::function<void(const ByteWriter& write)>;
    // As keep, but the backup is made a second name (a hard link) of file, whose bytes
    // original hands over, where the file system allows; otherwise they are copied. For a
    // file about to be replaced by a new one (a rename over it): the old file then lives on as
    // the backup alone, and 17 MB need not be written and flushed again. confirmKept must
    // follow the replacement.
    bool keepAsSecondName(const std::string& name, const fs::path& file, const Original& original);
    // Makes sure the backup of name holds the original once the game folder's file of that
    // name, which it was a second name of, has been replaced: unless the backup is still the
    // file originalFile names (its metadata taken before the original was read from it) and
    // no longer the same file as the one now in the game folder, it gets the bytes original
    // hands over. So a file another program replaced between the read and the link, or a
    // system that wrote into the old file instead of replacing it, never leaves a backup that
    // is not the original. Raises FileError when the copy fails.
    void confirmKept(const std::string& name, const Original& original,
                     const FileIdentity& originalFile) const;

    // One entry of the backup folder and what a restore does with it.
    struct Item {
        fs::path backup;
        fs::path target;      // the object file it goes back over; empty when refused
        std::string refusal;  // why the entry is left alone
        Bytes data;
        fs::path link;                    // when refused as a link: the link
        std::vector<fs::path> caseTwins;  // when refused for names differing only in case
    };

    // Every entry of the backup folder, in upper-cased name order. Only regular files with a
    // plain file name that ObjData has (the same name, else the one name that differs only in
    // letter case) and that decode as object files go back; the others, links and targets
    // that are links included, are refused and left alone. Temporary files that an earlier run
    // left when it was cut off (isOwnTemporaryFile) are no entries: they are removed.
    // Raises FileError when the folder cannot be listed.
    std::vector<Item> restorePlan(const FolderHandle& objData) const;

    // Writes a planned item back over its object file atomically; raises FileError.
    static void restore(const FolderHandle& objData, const Item& item);

    // Removes the backup folder with everything in it; raises FileError.
    void remove() const;

private:
    bool keep(const std::string& name, const Original& original, const fs::path* file);
    FolderHandle game() const { return FolderHandle::open(gameFolder_); }

    fs::path gameFolder_;
    fs::path folder_;
    std::string name_;  // of the folder inside the game folder
};

}  // namespace tarn
