// SPDX-License-Identifier: GPL-3.0-or-later
// The error kinds of the core. Windows and command-line front ends catch these and show
// their messages; the core never opens a dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// Problems a caller shows or acts on are values: Problem (a file, a line, an offset, a message),
// and Converted<T> for a conversion that may not succeed. Exceptions remain for two things only:
// a file or data that could not be read or written, and a broken contract. The whole list:
//   could not read or write a file:  FileError, with FileChangedError (another program wrote it
//                                    since it was read) and LinkError (a link where none may be);
//                                    UnknownExecutableError (a file of no known build);
//                                    SpellingError (a dictionary Hunspell cannot open)
//   could not read data:             StreamReadError, and one per format for data that is whole
//                                    but wrong: TextTableError, CarriedDataError,
//                                    ResourceBundleError, MessageTableError
//   could not write data:            StreamWriteError (a value the format cannot hold, an
//                                    encoding it cannot write), ObjectTextsLimitError (more files
//                                    or texts than the players' program's layout can carry),
//                                    NoTextsError (a players' program with nothing to carry)
//   the command line's exit:         CommandError and UsageError, inside tarntool only
//   a broken contract:               std::logic_error and std::out_of_range from the library
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

// A write that could not be carried out (for example the memory for the buffer ran out, or a
// value the format cannot hold), in words of its own where the writer has them.
class StreamWriteError : public std::runtime_error {
public:
    StreamWriteError() : std::runtime_error("Stream write error") {}
    explicit StreamWriteError(const std::string& message) : std::runtime_error(message) {}
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

// A problem found in one file, kept as a value so that whoever shows it can also act on where it
// is (mark the file's row) without reading the place back out of the text.
struct Problem {
    std::optional<std::size_t> fileIndex;  // position in the batch the caller loaded, if any
    std::string path;                      // the name shown in front of the message; may be empty
    std::optional<std::size_t> line;
    std::optional<std::uint64_t> offset;  // byte in the data, said at the end of the message
    std::string message;

    // A problem that names no place (a text that does not convert).
    static Problem withMessage(std::string message) {
        Problem problem;
        problem.message = std::move(message);
        return problem;
    }
    // A problem in front of which path is named (a file, a message's msgctxt), on line if given.
    static Problem in(std::string path, std::string message,
                      std::optional<std::size_t> line = std::nullopt) {
        Problem problem = withMessage(std::move(message));
        problem.path = std::move(path);
        problem.line = line;
        return problem;
    }
};

// The one wording of a problem: "PATH: reason", "PATH:LINE: reason", "... at byte N".
inline std::string describe(const Problem& problem) {
    // Appended piece by piece: "x" + std::to_string(n) makes g++ 12 warn falsely (-Wrestrict).
    std::string text;
    if (!problem.path.empty()) {
        text.append(problem.path);
        if (problem.line) {
            text.append(":").append(std::to_string(*problem.line));
        }
        text.append(": ");
    }
    text.append(problem.message);
    if (problem.offset) {
        text.append(" at byte ").append(std::to_string(*problem.offset));
    }
    return text;
}

// Each problem in its one wording, in order.
inline std::vector<std::string> describe(const std::vector<Problem>& problems) {
    std::vector<std::string> lines;
    lines.reserve(problems.size());
    for (const Problem& problem : problems) {
        lines.push_back(describe(problem));
    }
    return lines;
}

// The outcome of a conversion: the converted value, or the reason it could not be made.
template <class T>
class Converted {
public:
    Converted(T value) : state_(std::move(value)) {}
    Converted(Problem problem) : state_(std::move(problem)) {}

    explicit operator bool() const { return state_.index() == 0; }
    const T& value() const { return std::get<0>(state_); }
    T& value() { return std::get<0>(state_); }
    const Problem& problem() const { return std::get<1>(state_); }

private:
    std::variant<T, Problem> state_;
};

}  // namespace tarn
