// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/partial_file_reading.h"

#include "platform/system_headers.h"
#include "platform/windows/error_text.h"

#include <algorithm>
#include <string>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"

namespace tarn::platform {

namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path, DWORD err) {
    throw FileError(what + " \"" + pathToUtf8(path) + "\". " + windowsErrorText(err));
}

HANDLE asHandle(std::intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

}  // namespace

std::intptr_t openForReading(const std::filesystem::path& path, std::uint64_t& size) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fail("Cannot open file", path, ::GetLastError());
    }
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(h, &length)) {
        const DWORD err = ::GetLastError();
        ::CloseHandle(h);
        fail("Cannot read file", path, err);
    }
    size = static_cast<std::uint64_t>(length.QuadPart);
    return reinterpret_cast<std::intptr_t>(h);
}

void closeFile(std::intptr_t h) {
    ::CloseHandle(asHandle(h));
}

// Answers how many bytes were read, fewer than asked only at the end of the file.
std::size_t readAt(std::intptr_t h, std::uint8_t* out, std::size_t length, std::uint64_t offset,
                   const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        DWORD n = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(length - done, 1u << 30));
        if (!::ReadFile(asHandle(h), out + done, want, &n, &at)) {
            const DWORD err = ::GetLastError();
            if (err == ERROR_HANDLE_EOF) {
                break;
            }
            fail("Cannot read file", path, err);
        }
        if (n == 0) {
            break;
        }
        done += n;
    }
    return done;
}

}  // namespace tarn::platform
