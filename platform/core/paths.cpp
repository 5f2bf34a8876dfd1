#include "platform/core/paths.h"

#include <algorithm>
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
#include <fcntl.h>
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
    fs::path path;
    bool regularFile = false;  // from the listing, links followed
};

std::vector<NamedEntry> listFolder(const fs::path& folder) {
    std::vector<NamedEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        throw FileError("Cannot list folder \"" + pathToUtf8(folder) + "\". " + ec.message());
    }
    for (const fs::directory_entry& entry : it) {
        // The entry knows its type from the listing itself for all but links, so this costs no
        // call to the system per file.
        std::error_code typeError;
        const bool regular = entry.is_regular_file(typeError);
        std::string name = pathToUtf8(entry.path().filename());
        std::string upper = upperCaseUtf8(name);
        entries.push_back({std::move(upper), std::move(name), entry.path(), regular});
    }
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
                return entry.path;
            }
        }
    } catch (const FileError&) {
        return std::nullopt;
    }
    return std::nullopt;
}

std::vector<fs::path> listFilesWithExtension(const fs::path& folder, const std::string& extension) {
    const std::string wanted = upperCaseUtf8(extension);
    std::vector<fs::path> files;
    for (NamedEntry& entry : listFolder(folder)) {
        if (entry.upper.size() > wanted.size() &&
            entry.upper.compare(entry.upper.size() - wanted.size(), wanted.size(), wanted) == 0 &&
            entry.regularFile) {
            files.push_back(std::move(entry.path));
        }
    }
    return files;
}

std::vector<fs::path> listEntries(const fs::path& folder) {
    std::vector<fs::path> paths;
    for (NamedEntry& entry : listFolder(folder)) {
        paths.push_back(std::move(entry.path));
    }
    return paths;
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
