// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_metadata.h"

#include "platform/posix/stat_reading.h"
#include "platform/system_headers.h"

#include "common/file_io.h"

namespace tarn {

namespace {

using Metadata = struct stat;

void takeMetadata(const Metadata& st, FileIdentity& identity) {
    identity.modified =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    identity.known = true;
    identity.device = static_cast<std::uint64_t>(st.st_dev);
    identity.inode = static_cast<std::uint64_t>(st.st_ino);
    identity.size = static_cast<std::uint64_t>(st.st_size);
}

}  // namespace

namespace platform {

// The metadata of the file at path; false when it does not exist.
bool statFile(const std::filesystem::path& path, FileIdentity& identity) {
    Metadata st{};
    if (::stat(path.c_str(), &st) != 0) {
        return false;
    }
    takeMetadata(st, identity);
    return true;
}

// The metadata of an open file's descriptor.
bool statOpenFile(std::intptr_t native, FileIdentity& identity) {
    Metadata st{};
    if (::fstat(static_cast<int>(native), &st) != 0) {
        return false;
    }
    takeMetadata(st, identity);
    return true;
}

std::size_t readWholeFileAndMetadata(const std::filesystem::path& path, Bytes& buffer,
                                     FileIdentity& identity) {
    Metadata st{};
    const std::size_t size = readWholeFile(path, buffer, st);
    identity = wholeFileIdentity(st, std::span<const std::uint8_t>(buffer.data(), size));
    return size;
}

}  // namespace platform

FileIdentity wholeFileIdentity(const struct stat& metadata, std::span<const std::uint8_t> bytes) {
    FileIdentity identity;
    takeMetadata(metadata, identity);
    identity.hash = hashBytes(bytes);
    return identity;
}

}  // namespace tarn
