#include "common/file_io.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include <algorithm>
#include <string>

#include "common/errors.h"

namespace tarn {

namespace {

WriteFault g_fault;

}  // namespace

void setWriteFaultForTesting(WriteFault fault) {
    g_fault = fault;
}

#ifdef _WIN32

// Windows: the file functions of the system itself, so that the errors carry its own texts and
// a replacement is one MoveFileExW. Narrow text here is in the ANSI code page, as the paths'
// narrow form is.
namespace {

std::string systemMessage(DWORD err) {
    char* buffer = nullptr;
    const DWORD n = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, err, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text =
        n > 0 && buffer != nullptr ? std::string(buffer, n) : "System error " + std::to_string(err);
    if (buffer != nullptr) {
        ::LocalFree(buffer);
    }
    // The system's texts end in a full stop and a line end.
    while (!text.empty() &&
           (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

[[noreturn]] void fail(const std::string& what, const fs::path& path, DWORD err) {
    throw FileError(what + " \"" + path.string() + "\". " + systemMessage(err));
}

// Closes a handle when the scope ends.
struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
    }
};

// The largest piece handed to one ReadFile or WriteFile call.
constexpr std::size_t kChunk = 1u << 30;

}  // namespace

Bytes readWholeFile(const fs::path& path) {
    Handle f{::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (f.h == INVALID_HANDLE_VALUE) {
        fail("Cannot open file", path, ::GetLastError());
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(f.h, &size)) {
        fail("Cannot read file", path, ::GetLastError());
    }
    Bytes data(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD n = 0;
        const auto want = static_cast<DWORD>(std::min(kChunk, data.size() - done));
        if (!::ReadFile(f.h, data.data() + done, want, &n, nullptr)) {
            fail("Cannot read file", path, ::GetLastError());
        }
        if (n == 0) {
            data.resize(done);  // the file shrank while it was read
            break;
        }
        done += n;
    }
    return data;
}

void writeFileAtomically(const fs::path& path, const Bytes& data, std::optional<fs::perms>) {
    refuseReadOnlyFile(path);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const WriteFault fault = g_fault;
    if (fault.step == WriteFault::Step::CreateTemporary) {
        fail("Cannot create file", path, ERROR_ACCESS_DENIED);
    }
    // A new name in the target's folder, so that the replacement stays on one volume.
    Handle f;
    fs::path temporary;
    const unsigned long long seed = ::GetTickCount64() * 2654435761ull ^ ::GetCurrentProcessId();
    for (unsigned attempt = 0; f.h == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = folder / ("." + path.filename().string() + ".tmp-" +
                              std::to_string((seed + attempt * 7919u) % 1000000007u));
        f.h = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD err = ::GetLastError();
        if (f.h == INVALID_HANDLE_VALUE && (err != ERROR_FILE_EXISTS || attempt == 100)) {
            fail("Cannot create file", path, err);
        }
    }
    auto abandon = [&](const std::string& what, DWORD err) {
        ::CloseHandle(f.h);
        f.h = INVALID_HANDLE_VALUE;
        ::DeleteFileW(temporary.c_str());
        fail(what, path, err);
    };

    std::size_t limit = data.size();
    if (fault.step == WriteFault::Step::WriteData && fault.bytesBeforeFailure < limit) {
        limit = fault.bytesBeforeFailure;
    }
    std::size_t done = 0;
    while (done < limit) {
        DWORD n = 0;
        const auto want = static_cast<DWORD>(std::min(kChunk, limit - done));
        if (!::WriteFile(f.h, data.data() + done, want, &n, nullptr)) {
            abandon("Cannot write file", ::GetLastError());
        }
        done += n;
    }
    if (done < data.size()) {
        abandon("Cannot write file", ERROR_DISK_FULL);
    }
    if (!::FlushFileBuffers(f.h)) {
        abandon("Cannot write file", ::GetLastError());
    }
    const BOOL closed = ::CloseHandle(f.h);
    f.h = INVALID_HANDLE_VALUE;
    if (!closed) {
        const DWORD err = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        fail("Cannot write file", path, err);
    }
    if (fault.step == WriteFault::Step::Rename) {
        ::DeleteFileW(temporary.c_str());
        fail("Cannot replace file", path, ERROR_ACCESS_DENIED);
    }
    if (!::MoveFileExW(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD err = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        fail("Cannot replace file", path, err);
    }
}

bool directoryExists(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isReadOnlyFile(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::uintmax_t fileSizeOf(const fs::path& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) {
        throw FileError("Cannot open file \"" + path.string() + "\". " + ec.message());
    }
    return size;
}

#else

namespace {

[[noreturn]] void fail(const std::string& what, const fs::path& path, int err) {
    throw FileError(what + " \"" + path.string() + "\". " + std::strerror(err));
}

// Closes a descriptor when the scope ends.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

}  // namespace

Bytes readWholeFile(const fs::path& path) {
    Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) {
        fail("Cannot open file", path, errno);
    }
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) {
        fail("Cannot read file", path, errno);
    }
    if (S_ISDIR(st.st_mode)) {
        fail("Cannot open file", path, EISDIR);
    }
    Bytes data(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(f.fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("Cannot read file", path, errno);
        }
        if (n == 0) {
            data.resize(done);  // the file shrank while it was read
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return data;
}

void writeFileAtomically(const fs::path& path, const Bytes& data,
                         std::optional<fs::perms> newFileMode) {
    refuseReadOnlyFile(path);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + path.filename().string() + ".tmp-XXXXXX")).string();

    const WriteFault fault = g_fault;
    Fd f;
    if (fault.step == WriteFault::Step::CreateTemporary) {
        fail("Cannot create file", path, EACCES);
    }
    f.fd = ::mkstemp(pattern.data());
    if (f.fd < 0) {
        fail("Cannot create file", path, errno);
    }
    const fs::path temporary = pattern;
    auto abandon = [&](const std::string& what, int err) {
        ::close(f.fd);
        f.fd = -1;
        ::unlink(temporary.c_str());
        fail(what, path, err);
    };

    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        const auto wanted = newFileMode ? static_cast<mode_t>(*newFileMode) : mode_t{0666};
        mode = wanted & ~mask;
    }
    if (::fchmod(f.fd, mode) != 0) {
        abandon("Cannot write file", errno);
    }

    std::size_t limit = data.size();
    if (fault.step == WriteFault::Step::WriteData && fault.bytesBeforeFailure < limit) {
        limit = fault.bytesBeforeFailure;
    }
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t n = ::write(f.fd, data.data() + done, limit - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            abandon("Cannot write file", errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (done < data.size()) {
        abandon("Cannot write file", ENOSPC);
    }
    if (::fsync(f.fd) != 0) {
        abandon("Cannot write file", errno);
    }
    if (::close(f.fd) != 0) {
        f.fd = -1;
        ::unlink(temporary.c_str());
        fail("Cannot write file", path, errno);
    }
    f.fd = -1;
    if (fault.step == WriteFault::Step::Rename) {
        ::unlink(temporary.c_str());
        fail("Cannot replace file", path, EACCES);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temporary.c_str());
        fail("Cannot replace file", path, err);
    }
}

bool directoryExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool isReadOnlyFile(const fs::path& path) {
    // The read-only attribute: nobody may write the file. Checked on the mode bits rather than
    // with access(), which grants everything to root.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::uintmax_t fileSizeOf(const fs::path& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) {
        fail("Cannot open file", path, ec.value());
    }
    return size;
}

#endif

void refuseReadOnlyFile(const fs::path& path) {
    if (isReadOnlyFile(path)) {
        throw FileError("Cannot write file \"" + path.string() + "\". The file is read-only.");
    }
}

bool fileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool copyFileNoOverwrite(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(to, ec)) {
        return false;
    }
    return fs::copy_file(from, to, fs::copy_options::none, ec) && !ec;
}

}  // namespace tarn
