// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

#include "common/errors.h"
#include "platform/gettext/gettext_streams.h"

namespace tarn::gettext {

namespace {

// The library opens file names with the ANSI functions, which cannot name every file on
// Windows, and reads a named file in text mode, where a byte 1A ends it early. "-" makes it read
// stdin and write stdout instead: for the length of one library call a pipe in binary mode takes
// the place of the standard descriptor, and a thread of its own feeds it the file's bytes or
// collects what the library writes. The library closes the stream when it is done; it is opened
// again on the same descriptor before the real one is put back.
class StandardPipe {
public:
    // Puts one end of a new pipe in place of the stream's descriptor and answers the other
    // end, or -1 when that cannot be done.
    int replace(FILE* stream) {
        stream_ = stream;
        mode_ = stream == stdin ? "rb" : "wb";
        // A window program started without standard handles has no descriptor behind the
        // stream: it is opened on the null device first, which gives it one to lend and to
        // get back.
        if (::_get_osfhandle(::_fileno(stream)) < 0 &&
            std::freopen("NUL", mode_, stream) == nullptr) {
            return -1;
        }
        descriptor_ = ::_fileno(stream);
        int ends[2];
        if (descriptor_ < 0 || ::_pipe(ends, 1 << 16, _O_BINARY | _O_NOINHERIT) != 0) {
            return -1;
        }
        const bool reading = stream == stdin;
        const int ours = reading ? ends[0] : ends[1];
        const int other = reading ? ends[1] : ends[0];
        saved_ = ::_dup(descriptor_);
        if (saved_ < 0 || ::_dup2(ours, descriptor_) != 0) {
            ::_close(ends[0]);
            ::_close(ends[1]);
            if (saved_ >= 0) {
                ::_close(saved_);
            }
            return -1;
        }
        ::_close(ours);
        ::_setmode(descriptor_, _O_BINARY);
        replaced_ = true;
        return other;
    }
    // Puts the real stream back. That closes the pipe's end in its place, which ends the thread
    // at the other end also when the library stopped early.
    void restore() {
        if (!replaced_) {
            return;
        }
        replaced_ = false;
        // Closes the stream, whether the library did or not (unread bytes in its buffer go
        // too), and opens it again on the lowest free descriptor, normally its own, which then
        // takes the real one's handle and its text or binary mode.
        std::freopen("NUL", mode_, stream_);
        const int now = ::_fileno(stream_);
        ::_dup2(saved_, now >= 0 ? now : descriptor_);
        ::_close(saved_);
    }

private:
    FILE* stream_ = nullptr;
    const char* mode_ = "rb";
    int descriptor_ = -1;
    int saved_ = -1;
    bool replaced_ = false;
};

class BytesAsStdin {
public:
    explicit BytesAsStdin(std::span<const std::uint8_t> bytes) {
        const int feed = pipe_.replace(stdin);
        if (feed < 0) {
            return;
        }
        std::clearerr(stdin);
        feeder_ = std::thread([feed, bytes] {
            for (std::size_t done = 0; done < bytes.size();) {
                const unsigned chunk =
                    static_cast<unsigned>(std::min<std::size_t>(bytes.size() - done, 1 << 16));
                const int n = ::_write(feed, bytes.data() + done, chunk);
                if (n <= 0) {
                    break;  // the library stopped reading
                }
                done += static_cast<std::size_t>(n);
            }
            ::_close(feed);
        });
    }
    ~BytesAsStdin() {
        if (feeder_.joinable()) {
            pipe_.restore();
            feeder_.join();
        }
    }
    BytesAsStdin(const BytesAsStdin&) = delete;
    BytesAsStdin& operator=(const BytesAsStdin&) = delete;
    bool ok() const { return feeder_.joinable(); }

private:
    StandardPipe pipe_;
    std::thread feeder_;
};

class StdoutAsBytes {
public:
    StdoutAsBytes() {
        std::fflush(stdout);  // what the program wrote before goes to the real stdout
        const int drain = pipe_.replace(stdout);
        if (drain < 0) {
            return;
        }
        collector_ = std::thread([drain, this] {
            std::uint8_t buffer[1 << 16];
            int n = 0;
            while ((n = ::_read(drain, buffer, sizeof buffer)) > 0) {
                bytes_.insert(bytes_.end(), buffer, buffer + n);
            }
            ::_close(drain);
        });
    }
    ~StdoutAsBytes() { finish(); }
    StdoutAsBytes(const StdoutAsBytes&) = delete;
    StdoutAsBytes& operator=(const StdoutAsBytes&) = delete;
    bool ok() const { return collector_.joinable() || finished_; }
    // Everything written to stdout since construction; stdout is the real one again.
    const Bytes& finish() {
        if (collector_.joinable()) {
            std::fflush(stdout);
            pipe_.restore();
            collector_.join();
            finished_ = true;
        }
        return bytes_;
    }

private:
    StandardPipe pipe_;
    std::thread collector_;
    Bytes bytes_;
    bool finished_ = false;
};
const std::string kStandardStream = "-";

}  // namespace

struct LibraryInput::State {
    explicit State(std::span<const std::uint8_t> bytes) : stdinBytes(bytes) {}
    BytesAsStdin stdinBytes;
};

LibraryInput::LibraryInput(std::span<const std::uint8_t> bytes)
    : state_(std::make_unique<State>(bytes)) {}
LibraryInput::~LibraryInput() = default;
bool LibraryInput::ok() const { return state_->stdinBytes.ok(); }
const std::string& LibraryInput::name() const { return kStandardStream; }
// This build of the library has no iconv and so checks no multibyte sequence.
bool LibraryInput::multibyteChecked() const { return false; }

struct LibraryOutput::State {
    StdoutAsBytes stdoutBytes;
};

LibraryOutput::LibraryOutput(const std::string& fileName) : state_(std::make_unique<State>()) {
    if (!state_->stdoutBytes.ok()) {
        throw FileError("Cannot write " + fileName + ": " + std::strerror(errno));
    }
}
LibraryOutput::~LibraryOutput() = default;
const std::string& LibraryOutput::name() const { return kStandardStream; }
Bytes LibraryOutput::finish() { return state_->stdoutBytes.finish(); }

}  // namespace tarn::gettext
