// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_metadata.h"

#include "platform/system_headers.h"

#include "common/file_io.h"

namespace tarn {

namespace platform {

// The metadata of the file at path; false when it does not exist.
bool statFile(const std::filesystem::path& path, FileIdentity& identity) {
    // The file's index and a modification time in 100 ns steps: the C library's stat gives
    // neither (no inode, whole seconds), so a rewrite of the same size within a second would
    // go unnoticed.
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool read = statOpenFile(reinterpret_cast<std::intptr_t>(h), identity);
    ::CloseHandle(h);
    return read;
}

bool statOpenFile(std::intptr_t native, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(native), &info)) {
        return false;
    }
    identity.known = true;
    identity.device = info.dwVolumeSerialNumber;
    identity.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
        info.ftLastWriteTime.dwLowDateTime);
    return true;
}

std::size_t readWholeFileAndMetadata(const std::filesystem::path& path, Bytes& buffer,
                                     FileIdentity& identity) {
    statFile(path, identity);
    const std::size_t size = readWholeFile(path, buffer);
    identity.known = true;  // read, so it exists, whatever the stat found
    identity.hash = hashBytes(std::span<const std::uint8_t>(buffer.data(), size));
    return size;
}

}  // namespace platform

}  // namespace tarn
