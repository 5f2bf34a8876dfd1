// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_file.h"

#include <gettext-po.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <span>
#include <string_view>
#include <thread>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

// libgettextpo keeps the error handler of a running call in globals, and its handler for fatal
// errors must not return. Calls therefore run one at a time, under a collector that records
// every report and leaves a fatal one by longjmp back into runGuarded. No C++ object with a
// destructor is alive in the frames that the jump skips.
std::mutex gLibraryMutex;

struct Collector {
    std::string fileName;  // names the file where a report gives none
    std::string readName;  // the copy the library reads instead, named fileName in reports
    std::vector<std::string>* problems = nullptr;
    std::vector<std::string>* warnings = nullptr;
    std::jmp_buf fatal;
};

Collector* gCollector = nullptr;

// Where a report points: the file as the caller named it, and the line where the report has one.
std::string location(const char* fileName, std::size_t line) {
    // Reading stdin, the library names the file "<stdin>" (in the user's language).
    std::string where =
        fileName != nullptr && fileName != gCollector->readName && gCollector->readName != "-"
            ? fileName
            : gCollector->fileName;
    if (fileName != nullptr && line != static_cast<std::size_t>(-1)) {
        where += ':';
        where += std::to_string(line);
    }
    return where;
}

void record(int severity, const char* fileName, std::size_t line, const char* text) {
    std::string message = text != nullptr ? text : "unknown error";
    while (!message.empty() && message.back() == '\n') {
        message.pop_back();
    }
    std::vector<std::string>& list =
        severity == PO_SEVERITY_WARNING ? *gCollector->warnings : *gCollector->problems;
    // The closing "found N fatal errors" only counts the errors already listed.
    if (severity == PO_SEVERITY_FATAL_ERROR && fileName == nullptr && !list.empty()) {
        return;
    }
    list.push_back(location(fileName, line) + ": " + message);
}

void onReport(int severity, po_message_t, const char* fileName, std::size_t line, std::size_t, int,
              const char* text) {
    record(severity, fileName, line, text);
    if (severity == PO_SEVERITY_FATAL_ERROR) {
        std::longjmp(gCollector->fatal, 1);
    }
}

void onReportOfTwo(int severity, po_message_t, const char* fileName1, std::size_t line1,
                   std::size_t, int, const char* text1, po_message_t, const char* fileName2,
                   std::size_t line2, std::size_t, int, const char* text2) {
    // The second part points at an earlier message ("the location of the first definition");
    // it is only worth a line where it names a place.
    record(severity, fileName1, line1, text1);
    if (fileName2 != nullptr) {
        record(severity == PO_SEVERITY_FATAL_ERROR ? PO_SEVERITY_ERROR : severity, fileName2, line2,
               text2);
    }
    if (severity == PO_SEVERITY_FATAL_ERROR) {
        std::longjmp(gCollector->fatal, 1);
    }
}

const po_xerror_handler kHandler = {onReport, onReportOfTwo};

// Runs step(argument) with the collector installed; answers false after a fatal error.
bool runGuarded(Collector& collector, void (*step)(void*), void* argument) {
    gCollector = &collector;
    if (setjmp(collector.fatal) != 0) {
        gCollector = nullptr;
        return false;
    }
    step(argument);
    gCollector = nullptr;
    return true;
}

