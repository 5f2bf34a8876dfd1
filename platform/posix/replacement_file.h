// SPDX-License-Identifier: GPL-3.0-or-later
// The temporary file that replaces a file on POSIX systems (internal to the POSIX file code). It
// lives in the real file's folder, takes the old file's owner, group, mode, extended attributes
// and access control list, and replaces the file with one rename once it is complete and flushed.
// Until then it is unnamed where the file system offers O_TMPFILE, else named by the shared
// temporary-file rule and removed on failure and on SIGINT, SIGTERM or SIGHUP.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "common/file_io.h"
#include "common/temporary_files.h"

namespace tarn {

// Raises FileError: what, the quoted path, and the reason (the system's text for err).
// Closes a descriptor when the scope ends.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

[[noreturn]] void raiseFileError(const std::string& what, const fs::path& path,
                                 const std::string& reason);
[[noreturn]] void raiseFileError(const std::string& what, const fs::path& path, int err);

// The file a path finally names once every symbolic link in its last part is followed; a
// dangling link gives the missing file it points to. Raises FileError for a loop of links.
fs::path resolveLinks(const fs::path& path);

class ReplacementFile {
public:
    // A new temporary file beside real (the target with its links followed); shown is the name
    // the messages give. old is the file being replaced, if it exists, whose owner, group and
    // attributes the new file takes; otherwise the file gets mode. With a folder descriptor,
    // real is a name inside that folder and nothing there is followed: the temporary file is
    // made, renamed and flushed through the descriptor.
    ReplacementFile(const fs::path& real, const fs::path& shown, const struct stat* old,
                    mode_t mode, const WriteFault& fault, int folderFd = AT_FDCWD);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    int fd() const { return fd_; }

    // Writes the bytes at offset; a disk that fills up is reported as such.
    void writeAt(const std::uint8_t* data, std::size_t size, std::uint64_t offset);

    // Cuts the file at size, or lengthens it with zeros.
    void setSize(std::uint64_t size);

    // Flushes the file, renames it over the target and flushes the folder, so that the
    // replacement survives a power cut. With expected, the target must still be that file just
    // before the rename (refuseChangedFile). beforeRename, when given, runs after the flush.
    void replaceTarget(const std::optional<FileIdentity>& expected = std::nullopt,
                       const std::function<void()>& beforeRename = {});

private:
    void create(mode_t mode);
    void discard();  // closes and removes the temporary file
    void keepOwner(const struct stat* old);
    void keepAttributes(bool oldExists);
    void linkUnderTemporaryName();
    void flushFolder();
    // A name in the folder as the *at calls take it.
    fs::path inFolder(const fs::path& name) const;

    fs::path real_;
    fs::path shown_;
    fs::path folder_;
    int folderFd_;    // AT_FDCWD: the folder by its path
    fs::path named_;  // the temporary file's name while it has one, as inFolder gives it
    std::optional<TemporaryNameGuard> guard_;
    WriteFault fault_;
    int fd_ = -1;
    bool unnamed_ = false;                               // made with O_TMPFILE, not yet linked
    std::size_t budget_ = static_cast<std::size_t>(-1);  // bytes the disk still takes
};

}  // namespace tarn
