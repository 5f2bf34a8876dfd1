// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/partial_file_reading.h"

#include "platform/system_headers.h"

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <string>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"

namespace tarn::platform {

namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path, int err) {
    throw FileError(what + " \"" + pathToUtf8(path) + "\". " + std::strerror(err));
}

}  // namespace

std::intptr_t openForReading(const std::filesystem::path& path, std::uint64_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fail("Cannot open file", path, errno);
    }
    struct stat st {};
    const int err = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (err != 0) {
        ::close(fd);
        fail(err == EISDIR ? "Cannot open file" : "Cannot read file", path, err);
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

void closeFile(std::intptr_t fd) {
    ::close(static_cast<int>(fd));
}

// Answers how many bytes were read, fewer than asked only at the end of the file.
std::size_t readAt(std::intptr_t fd, std::uint8_t* out, std::size_t length, std::uint64_t offset,
                   const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(static_cast<int>(fd), out + done, length - done,
                                  static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("Cannot read file", path, errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

}  // namespace tarn::platform