std::string headerText(const PoHeaderFields& header) {
    std::string text;
    for (const auto& [field, value] : header) {
        text += field + ": " + value + "\n";
    }
    return text;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The "Field: value" lines of a header; a line without a colon is left out.
PoHeaderFields headerFields(const char* header) {
    PoHeaderFields fields;
    for (const std::string& line : splitLines(header == nullptr ? "" : header)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const std::size_t value = line.find_first_not_of(" \t", colon + 1);
        fields.emplace_back(line.substr(0, colon),
                            value == std::string::npos ? "" : line.substr(value));
    }
    return fields;
}

po_file_t buildFile(const PoHeaderFields& header, const std::vector<PoEntry>& entries) {
    po_file_t file = po_file_create();
    po_message_iterator_t it = po_message_iterator(file, nullptr);
    po_message_t head = po_message_create();
    po_message_set_msgid(head, "");
    po_message_set_msgstr(head, headerText(header).c_str());
    po_message_insert(it, head);
    for (const PoEntry& entry : entries) {
        po_message_t m = po_message_create();
        if (entry.hasContext) {
            po_message_set_msgctxt(m, entry.context.c_str());
        }
        po_message_set_msgid(m, entry.source.c_str());
        po_message_set_msgstr(m, entry.translation.c_str());
        if (!entry.notes.empty()) {
            po_message_set_extracted_comments(m, joinLines(entry.notes).c_str());
        }
        if (!entry.comments.empty()) {
            po_message_set_comments(m, joinLines(entry.comments).c_str());
        }
        po_message_set_fuzzy(m, entry.fuzzy ? 1 : 0);
        for (const PoReference& reference : entry.references) {
            po_message_add_filepos(m, reference.file.c_str(), reference.line);
        }
        po_message_insert(it, m);
    }
    po_message_iterator_free(it);
    return file;
}

#ifndef _WIN32
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
#endif

struct WriteCall {
    po_file_t file;
    const char* path;
};

struct ReadCall {
    const char* path;
    po_file_t file;
    int error;
};

// The charset of a header's Content-Type, or "" when it names none.
std::string headerCharset(const char* header) {
    if (header == nullptr) {
        return "";
    }
    char* field = po_header_field(header, "Content-Type");
    if (field == nullptr) {
        return "";
    }
    std::string contentType = field;
    std::free(field);
    const std::size_t at = contentType.find("charset=");
    if (at == std::string::npos) {
        return "";
    }
    std::string charset = contentType.substr(at + 8);
    charset = charset.substr(0, charset.find_first_of("; \t"));
    for (char& c : charset) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return charset;
}

bool readsAsUtf8(const std::string& charset) {
    // "CHARSET" is the placeholder of a template that nobody has filled in yet.
    return charset.empty() || charset == "UTF-8" || charset == "UTF8" || charset == "ASCII" ||
           charset == "US-ASCII" || charset == "CHARSET";
}

PoEntry toEntry(po_message_t m) {
    PoEntry entry;
    if (const char* context = po_message_msgctxt(m)) {
        entry.hasContext = true;
        entry.context = context;
    }
    entry.source = po_message_msgid(m);
    entry.translation = po_message_msgstr(m);
    entry.fuzzy = po_message_is_fuzzy(m) != 0;
    entry.notes = splitLines(po_message_extracted_comments(m));
    entry.comments = splitLines(po_message_comments(m));
    for (int i = 0; po_filepos_t position = po_message_filepos(m, i); ++i) {
        const std::size_t line = po_filepos_start_line(position);
        entry.references.push_back(
            {po_filepos_file(position), line == static_cast<std::size_t>(-1) ? 0 : line});
    }
    return entry;
}

// Answers whether every domain's header names UTF-8 (or ASCII, or no character set).
bool collectEntries(po_file_t file, const std::string& fileName, PoReadResult& result) {
    bool utf8 = true;
    for (const char* const* domain = po_file_domains(file); *domain != nullptr; ++domain) {
        const char* header = po_file_domain_header(file, *domain);
        if (result.header.empty()) {
            result.header = headerFields(header);
        }
        const std::string charset = headerCharset(header);
        if (!readsAsUtf8(charset)) {
            result.problems.push_back(fileName + ": the file is in the character set " + charset +
                                      ", not UTF-8 (msgconv -t UTF-8 converts it)");
            utf8 = false;
            continue;
        }
        // Counted first, so that the entries are put in place once rather than moved at
        // every growth.
        po_message_iterator_t counter = po_message_iterator(file, *domain);
        std::size_t messages = 0;
        while (po_next_message(counter) != nullptr) {
            ++messages;
        }
        po_message_iterator_free(counter);
        result.entries.reserve(result.entries.size() + messages);
        po_message_iterator_t it = po_message_iterator(file, *domain);
        while (po_message_t m = po_next_message(it)) {
            const bool header = po_message_msgctxt(m) == nullptr && *po_message_msgid(m) == '\0';
            if (!header && po_message_is_obsolete(m) == 0) {
                result.entries.push_back(toEntry(m));
            }
        }
        po_message_iterator_free(it);
    }
    return utf8;
}

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// Whether the backslash at text[at] begins an escape of the value 0: octal digits (at most
// three) or an x and hex digits, all of them 0.
bool escapesZero(std::string_view text, std::size_t at) {
    std::size_t i = at + 1;
    const bool hex = i < text.size() && text[i] == 'x';
    i += hex ? 1 : 0;
    const std::size_t first = i;
    bool zero = true;
    for (; i < text.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text[i])) != 0
                                   : i - first < 3 && isOctalDigit(text[i]));
         ++i) {
        zero = zero && text[i] == '0';
    }
    return i > first && zero;
}

