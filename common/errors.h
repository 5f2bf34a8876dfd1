// SPDX-License-Identifier: GPL-3.0-or-later
// The error kinds of the core. Windows and command-line front ends catch these and show
// their messages; the core never opens a dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace tarn {

// Reading past the end of a stream or of malformed data. Where the reader knows it, the error
// carries the offset, in the data being read, of the item that could not be read whole, and says
// so: "unexpected end of data at byte 812". Whoever knows the file's name puts it in front.
class StreamReadError : public std::runtime_error {
public:
    StreamReadError() : std::runtime_error("Stream read error") {}
    explicit StreamReadError(std::uint64_t offset)
        : std::runtime_error("unexpected end of data at byte " + std::to_string(offset)),
          offset_(offset) {}
    // Data that is whole but cannot be read, in words of its own: "unknown encoding 7 at byte 16".
    StreamReadError(const std::string& message, std::uint64_t offset)
        : std::runtime_error(message), offset_(offset) {}

    std::optional<std::uint64_t> offset() const { return offset_; }

private:
    std::optional<std::uint64_t> offset_;
};

// A write that could not be carried out (for example the memory for the buffer ran out).
class StreamWriteError : public std::runtime_error {
public:
    StreamWriteError() : std::runtime_error("Stream write error") {}
};

// A file that could not be opened, read, written or renamed; the message names the file and
// gives the system's reason, which reason() also answers alone (the whole message where none was
// given apart).
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    FileError(const std::string& message, std::string reason)
        : std::runtime_error(message), reason_(std::move(reason)) {}

    std::string reason() const { return reason_.empty() ? std::string(what()) : reason_; }

private:
    std::string reason_;
};

// A file that another program wrote since it was read, found just before a rewrite would have
// replaced it: nothing was written.
class FileChangedError : public FileError {
public:
    explicit FileChangedError(const std::string& shownPath)
        : FileError(
              shownPath + " was changed by another program since it was read; nothing written",
              "It was changed by another program since it was read") {}
};

}  // namespace tarn
