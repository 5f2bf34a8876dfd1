// The error kinds of the core. Windows and command-line front ends catch these and show
// their messages; the core never opens a dialog.
#pragma once

#include <stdexcept>
#include <string>

namespace tarn {

// Reading past the end of a stream or of malformed data.
class StreamReadError : public std::runtime_error {
public:
    StreamReadError() : std::runtime_error("Stream read error") {}
};

// A write that could not be carried out (for example the memory for the buffer ran out).
class StreamWriteError : public std::runtime_error {
public:
    StreamWriteError() : std::runtime_error("Stream write error") {}
};

// A file that could not be opened, read, written or renamed; the message names the file and
// gives the system's reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tarn