// Whether data may hold a zero byte at all: a raw one, or an escape of the value 0, wherever
// it stands. Most files hold neither, and are then not read character by character.
bool mayHoldZeroByte(const Bytes& data) {
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    if (text.find('\0') != std::string_view::npos) {
        return true;
    }
    for (std::size_t at = text.find('\\'); at != std::string_view::npos;
         at = text.find('\\', at + 1)) {
        if (escapesZero(text, at)) {
            return true;
        }
    }
    return false;
}

// The library hands strings over as C strings, so a zero byte (a raw NUL, or an escape such as
// \0, \000 or \x00 inside a quoted string) would silently end a text there. Each line holding
// one is a problem, which keeps the whole file from being applied.
void refuseZeroBytes(const Bytes& data, const std::string& fileName,
                     std::vector<std::string>& problems) {
    if (!mayHoldZeroByte(data)) {
        return;
    }
    std::size_t lineNumber = 1;
    bool reported = false;  // on this line
    bool inString = false;
    auto report = [&] {
        if (!reported) {
            problems.push_back(fileName + ":" + std::to_string(lineNumber) +
                               ": A text cannot hold the byte 00");
            reported = true;
        }
    };
    bool comment = false;
    bool lineStart = true;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\n') {
            ++lineNumber;
            reported = inString = comment = false;
            lineStart = true;
            continue;
        }
        if (c == '\0') {
            report();
            continue;
        }
        if (lineStart && (c == ' ' || c == '\t')) {
            continue;
        }
        if (lineStart && c == '#') {
            comment = true;  // comments and obsolete messages are never applied
        }
        lineStart = false;
        if (comment) {
            continue;
        }
        if (c == '"') {
            inString = !inString;
        } else if (inString && c == '\\' && i + 1 < data.size()) {
            const char next = static_cast<char>(data[i + 1]);
            unsigned value = 1;
            std::size_t digits = 0;
            if (isOctalDigit(next)) {
                value = 0;
                while (digits < 3 && i + 1 + digits < data.size() &&
                       isOctalDigit(static_cast<char>(data[i + 1 + digits]))) {
                    value = value * 8 + static_cast<unsigned>(data[i + 1 + digits] - '0');
                    ++digits;
                }
            } else if (next == 'x') {
                value = 0;
                ++digits;
                while (i + 1 + digits < data.size() &&
                       std::isxdigit(static_cast<unsigned char>(data[i + 1 + digits]))) {
                    value |= data[i + 1 + digits] != '0';
                    ++digits;
                }
                value = digits == 1 ? 1 : value;  // "\x" without digits makes no zero
            }
            if (value == 0) {
                report();
            }
            i += std::max<std::size_t>(digits, 1);
        }
    }
}

// Lines holding malformed UTF-8, reported as the library reports them where it checks them
// itself ("FILE:LINE: invalid multibyte sequence").
std::vector<std::string> malformedUtf8Lines(std::string_view text, const std::string& fileName) {
    std::vector<std::string> problems;
    if (isValidUtf8(text)) {
        return problems;
    }
    std::size_t lineNumber = 1;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '\n') {
            ++lineNumber;
            ++at;
        } else if (!nextUtf8(text, at)) {
            problems.push_back(fileName + ":" + std::to_string(lineNumber) +
                               ": invalid multibyte sequence");
            const std::size_t end = text.find('\n', at);
            at = end == std::string_view::npos ? text.size() : end;
        }
    }
    return problems;
}

#ifndef _WIN32
// The library reads a file through stdio by name, or stdin for the name "-". The file's bytes,
// already read for the checks above, are given to it as stdin through a memory stream, so that
// the file is read once and a byte-order mark is skipped without a copy of the file. Callers
// hold gLibraryMutex; no part of the programs reads the real stdin while a PO file is read.
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
// gives the same strings, since no byte of a multibyte character is ASCII, and the check the
// conversion made is made by malformedUtf8Lines instead. The variable is put into the
// environment once, from a buffer of our own whose value is switched on and off in place: the
// environment is never reallocated under another thread's getenv, and child processes inherit
// an empty value, which means unset. A value the user set is left alone.
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
#else
// The library opens file names with the ANSI functions, which cannot name every file on
// Windows, and reads a named file in text mode, where a byte 1A ends it early. "-" makes it read
// stdin and write stdout instead: for the length of one library call a pipe in binary mode takes
// the place of the standard descriptor, and a thread of its own feeds it the file's bytes or
// collects what the library writes. The library closes the stream when it is done; it is opened
// again on the same descriptor before the real one is put back. Callers hold gLibraryMutex; no
// part of the programs uses the real stdin or stdout during that call.
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
#endif

}  // namespace

