// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/lock_file.h"

#include "platform/system_headers.h"

#include <fstream>
#include <system_error>

namespace tarn::platform {

std::filesystem::path lockedFileOf(const std::filesystem::path& target) {
    return target;
}

LockFileText readLockFile(const std::filesystem::path& lock, std::size_t largest) {
    LockFileText result;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(lock, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return result;
    }
    if (ec) {
        result.state = LockFileText::State::Unreadable;
        result.why = " cannot be read (" + ec.message() + ")";
        return result;
    }
    if (status.type() != std::filesystem::file_type::regular ||
        std::filesystem::file_size(lock, ec) > largest || ec) {
        result.state = LockFileText::State::NotALockFile;
        return result;
    }
    std::ifstream in(lock, std::ios::binary);
    std::string text(largest, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad() || (!in && !in.eof())) {
        result.state = LockFileText::State::Unreadable;
        result.why = " cannot be read";
        return result;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    result.state = LockFileText::State::Read;
    result.text = std::move(text);
    return result;
}

TemporaryLockFile::TemporaryLockFile(const std::filesystem::path& lock, const std::string& text)
    : lock_(lock), path_(temporaryNameBeside(lock)) {
    const HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD done = 0;
        written_ =
            ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
            done == text.size() && ::FlushFileBuffers(file);
        ::CloseHandle(file);
    }
}

TemporaryLockFile::~TemporaryLockFile() {
    ::DeleteFileW(path_.c_str());
}

// A move without replacing fails where a lock exists.
TemporaryLockFile::Placing TemporaryLockFile::placeIfNoLock() {
    if (::MoveFileExW(path_.c_str(), lock_.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return Placing::Placed;
    }
    const DWORD err = ::GetLastError();
    return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? Placing::LockExists
                                                                   : Placing::Failed;
}

bool TemporaryLockFile::replaceLock() {
    return ::MoveFileExW(path_.c_str(), lock_.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace tarn::platform
