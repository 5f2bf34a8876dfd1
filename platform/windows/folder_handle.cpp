// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/folder_handle.h"

#include "platform/folder_calls.h"
#include "platform/system_headers.h"
#include "platform/windows/error_text.h"

#include "common/file_io.h"
#include "common/utf8_path.h"

namespace tarn {

using platform::failWith;

// Windows makes and removes folders by path: the held folder is not needed.
bool platform::makeFolderAt(std::intptr_t, const fs::path& path, const std::string&) {
    const bool made = ::CreateDirectoryW(path.c_str(), nullptr) != 0;
    if (!made && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        failWith("Cannot create folder", path, windowsErrorText(::GetLastError()));
    }
    return made;
}

void platform::removeEmptyFolderAt(std::intptr_t, const fs::path& path, const std::string&) {
    if (!::RemoveDirectoryW(path.c_str())) {
        failWith("Cannot remove folder", path, windowsErrorText(::GetLastError()));
    }
}

namespace {

[[noreturn]] void fail(const std::string& what, const fs::path& path, DWORD err) {
    failWith(what, path, windowsErrorText(err));
}

// The attributes of what a handle opened, the reparse point itself where it is one.
DWORD attributesOf(HANDLE h) {
    FILE_ATTRIBUTE_TAG_INFO info{};
    return ::GetFileInformationByHandleEx(h, FileAttributeTagInfo, &info, sizeof info)
               ? info.FileAttributes
               : FILE_ATTRIBUTE_REPARSE_POINT;  // unknown: refused as a link would be
}

// Opens path itself, a reparse point included, with the folder flags so that folders open too.
HANDLE openItself(const fs::path& path, DWORD access, DWORD share) {
    return ::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Folders are held without delete sharing: nobody renames or removes them while held.
constexpr DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kFileShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Closer {
    HANDLE h;
    ~Closer() {
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
    }
};

}  // namespace

FolderHandle::~FolderHandle() {
    if (native_ != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(native_));
    }
}

FolderHandle FolderHandle::open(const fs::path& path) {
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                   kFolderShare, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fail("Cannot open folder", path, ::GetLastError());
    }
    return FolderHandle(path, reinterpret_cast<std::intptr_t>(h));
}

std::optional<FolderHandle> FolderHandle::folder(const std::string& name) const {
    const fs::path path = pathOf(name);
    const HANDLE h = openItself(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kFolderShare);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
        fail("Cannot open folder", path, err);
    }
    FolderHandle held(path, reinterpret_cast<std::intptr_t>(h));
    const DWORD attributes = attributesOf(h);
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        throw LinkError("Cannot open folder", path);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        fail("Cannot open folder", path, ERROR_DIRECTORY);
    }
    return held;
}

FolderHandle::Kind FolderHandle::kind(const std::string& name) const {
    const DWORD attributes = ::GetFileAttributesW(pathOf(name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Kind::Missing;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return Kind::Link;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::Folder : Kind::File;
}

std::vector<FolderHandle::Entry> FolderHandle::list() const {
    WIN32_FIND_DATAW found{};
    const HANDLE h = ::FindFirstFileW((path_ / L"*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) {
        fail("Cannot list folder", path_, ::GetLastError());
    }
    std::vector<Entry> entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const DWORD a = found.dwFileAttributes;
        entries.push_back({pathToUtf8(fs::path(name)),
                           (a & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? Kind::Link
                           : (a & FILE_ATTRIBUTE_DIRECTORY) != 0   ? Kind::Folder
                                                                   : Kind::File});
    } while (::FindNextFileW(h, &found));
    const DWORD err = ::GetLastError();
    ::FindClose(h);
    if (err != ERROR_NO_MORE_FILES) {
        fail("Cannot list folder", path_, err);
    }
    return entries;
}

std::intptr_t FolderHandle::openFile(const std::string& name, std::uint64_t& size) const {
    const fs::path path = pathOf(name);
    Closer f{openItself(path, GENERIC_READ, kFileShare)};
    if (f.h == INVALID_HANDLE_VALUE) {
        fail("Cannot open file", path, ::GetLastError());
    }
    const DWORD attributes = attributesOf(f.h);
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        throw LinkError("Cannot open file", path);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        fail("Cannot open file", path, ERROR_DIRECTORY);
    }
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(f.h, &length)) {
        fail("Cannot read file", path, ::GetLastError());
    }
    size = static_cast<std::uint64_t>(length.QuadPart);
    return reinterpret_cast<std::intptr_t>(std::exchange(f.h, INVALID_HANDLE_VALUE));
}

Bytes FolderHandle::read(const std::string& name) const {
    const fs::path path = pathOf(name);
    std::uint64_t size = 0;
    Closer f{reinterpret_cast<HANDLE>(openFile(name, size))};
    Bytes data(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        if (!::ReadFile(f.h, data.data() + done, want, &n, nullptr)) {
            fail("Cannot read file", path, ::GetLastError());
        }
        if (n == 0) {
            break;
        }
        done += n;
    }
    data.resize(done);
    return data;
}

bool FolderHandle::isReadOnlyFile(const std::string& name) const {
    return tarn::isReadOnlyFile(pathOf(name));
}

bool FolderHandle::isReadOnly() const {
    return false;
}

void FolderHandle::replace(const std::string& from, const std::string& to) const {
    if (!::MoveFileExW(pathOf(from).c_str(), pathOf(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        fail("Cannot replace file", pathOf(to), ::GetLastError());
    }
}

bool FolderHandle::hardLink(const FolderHandle& source, const std::string& from,
                            const std::string& name) const {
    return source.kind(from) == Kind::File &&
           ::CreateHardLinkW(pathOf(name).c_str(), source.pathOf(from).c_str(), nullptr) != 0;
}

void FolderHandle::remove(const std::string& name) const {
    const fs::path path = pathOf(name);
    // A link to a folder is removed as a folder; the folder it names stays.
    const bool removed = kind(name) == Kind::Link && ::RemoveDirectoryW(path.c_str());
    if (!removed && !::DeleteFileW(path.c_str())) {
        const DWORD err = ::GetLastError();
        if (err != ERROR_FILE_NOT_FOUND) {
            fail("Cannot remove file", path, err);
        }
    }
}

void FolderHandle::flush() const {
    // Windows' replacements write through.
}

}  // namespace tarn
