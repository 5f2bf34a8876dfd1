// SPDX-License-Identifier: GPL-3.0-or-later
// How a tarntool command fails: one error type carrying the exit status, raised by the commands
// and turned into a message and the status by Tool alone.
//
//   status 2 (kBadUse)  bad use, or input that cannot be read: a missing file, an unknown build
//                       or file size, a malformed file. Nothing was changed.
//   status 1 (kFailed)  the operation itself failed: no space, a write error with the system's
//                       reason, a refused read-only file, an object file storing a wrong
//                       checksum refused without --repair-checksum.
//
// The core's own errors that reach Tool unconverted are failures of the operation (status 1);
// input is read through readingInput, which turns the core's read errors into status 2 and
// names the file.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "common/errors.h"

namespace tarn::tool {

constexpr int kOk = 0;      // done
constexpr int kFailed = 1;  // the operation failed
constexpr int kBadUse = 2;  // bad use or unreadable input

class CommandError : public std::runtime_error {
public:
    // An empty message means the command has already written its report to standard error.
    CommandError(int status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    int status() const { return status_; }

private:
    int status_;
};

// Bad use of a command: reported in its family's wording (with the usage where the family shows
// it), status 2.
class UsageError : public CommandError {
public:
    explicit UsageError(const std::string& message) : CommandError(kBadUse, message) {}
};

// Input that cannot be read (status 2).
inline CommandError unreadableInput(const std::string& message) {
    return CommandError(kBadUse, message);
}

// An operation that failed (status 1).
inline CommandError operationFailed(const std::string& message) {
    return CommandError(kFailed, message);
}

// Runs read, which reads the input file at path, turning a file that cannot be opened or read
// (FileError, which names the file) or is malformed (StreamReadError, named here) into status 2.
template <typename Read>
auto readingInput(const std::string& path, Read read) -> decltype(read()) {
    try {
        return read();
    } catch (const StreamReadError& e) {
        throw unreadableInput(path + ": " + e.what());
    } catch (const FileError& e) {
        throw unreadableInput(e.what());
    }
}

}  // namespace tarn::tool
