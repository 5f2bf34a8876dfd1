// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reading and writing. Every file the system rewrites goes through
// writeFileAtomically or writeFileRangesAtomically: the bytes go to a temporary file beside the
// target, which replaces the target only once it is complete, so a failure never leaves half a
// file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/file_identity.h"

namespace tarn {

namespace fs = std::filesystem;

class FolderHandle;

// Reads the whole file; raises FileError naming the file and the system's reason.
Bytes readWholeFile(const fs::path& path);

// Reads the whole file into the start of buffer and answers its size. The buffer is enlarged
// when it is too small and never shrunk, so that one buffer read file after file is seldom
// allocated or cleared again. Raises FileError as readWholeFile does.
std::size_t readWholeFile(const fs::path& path, Bytes& buffer);

// Writes data to a temporary file in the folder of the real target (a symbolic link is followed
// and stays a link), flushes it, renames it over the target and flushes the folder. The new file
// keeps the owner, group, permissions, extended attributes and access list of the file it
// replaces, and the save is refused where the owner cannot be kept; a new file gets newFileMode
// (subject to the umask). A read-only target is refused (refuseReadOnlyFile). Raises FileError
// naming the file and the system's reason; the target is then unchanged and no temporary file
// is left, also when the process is ended by SIGINT, SIGTERM or SIGHUP. (A failure to flush the
// folder is reported after the new file is in place.)
void writeFileAtomically(const fs::path& path, const Bytes& data,
                         std::optional<fs::perms> newFileMode = std::nullopt);

// How writeFileAtomically treats a target beyond its defaults.
struct WriteOptions {
    std::optional<fs::perms> newFileMode;  // as above
    // false: a target that is a symbolic link (a reparse point on Windows) is refused with
    // FileError instead of followed, and the rename replaces the name itself. For programs
    // writing into folders that other users may change, where a planted link would send the
    // write elsewhere; they check the folders below their own starting point themselves (a
    // folder the user reached through a link of their own is theirs to use).
    bool followLinks = true;
    // The target as the writer read it: when the file there is no longer that one just before
    // the rename (refuseChangedFile), FileChangedError is raised and nothing is written, so
    // that a result made from the old contents never replaces another program's write.
    std::optional<FileIdentity> expected = std::nullopt;
    // Given, the path is the name of an entry directly inside this folder, and the write goes
    // through the folder's handle without following anything: a link of that name raises
    // LinkError, the temporary file is made there exclusively and renamed over the name. For
    // a folder other users may change, where a link planted after a check would still be
    // followed by a write by path.
    const FolderHandle* folder = nullptr;
    // Called once the new contents are written and flushed to the temporary file, just before
    // it takes the target's place: work that must be done before the target changes can run
    // beside the writing. Raising leaves the target unchanged and removes the temporary file.
    std::function<void()> beforeReplace;
};
// The writer's no-follow mode in folder.
inline WriteOptions noFollowIn(const FolderHandle& folder) {
    WriteOptions options;
    options.folder = &folder;
    return options;
}
void writeFileAtomically(const fs::path& path, const Bytes& data, const WriteOptions& options);

// Takes the next piece of a file being written.
using ByteWriter = std::function<void(std::string_view piece)>;
// As writeFileAtomically, with the contents handed over piece by piece by produce, so that they
// never need to be in memory whole. An exception from produce leaves the target unchanged.
void streamFileAtomically(const fs::path& path,
                          const std::function<void(const ByteWriter& write)>& produce,
                          const WriteOptions& options = {});

// Raises FileError "Cannot write file "path". It is a link; nothing is written through a
// link." when path is a symbolic link (a reparse point on Windows).
void refuseLinkedTarget(const fs::path& path);

// A piece of a file to be written: data stored at offset.
struct FileRange {
    std::uint64_t offset = 0;
    Bytes data;
};
using FileRanges = std::vector<FileRange>;

// Stores every range over the bytes, in order (a later range wins where two overlap); a range
// past the end lengthens the bytes, the gap being zeros.
void applyFileRanges(Bytes& bytes, const FileRanges& ranges);

// A block of the old file that a rewrite puts at another offset.
struct FileMove {
    std::uint64_t from = 0;
    std::uint64_t to = 0;
    std::uint64_t length = 0;
};

// How a rewrite changes the old file before its ranges are written over it: the new size (the
// old bytes cut there, or followed by zeros) and blocks of the old file copied to other places.
struct FileReshape {
    std::uint64_t size = 0;
    std::vector<FileMove> moves;
};

// The bytes reshaped as writeFileRangesAtomically reshapes a file: every move copies the bytes
// as they were before any of them. Raises std::invalid_argument for a move from past the end.
void applyFileReshape(Bytes& bytes, const FileReshape& reshape);

// How writeFileRangesAtomically copied the unchanged bytes.
enum class RangeCopy {
    Clone,       // a reflink clone sharing the old file's blocks (FICLONE)
    KernelCopy,  // copy_file_range (CopyFileExW on Windows), the bytes never passing through
                 // this process
    WholeFile,   // neither is offered: the file was read whole, changed and written whole
};

// Replaces the existing file at path by itself with the ranges written over it (as
// applyFileRanges), after reshape, when given (as applyFileReshape). The temporary file beside
// it starts as a copy made inside the kernel, and moved blocks are copied there too, so only the
// ranges pass through memory; the copy, the range writes, the flush and the rename each fail
// cleanly. Keeps the file's permissions. Raises FileError; the file is then unchanged and the
// temporary file removed. Of options, followLinks, expected and folder apply as they do to
// writeFileAtomically.
RangeCopy writeFileRangesAtomically(const fs::path& path, const FileRanges& ranges,
                                    const std::optional<FileReshape>& reshape = std::nullopt,
                                    const WriteOptions& options = {});

// Whether the file holds exactly bytes. It is read in pieces, so that checking a large file
// just written costs no second copy of it in memory; false also when it cannot be read.
bool fileHoldsBytes(const fs::path& path, const Bytes& bytes);
// The same for contents that produce hands over piece by piece (as streamFileAtomically).
bool fileHoldsPieces(const fs::path& path,
                     const std::function<void(const ByteWriter& write)>& produce);
// The same for the file name inside folder, not followed (false for a link).
bool fileHoldsPieces(const FolderHandle& folder, const std::string& name,
                     const std::function<void(const ByteWriter& write)>& produce);

bool fileExists(const fs::path& path);  // an existing regular file (or a link to one)
bool directoryExists(const fs::path& path);
// An existing file that may not be written: its write permission bits are all off (the
// read-only attribute on Windows), whoever runs the program, since root may write anything but
// should not overwrite a file its owner protected; or the effective user may not write it
// (another owner's file, a read-only file system).
bool isReadOnlyFile(const fs::path& path);
// Raises FileError "Cannot write file "path". The file is read-only." for a read-only file. A
// rename replaces a file without asking for write permission, so every rewrite checks first.
void refuseReadOnlyFile(const fs::path& path);
// The same for the file name inside folder, not following a link.
void refuseReadOnlyFile(const FolderHandle& folder, const std::string& name);
std::uintmax_t fileSizeOf(const fs::path& path);  // raises FileError

// Copies a file, refusing to overwrite an existing target. Answers false on any failure.
bool copyFileNoOverwrite(const fs::path& from, const fs::path& to);

// Faults that tests inject into writeFileAtomically and writeFileRangesAtomically, to prove
// that a failing disk never loses the old file, and file systems without the kernel copies.
struct WriteFault {
    enum class Step {
        None,
        CreateTemporary,
        KeepOwner,       // giving the temporary file the old file's owner and group
        CopyAttributes,  // copying the old file's extended attributes and access list
        CopyOld,         // copying the old file's bytes (the clone, the kernel copy or the reading)
        WriteData,       // the data, or the ranges written over the copy
        Flush,
        Rename,
        FlushFolder,  // after the rename: the new file is in place but may not survive a crash
    };
    Step step = Step::None;
    std::size_t bytesBeforeFailure = 0;  // with WriteData: how many bytes reach the disk first
    bool noClone = false;                // the file system offers no reflink clone
    bool noKernelCopy = false;           // nor copy_file_range
    bool noUnnamedFile = false;  // nor O_TMPFILE: the temporary file has a name from the start
    int signalBeforeRename = 0;  // raised when the named temporary file is complete (POSIX)
    std::size_t writesBeforeSignal = 0;  // with signalBeforeRename: writes that finish first
};
void setWriteFaultForTesting(WriteFault fault);

}  // namespace tarn
