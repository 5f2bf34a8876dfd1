// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <span>
#include <string_view>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8.h"
#include "common/utf8_path.h"
#include "platform/gettext/gettext_calls.h"

namespace tarn {

namespace {

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
            result.problems.push_back(
                Problem::in(fileName, "the file is in the character set " + charset +
                                          ", not UTF-8 (msgconv -t UTF-8 converts it)"));
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
                     std::vector<Problem>& problems) {
    if (!mayHoldZeroByte(data)) {
        return;
    }
    std::size_t lineNumber = 1;
    bool reported = false;  // on this line
    bool inString = false;
    auto report = [&] {
        if (!reported) {
            problems.push_back(Problem::in(fileName, "A text cannot hold the byte 00", lineNumber));
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
std::vector<Problem> malformedUtf8Lines(std::string_view text, const std::string& fileName) {
    std::vector<Problem> problems;
    if (isValidUtf8(text)) {
        return problems;
    }
    std::size_t lineNumber = 1;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '\n') {
            ++lineNumber;
            ++at;
        } else if (!nextUtf8(text, at)) {
            problems.push_back(Problem::in(fileName, "invalid multibyte sequence", lineNumber));
            const std::size_t end = text.find('\n', at);
            at = end == std::string_view::npos ? text.size() : end;
        }
    }
    return problems;
}

}  // namespace

std::string formatPoFile(const PoHeaderFields& header, const std::vector<PoEntry>& entries,
                         const std::string& fileName) {
    std::vector<Problem> problems;
    std::vector<Problem> warnings;
    // Reports name the file as the caller gave it.
    const gettext::LibraryReports reports{fileName, &problems, &warnings};
    po_file_t file = buildFile(header, entries);
    std::optional<Bytes> text;
    try {
        text = gettext::formatWithLibrary(file, reports);
    } catch (...) {
        po_file_free(file);
        throw;
    }
    po_file_free(file);
    if (!text) {
        throw FileError("Cannot write " + fileName + ": " +
                        (problems.empty() ? "the PO library failed" : describe(problems.front())));
    }
    return toString(*text);
}

void writePoFile(const std::filesystem::path& path, const PoHeaderFields& header,
                 const std::vector<PoEntry>& entries) {
    writeFileAtomically(path, toBytes(formatPoFile(header, entries, pathToUtf8(path))));
}

PoReadResult readPoFile(const std::filesystem::path& path) {
    PoReadResult result;
    const std::string fileName = pathToUtf8(path);
    if (!fileExists(path)) {
        result.problems.push_back(Problem::in(
            fileName,
            std::filesystem::exists(path) ? "not a regular file" : "No such file or directory"));
        return result;
    }
    Bytes bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const FileError& e) {
        result.problems.push_back(Problem::withMessage(e.what()));
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
    const gettext::LibraryReports reports{fileName, &result.problems, &result.warnings};
    const std::size_t checked = result.problems.size();  // the problems found before the library
    const gettext::ParsedPoFile parsed = gettext::parseWithLibrary(content, reports);
    if (!parsed.finished) {
        return result;  // the fatal report is among the problems
    }
    if (parsed.file == nullptr) {
        result.problems.push_back(Problem::in(fileName, std::strerror(parsed.error)));
        return result;
    }
    // Reported as the library reports them where it checks the multibyte sequences itself.
    const std::vector<Problem> malformed =
        parsed.multibyteChecked
            ? std::vector<Problem>{}
            : malformedUtf8Lines(std::string_view(reinterpret_cast<const char*>(content.data()),
                                                  content.size()),
                                 fileName);
    if (collectEntries(parsed.file, fileName, result)) {
        result.problems.insert(result.problems.begin() + static_cast<std::ptrdiff_t>(checked),
                               malformed.begin(), malformed.end());
    }
    po_file_free(parsed.file);
    return result;
}

}  // namespace tarn
