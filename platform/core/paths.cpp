// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/paths.h"

#include <algorithm>
#include <map>
#include <string>
#include <system_error>

#include "common/errors.h"
#include "common/utf8_path.h"
#include "platform/core/unicode_case.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace tarn::platform {

fs::path ownExecutablePath() {
#ifdef _WIN32
    std::wstring buffer(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) {
        throw FileError("Cannot find the program's own executable file");
    }
    buffer.resize(n);
    return fs::path(buffer);
#else
    std::error_code ec;
    fs::path path = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        throw FileError("Cannot find the program's own executable file. " + ec.message());
    }
    return path;
#endif
}

namespace {

struct NamedEntry {
    std::string upper;
    std::string name;
    bool regularFile = false;  // from the listing, links followed
};

std::string listingError(const fs::path& folder, const std::string& reason) {
    return "Cannot list folder \"" + pathToUtf8(folder) + "\". " + reason;
}

#ifdef _WIN32
std::vector<NamedEntry> readEntries(const fs::path& folder) {
    std::vector<NamedEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        throw FileError(listingError(folder, ec.message()));
    }
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        const bool regular = entry.is_regular_file(typeError);
        std::string name = pathToUtf8(entry.path().filename());
        std::string upper = upperCaseUtf8(name);
        entries.push_back({std::move(upper), std::move(name), regular});
    }
    return entries;
}
#else
// Read with readdir: the entry's type comes with its name for all but links (and file systems
// that do not tell), and no path is made for an entry the caller may not want. A folder of
// thousands of object files is listed each time the object window opens.
std::vector<NamedEntry> readEntries(const fs::path& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        throw FileError(listingError(folder, std::strerror(errno)));
    }
    std::vector<NamedEntry> entries;
    const int dirFd = ::dirfd(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            regular = ::fstatat(dirFd, entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
        }
        entries.push_back({upperCaseUtf8(name), std::string(name), regular});
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        throw FileError(listingError(folder, std::strerror(readError)));
    }
    return entries;
}
#endif

// The path of a listed entry. On POSIX it is made as one string: joining paths copies and splits
// the folder's components again for each of thousands of entries.
fs::path entryPath(const fs::path& folder, const std::string& name) {
#ifdef _WIN32
    return folder / pathFromUtf8(name);
#else
    const std::string& base = folder.native();
    if (base.empty()) {
        return fs::path(name);
    }
    std::string joined;
    joined.reserve(base.size() + 1 + name.size());
    joined.append(base);
    if (joined.back() != '/') {
        joined.push_back('/');
    }
    joined.append(name);
    return fs::path(std::move(joined));
#endif
}

// The folder's entries in the order the game's own listing shows them: by upper-cased name,
// names that differ only in case by their bytes.
std::vector<NamedEntry> listFolder(const fs::path& folder) {
    std::vector<NamedEntry> entries = readEntries(folder);
    std::sort(entries.begin(), entries.end(), [](const NamedEntry& a, const NamedEntry& b) {
        const int order = a.upper.compare(b.upper);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return entries;
}

}  // namespace

std::optional<fs::path> findEntryIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code ec;
#ifndef _WIN32
    // On Windows the name as given opens the entry whatever its case, so only the listing tells
    // the entry's real name; elsewhere an existing exact name is the entry.
    const fs::path exact = folder / pathFromUtf8(name);
    if (fs::exists(fs::symlink_status(exact, ec))) {
        return exact;
    }
#endif
    if (!fs::is_directory(folder, ec)) {
        return std::nullopt;
    }
    const std::string wanted = upperCaseUtf8(name);
    try {
        for (const NamedEntry& entry : listFolder(folder)) {
            if (entry.upper == wanted) {
                return entryPath(folder, entry.name);
            }
        }
    } catch (const FileError&) {
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> findEntryIgnoringCase(const FolderHandle& folder,
                                                 const std::string& name) {
    const std::string wanted = upperCaseUtf8(name);
    std::optional<std::string> found;
    try {
        for (const FolderHandle::Entry& entry : folder.list()) {
            if (entry.name == name) {
                return entry.name;
            }
            if (upperCaseUtf8(entry.name) == wanted && (!found || entry.name < *found)) {
                found = entry.name;
            }
        }
    } catch (const FileError&) {
    }
    return found;
}

void sortByUpperCaseName(std::vector<FolderHandle::Entry>& entries) {
    // As listFolder orders: the upper-cased name, a zero byte (which no name holds), the name.
    // A map rather than another sort keeps the players' program small.
    std::map<std::string, std::size_t> order;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order.emplace(upperCaseUtf8(entries[i].name) + '\0' + entries[i].name, i);
    }
    std::vector<FolderHandle::Entry> sorted;
    sorted.reserve(entries.size());
    for (const auto& [key, index] : order) {
        sorted.push_back(std::move(entries[index]));
    }
    entries = std::move(sorted);
}

std::vector<fs::path> listFilesWithExtension(const fs::path& folder, const std::string& extension) {
    const std::string wanted = upperCaseUtf8(extension);
    std::vector<fs::path> files;
    for (NamedEntry& entry : listFolder(folder)) {
        if (entry.upper.size() > wanted.size() &&
            entry.upper.compare(entry.upper.size() - wanted.size(), wanted.size(), wanted) == 0 &&
            entry.regularFile) {
            files.push_back(entryPath(folder, entry.name));
        }
    }
    return files;
}

std::vector<fs::path> listEntries(const fs::path& folder) {
    std::vector<fs::path> paths;
    for (const NamedEntry& entry : listFolder(folder)) {
        paths.push_back(entryPath(folder, entry.name));
    }
    return paths;
}

bool isLink(const fs::path& path) {
#ifdef _WIN32
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
#else
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
#endif
}

void flushFolder(const fs::path& folder) {
#ifdef _WIN32
    (void)folder;
#else
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
    const int err = errno;
    if (fd >= 0) {
        ::close(fd);
    }
    if (!flushed) {
        throw FileError("Cannot write folder \"" + pathToUtf8(folder) + "\". " +
                        std::strerror(err));
    }
#endif
}

bool isReadOnlyFolder(const fs::path& folder) {
#ifdef _WIN32
    (void)folder;
    return false;
#else
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (ec || !fs::is_directory(status)) {
        return false;
    }
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & write) == fs::perms::none;
#endif
}

bool mayWriteInFolder(const fs::path& folder) {
#ifdef _WIN32
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        const fs::path probe =
            folder / (".tarn-write-probe-" + std::to_string(::GetCurrentProcessId()) + "-" +
                      std::to_string(attempt));
        const HANDLE h =
            ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
#else
    return ::access(folder.c_str(), W_OK) == 0;
#endif
}

}  // namespace tarn::platform
