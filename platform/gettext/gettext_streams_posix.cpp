// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "platform/gettext/gettext_streams.h"

namespace tarn::gettext {

namespace {

// The library reads a file through stdio by name, or stdin for the name "-". The file's bytes,
// already read by the caller, are given to it as stdin through a memory stream, so that the file
// is read once and a byte-order mark is skipped without a copy of the file.
class BytesAsStdin {
public:
    explicit BytesAsStdin(std::span<const std::uint8_t> bytes) {
        // An empty memory stream cannot be opened; a lone line end reads as the same empty file.
        static char emptyFile[] = "\n";
        void* data =
            bytes.empty() ? static_cast<void*>(emptyFile) : const_cast<std::uint8_t*>(bytes.data());
        memory_ = ::fmemopen(data, bytes.empty() ? 1 : bytes.size(), "r");
        if (memory_ != nullptr) {
            saved_ = stdin;
            stdin = memory_;
        }
    }
    ~BytesAsStdin() {
        if (memory_ != nullptr) {
            stdin = saved_;
            std::fclose(memory_);
        }
    }
    BytesAsStdin(const BytesAsStdin&) = delete;
    BytesAsStdin& operator=(const BytesAsStdin&) = delete;
    bool ok() const { return memory_ != nullptr; }

private:
    FILE* memory_ = nullptr;
    FILE* saved_ = nullptr;
};

// The library's lexer otherwise converts every character of a file through iconv, which takes
// most of the time of reading a large file, only to find where multibyte characters end. Set to
// a non-empty value, OLD_PO_FILE_INPUT makes it read bytes as they are; for a UTF-8 file that
// gives the same strings, since no byte of a multibyte character is ASCII, and the caller makes
// the check the conversion made. The variable is put into the environment once, from a buffer of
// our own whose value is switched on and off in place: the environment is never reallocated
// under another thread's getenv, and child processes inherit an empty value, which means unset.
// A value the user set is left alone.
class ByteWiseLexing {
public:
    ByteWiseLexing() {
        // The value is the one byte before the terminating zero: '1' while a file is read, and
        // a second terminating zero (an empty value) otherwise.
        static char setting[] = "OLD_PO_FILE_INPUT=1";
        static const bool ours =
            std::getenv("OLD_PO_FILE_INPUT") == nullptr && ::putenv(setting) == 0;
        if (ours) {
            value_ = setting + sizeof(setting) - 2;
            *value_ = '1';
        }
    }
    ~ByteWiseLexing() {
        if (value_ != nullptr) {
            *value_ = '\0';
        }
    }
    ByteWiseLexing(const ByteWiseLexing&) = delete;
    ByteWiseLexing& operator=(const ByteWiseLexing&) = delete;
    bool active() const { return value_ != nullptr; }

private:
    char* value_ = nullptr;
};

// A file name for the library to write, removed again when it goes out of scope.
class ScratchFile {
public:
    ScratchFile() {
        std::string pattern =
            pathToUtf8((std::filesystem::temp_directory_path() / "tarn-po-XXXXXX"));
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            throw FileError("Cannot create a temporary file: " + std::string(std::strerror(errno)));
        }
        ::close(fd);
        path_ = pattern;
    }
    ~ScratchFile() { ::unlink(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string kStandardStream = "-";

}  // namespace

struct LibraryInput::State {
    explicit State(std::span<const std::uint8_t> bytes) : stdinBytes(bytes) {}
    BytesAsStdin stdinBytes;
    ByteWiseLexing byteWise;
};

LibraryInput::LibraryInput(std::span<const std::uint8_t> bytes)
    : state_(std::make_unique<State>(bytes)) {}
LibraryInput::~LibraryInput() = default;
bool LibraryInput::ok() const { return state_->stdinBytes.ok(); }
const std::string& LibraryInput::name() const { return kStandardStream; }
bool LibraryInput::multibyteChecked() const { return !state_->byteWise.active(); }

struct LibraryOutput::State {
    ScratchFile scratch;
};

LibraryOutput::LibraryOutput(const std::string&) : state_(std::make_unique<State>()) {}
LibraryOutput::~LibraryOutput() = default;
const std::string& LibraryOutput::name() const { return state_->scratch.path(); }
Bytes LibraryOutput::finish() { return readWholeFile(state_->scratch.path()); }

}  // namespace tarn::gettext