std::string formatPoFile(const PoHeaderFields& header, const std::vector<PoEntry>& entries,
                         const std::string& fileName) {
    std::vector<std::string> problems;
    std::vector<std::string> warnings;
    bool written = false;
    Bytes text;
    {
#ifdef _WIN32
        const std::string writeName = "-";
#else
        const ScratchFile scratch;
        const std::string writeName = scratch.path();
#endif
        const std::lock_guard lock(gLibraryMutex);
#ifdef _WIN32
        StdoutAsBytes output;
        if (!output.ok()) {
            throw FileError("Cannot write " + fileName + ": " + std::strerror(errno));
        }
#endif
        po_file_t file = buildFile(header, entries);
        Collector collector;
        collector.fileName = fileName;  // reports name the file as the caller gave it
        collector.readName = writeName;
        collector.problems = &problems;
        collector.warnings = &warnings;
        WriteCall call{file, writeName.c_str()};
        written = runGuarded(
            collector,
            [](void* a) {
                auto* c = static_cast<WriteCall*>(a);
                po_file_write(c->file, c->path, &kHandler);
            },
            &call);
        po_file_free(file);
#ifdef _WIN32
        text = output.finish();
#else
        if (written && problems.empty()) {
            text = readWholeFile(scratch.path());
        }
#endif
    }
    if (!written || !problems.empty()) {
        throw FileError("Cannot write " + fileName + ": " +
                        (problems.empty() ? "the PO library failed" : problems.front()));
    }
    return toString(text);
}

void writePoFile(const std::filesystem::path& path, const PoHeaderFields& header,
                 const std::vector<PoEntry>& entries) {
    writeFileAtomically(path, toBytes(formatPoFile(header, entries, pathToUtf8(path))));
}

PoReadResult readPoFile(const std::filesystem::path& path) {
    PoReadResult result;
    const std::string fileName = pathToUtf8(path);
    if (!fileExists(path)) {
        result.problems.push_back(
            fileName + ": " +
            (std::filesystem::exists(path) ? "not a regular file" : "No such file or directory"));
        return result;
    }
    Bytes bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const FileError& e) {
        result.problems.push_back(e.what());
        return result;
    }
    refuseZeroBytes(bytes, fileName, result.problems);
    // The library takes a byte-order mark for a syntax error; it reads the file without it, which
    // has the same lines.
    const bool byteOrderMark =
        bytes.size() >= 3 &&
        std::string_view(reinterpret_cast<const char*>(bytes.data()), 3) == "\xEF\xBB\xBF";
    const std::span<const std::uint8_t> content =
        std::span<const std::uint8_t>(bytes).subspan(byteOrderMark ? 3 : 0);
    std::vector<std::string> malformed;  // reported for a file that claims to be UTF-8

    const std::lock_guard lock(gLibraryMutex);
    const BytesAsStdin input(content);
    if (!input.ok()) {
        result.problems.push_back(fileName + ": " + std::strerror(errno));
        return result;
    }
#ifdef _WIN32
    // The Windows build of the library has no iconv and so checks no multibyte sequence.
    malformed = malformedUtf8Lines(
        std::string_view(reinterpret_cast<const char*>(content.data()), content.size()), fileName);
#else
    const ByteWiseLexing byteWise;
    if (byteWise.active()) {
        malformed = malformedUtf8Lines(
            std::string_view(reinterpret_cast<const char*>(content.data()), content.size()),
            fileName);
    }
#endif
    const std::string readName = "-";  // stdin, which holds the file's bytes
    Collector collector;
    collector.fileName = fileName;
    collector.readName = readName;
    collector.problems = &result.problems;
    collector.warnings = &result.warnings;
    ReadCall call{readName.c_str(), nullptr, 0};
    const std::size_t checked = result.problems.size();  // the problems found before the library
    const bool finished = runGuarded(
        collector,
        [](void* a) {
            auto* c = static_cast<ReadCall*>(a);
            c->file = po_file_read(c->path, &kHandler);
            c->error = errno;
        },
        &call);
    if (!finished) {
        return result;  // the fatal report is among the problems
    }
    if (call.file == nullptr) {
        result.problems.push_back(fileName + ": " + std::strerror(call.error));
        return result;
    }
    if (collectEntries(call.file, fileName, result)) {
        result.problems.insert(result.problems.begin() + static_cast<std::ptrdiff_t>(checked),
                               malformed.begin(), malformed.end());
    }
    po_file_free(call.file);
    return result;
}

}  // namespace tarn
