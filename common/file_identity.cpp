// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_identity.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <exception>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/utf8_path.h"
#include "platform/file_metadata.h"

namespace tarn {

using platform::statFile;
using platform::statOpenFile;

namespace {

std::uint64_t hashParts(PartialFile& file, const std::vector<FilePart>& parts) {
    std::vector<FilePart> wanted = parts;
    if (wanted.empty()) {
        wanted.push_back({0, file.size()});
    }
    file.prefetch(wanted);
    ByteHash hash;
    for (const FilePart& part : wanted) {
        std::uint64_t pos = part.offset;
        const std::uint64_t end = std::min(part.offset + part.length, file.size());
        while (pos < end) {
            auto piece = file.from(pos);
            if (piece.empty()) {
                break;
            }
            piece = piece.first(
                static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), end - pos)));
            hash.add(piece);
            pos += piece.size();
        }
    }
    return hash.value();
}

}  // namespace

bool FileIdentity::sameMetadata(const FileIdentity& other) const {
    return known == other.known && device == other.device && inode == other.inode &&
           size == other.size && modified == other.modified;
}

namespace {

static_assert(std::endian::native == std::endian::little,
              "whole words and carried bytes must agree on the order of their bytes");

// Each word is folded in by a bijection of the state (XOR, multiplication by an odd number, an
// xorshift), so that streams differing in one word always hash differently; eight bytes take a
// few cycles instead of eight dependent multiplications.
inline std::uint64_t foldWord(std::uint64_t state, std::uint64_t word) {
    state = (state ^ word) * 0x9E3779B97F4A7C15ull;
    return state ^ (state >> 32);
}

}  // namespace

void ByteHash::add(std::span<const std::uint8_t> bytes) {
    const std::uint8_t* p = bytes.data();
    std::size_t n = bytes.size();
    length_ += n;
    // Complete a word begun by the previous piece, byte by byte.
    while (carried_ != 0 && n != 0) {
        carry_ |= static_cast<std::uint64_t>(*p++) << (8 * carried_);
        --n;
        if (++carried_ == 8) {
            state_ = foldWord(state_, carry_);
            carry_ = 0;
            carried_ = 0;
        }
    }
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);  // first byte lowest, as the carried bytes are put together
        state_ = foldWord(state_, word);
    }
    for (; n != 0; ++p, --n) {
        carry_ |= static_cast<std::uint64_t>(*p) << (8 * carried_++);
    }
}

std::uint64_t ByteHash::value() const {
    // The bytes of an unfinished word, then the length, which tells trailing zero bytes apart.
    std::uint64_t h = foldWord(foldWord(state_, carry_), length_);
    h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
}

std::uint64_t hashBytes(std::span<const std::uint8_t> bytes) {
    ByteHash hash;
    hash.add(bytes);
    return hash.value();
}

FileIdentity takeFileIdentity(const std::filesystem::path& path, std::vector<FilePart> parts) {
    FileIdentity identity;
    identity.parts = std::move(parts);
    if (!statFile(path, identity)) {
        return identity;
    }
    PartialFile file(path);
    identity.hash = hashParts(file, identity.parts);
    return identity;
}

FileIdentity takeFileIdentity(const FolderHandle& folder, const std::string& name,
                              std::vector<FilePart> parts) {
    FileIdentity identity;
    identity.parts = std::move(parts);
    if (folder.kind(name) == FolderHandle::Kind::Missing) {
        return identity;
    }
    // The metadata of the very file opened, which is never a link's target.
    PartialFile file(folder, name);
    if (!statOpenFile(file.native(), identity)) {
        throw FileError("Cannot read file \"" + pathToUtf8(file.path()) + "\".");
    }
    identity.hash = hashParts(file, identity.parts);
    return identity;
}

Bytes readWholeFile(const std::filesystem::path& path, FileIdentity& identity) {
    Bytes bytes;
    bytes.resize(readWholeFile(path, bytes, identity));
    return bytes;
}

std::size_t readWholeFile(const std::filesystem::path& path, Bytes& buffer,
                          FileIdentity& identity) {
    identity = FileIdentity{};
    return platform::readWholeFileAndMetadata(path, buffer, identity);
}

bool changedOnDisk(const std::filesystem::path& path, const FileIdentity& known) {
    FileIdentity now;
    if (!statFile(path, now)) {
        return known.known;
    }
    if (now.sameMetadata(known)) {
        return false;
    }
    if (!known.known || now.size != known.size) {
        return true;
    }
    try {
        PartialFile file(path);
        return hashParts(file, known.parts) != known.hash;
    } catch (const std::exception&) {
        return true;
    }
}

void refuseChangedFile(const std::filesystem::path& path, const FileIdentity& read,
                       const std::filesystem::path& shown) {
    if (changedOnDisk(path, read)) {
        throw FileChangedError(pathToUtf8(shown));
    }
}

}  // namespace tarn
