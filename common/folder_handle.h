// SPDX-License-Identifier: GPL-3.0-or-later
// A folder held open, and everything below it reached through it without following links: for
// programs that write into folders other users may change, where a link planted between a check
// and the write would send the write elsewhere. The folder itself is opened by its path, links
// followed (a folder the user reached through a link of their own is theirs). POSIX works
// relative to the folder's descriptor (openat with O_NOFOLLOW, renameat, unlinkat); Windows
// joins the names under the folder, refuses reparse points on every handle it opens, and holds
// the folders open without delete sharing, so that they cannot be swapped meanwhile.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/errors.h"

namespace tarn {

namespace fs = std::filesystem;

// An entry below a held folder that is a link (a reparse point on Windows); nothing was done
// through it. path() is the link as shown.
class LinkError : public FileError {
public:
    LinkError(const std::string& what, fs::path path);
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

class FolderHandle {
public:
    enum class Kind { Missing, File, Folder, Link, Other };
    struct Entry {
        std::string name;
        Kind kind;
    };

    // The folder at path, links in it followed. Raises FileError.
    static FolderHandle open(const fs::path& path);
    // The folder name inside this one, not followed: nullopt when there is none, LinkError for a
    // link, FileError for anything else that is not a folder.
    std::optional<FolderHandle> folder(const std::string& name) const;
    // The same, made first when missing (answers whether it was made).
    FolderHandle makeFolder(const std::string& name, bool& made) const;

    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    ~FolderHandle();

    const fs::path& path() const { return path_; }
    fs::path pathOf(const std::string& name) const;
    // The descriptor (POSIX) or HANDLE (Windows), for the writers.
    std::intptr_t native() const { return native_; }

    // What name is, links not followed.
    Kind kind(const std::string& name) const;
    // The folder's entries; their kinds not followed. Raises FileError.
    std::vector<Entry> list() const;
    // A regular file read whole; LinkError for a link, FileError otherwise.
    Bytes read(const std::string& name) const;
    // A regular file opened for reading, not followed, and its size: the descriptor (POSIX) or
    // HANDLE (Windows), which the caller closes. LinkError for a link, FileError otherwise.
    std::intptr_t openFile(const std::string& name, std::uint64_t& size) const;
    // Whether name is a file that may not be written (write bits all off, whoever runs the
    // program, or the effective user may not write it; the read-only attribute on Windows).
    bool isReadOnlyFile(const std::string& name) const;
    // A folder whose write bits are all off (never on Windows).
    bool isReadOnly() const;

    // Renames from over to inside this folder; raises FileError.
    void replace(const std::string& from, const std::string& to) const;
    // Makes name in this folder a second name of the file from names in folder source; false
    // when the file system cannot (the caller copies instead).
    bool hardLink(const FolderHandle& source, const std::string& from,
                  const std::string& name) const;
    // Removes a file or link (the link itself); a missing one is no error. Raises FileError.
    void remove(const std::string& name) const;
    // Removes the folder name with everything below it, links removed, never followed.
    void removeFolder(const std::string& name) const;
    // Makes the names in the folder durable. Raises FileError.
    void flush() const;

private:
    FolderHandle(fs::path path, std::intptr_t native) : path_(std::move(path)), native_(native) {}

    fs::path path_;
    std::intptr_t native_;
};

}  // namespace tarn
