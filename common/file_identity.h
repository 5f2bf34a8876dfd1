// SPDX-License-Identifier: GPL-3.0-or-later
// What a document knows of a file it loaded, to notice another program writing it before a save
// writes over that change: the file's device, inode, size and modification time, and a hash of
// the parts the document read.
//
// The check is cheap where nothing happened: one stat, compared field by field. Only when the
// file's metadata differs are the parts read again, so that a file merely touched or copied back
// unchanged is not reported.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "common/partial_file.h"

namespace tarn {

struct FileIdentity {
    bool known = false;  // false: never taken (nothing loaded), or the file was missing
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;    // modification time: ns since 1970 (100 ns since 1601 on Windows)
    std::uint64_t hash = 0;       // of the parts, in order
    std::vector<FilePart> parts;  // the parts read; empty for the whole file

    bool sameMetadata(const FileIdentity& other) const;
};

// A 64-bit hash of a stream of bytes given in pieces of any size: the same bytes give the same
// value however they are split. Not for security: it tells a changed file from its old self.
class ByteHash {
public:
    void add(std::span<const std::uint8_t> bytes);
    std::uint64_t value() const;

private:
    std::uint64_t state_ = 0x6A09E667F3BCC908ull;
    std::uint64_t carry_ = 0;  // the bytes of an unfinished word, first byte lowest
    unsigned carried_ = 0;
    std::uint64_t length_ = 0;
};

std::uint64_t hashBytes(std::span<const std::uint8_t> bytes);

// The identity of the file at path now, hashing the given parts (clipped to the file), or the
// whole file when parts is empty. A missing file gives an identity that is not known. Raises
// FileError when the file exists but cannot be read.
FileIdentity takeFileIdentity(const std::filesystem::path& path, std::vector<FilePart> parts = {});
// The same for the file name inside folder, not followed: LinkError for a link.
FileIdentity takeFileIdentity(const FolderHandle& folder, const std::string& name,
                              std::vector<FilePart> parts = {});

// Reads the whole file (as readWholeFile) and its identity. The metadata is taken before the
// bytes, so that a change made while reading is seen by the next check, never hidden.
Bytes readWholeFile(const std::filesystem::path& path, FileIdentity& identity);
// The same into a reused buffer (as readWholeFile(path, buffer)); answers the file's size.
std::size_t readWholeFile(const std::filesystem::path& path, Bytes& buffer, FileIdentity& identity);

// Whether the file at path differs from the identity known: it vanished or appeared, or its
// metadata differs and so do the hashed parts. A file that cannot be read counts as changed.
// An identity that is not known and a file still missing are the same.
bool changedOnDisk(const std::filesystem::path& path, const FileIdentity& known);

// Raises FileChangedError naming shown when changedOnDisk(path, read): the writers' last check
// before their rename, so that a file another program wrote since it was read is never replaced
// by a result made from its old contents.
void refuseChangedFile(const std::filesystem::path& path, const FileIdentity& read,
                       const std::filesystem::path& shown);

}  // namespace tarn
