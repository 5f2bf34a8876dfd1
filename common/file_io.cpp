#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "common/errors.h"

namespace tarn {

namespace {

WriteFault g_fault;

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

void setWriteFaultForTesting(WriteFault fault) { g_fault = fault; }

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

bool fileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
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

bool copyFileNoOverwrite(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(to, ec)) {
        return false;
    }
    return fs::copy_file(from, to, fs::copy_options::none, ec) && !ec;
}

}  // namespace tarn
