// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/profile_file.h"

#include <optional>
#include <utility>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/game_code_page.h"
#include "common/utf8.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r\x1a";

std::string_view trimLeft(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

std::string_view trimRight(std::string_view s) {
    const auto last = s.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

std::string_view trim(std::string_view s) {
    return trimRight(trimLeft(s));
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// A trimmed line "[name]..." gives the trimmed name; anything else gives false.
bool sectionName(std::string_view trimmed, std::string_view& name) {
    if (trimmed.empty() || trimmed.front() != '[') {
        return false;
    }
    const auto close = trimmed.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return false;
    }
    name = trim(trimmed.substr(1, close - 1));
    return true;
}

// A trimmed line "name = value" gives its key name and raw value; lines without '=' give
// false. A ';' line is no exception: the system knows no comments, a "; note=x" line is the key
// "; note", which no program asks for.
bool keyAndValue(std::string_view trimmed, std::string_view& key, std::string_view& value) {
    if (trimmed.empty()) {
        return false;
    }
    const auto eq = trimmed.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    key = trimRight(trimmed.substr(0, eq));
    value = trimLeft(trimmed.substr(eq + 1));
    return true;
}

// A value as it is read back: without one pair of surrounding quotes.
std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string limitCharacters(std::string_view utf8, std::size_t maxCharacters) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte & 0xC0u) != 0x80u) {  // first byte of a character
            if (count == maxCharacters) {
                return std::string(utf8.substr(0, i));
            }
            ++count;
        }
    }
    return std::string(utf8);
}

std::string utf16leToUtf8(const Bytes& data, std::size_t start) {
    std::string out;
    std::size_t i = start;
    auto unitAt = [&](std::size_t at) {
        return static_cast<char32_t>(data[at] | (static_cast<unsigned>(data[at + 1]) << 8));
    };
    while (i + 1 < data.size()) {
        char32_t unit = unitAt(i);
        i += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < data.size()) {
            const char32_t low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        // A lone surrogate is kept in the three-byte form UTF-8 would give it, so that a line
        // nobody changes is written back as it was.
        appendUtf8(out, unit);
    }
    return out;
}

// The three-byte form of a UTF-16 surrogate (U+D800 to U+DFFF), which strict UTF-8 refuses.
bool isLoneSurrogate(std::string_view utf8) {
    return utf8.size() >= 3 && static_cast<unsigned char>(utf8[0]) == 0xED &&
           (static_cast<unsigned char>(utf8[1]) & 0xE0) == 0xA0 &&
           (static_cast<unsigned char>(utf8[2]) & 0xC0) == 0x80;
}

void appendUtf16le(Bytes& out, std::string_view utf8) {
    auto put = [&](char32_t unit) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    };
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t at = pos;
        std::optional<char32_t> decoded = nextUtf8(utf8, pos);
        if (!decoded && isLoneSurrogate(utf8.substr(at))) {
            decoded = static_cast<char32_t>(((utf8[at] & 0x0F) << 12) |
                                            ((utf8[at + 1] & 0x3F) << 6) | (utf8[at + 2] & 0x3F));
            pos = at + 3;
        }
        char32_t c = decoded.value_or(0xFFFD);
        if (pos <= at) {
            pos = at + 1;  // skip a malformed byte
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            put(0xD800 + (c >> 10));
            put(0xDC00 + (c & 0x3FF));
        } else {
            put(c);
        }
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Strict integer parse; false when the text is not wholly a number in range.
bool parseInteger(std::string_view s, std::int32_t& result) {
    bool negative = false;
    std::string_view digits = s;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    bool hex = false;
    if (!digits.empty() && digits.front() == '$') {
        hex = true;
        digits.remove_prefix(1);
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        hex = true;
        digits.remove_prefix(2);
    }
    if (digits.empty()) {
        return false;
    }
    std::int64_t value = 0;
    for (const char c : digits) {
        const int d = hex ? hexDigit(c) : ((c >= '0' && c <= '9') ? c - '0' : -1);
        if (d < 0) {
            return false;
        }
        value = value * (hex ? 16 : 10) + d;
        if (value > 0xFFFFFFFFLL) {
            return false;
        }
    }
    if (hex) {
        // Hexadecimal covers the whole 32-bit pattern, so 0xFF00000F is a negative number.
        auto bits = static_cast<std::uint32_t>(value);
        if (negative) {
            bits = ~bits + 1u;
        }
        result = static_cast<std::int32_t>(bits);
        return true;
    }
    if (negative) {
        value = -value;
    }
    if (value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    result = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {
    Bytes data;
    try {
        if (fileExists(path_)) {
            data = readWholeFile(path_, read_);
        }
    } catch (const FileError& e) {
        // Read as empty, like a missing file, but never written over: its settings are not lost.
        data.clear();
        readError_ = e.reason();
    }
    std::string text;
    if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        utf16_ = true;
        text = utf16leToUtf8(data, 2);
    } else if (data.size() >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        utf8Bom_ = true;
        text.assign(data.begin() + 3, data.end());
    } else {
        text.assign(data.begin(), data.end());
    }
    std::size_t i = 0;
    while (i < text.size()) {
        const auto end = text.find_first_of("\r\n", i);
        Line line;
        if (end == std::string::npos) {
            line.content = text.substr(i);
            i = text.size();
        } else {
            line.content = text.substr(i, end - i);
            auto after = text.find_first_not_of("\r\n", end);
            if (after == std::string::npos) {
                after = text.size();
            }
            line.terminator = text.substr(end, after - end);
            i = after;
        }
        lines_.push_back(std::move(line));
    }
}

ProfileFile::Found ProfileFile::find(std::string_view section, std::string_view key) const {
    Found found;
    // The lines before the first section header form a nameless section, which comes first: it
    // is the one that the name "" finds, even when an empty "[]" header follows.
    if (section.empty()) {
        found.sectionLine = kLeadingSection;
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view trimmed = trim(lines_[i].content);
        std::string_view name;
        if (sectionName(trimmed, name)) {
            if (found.sectionLine != npos) {
                break;  // the first matching section ends here
            }
            if (sameName(name, section)) {
                found.sectionLine = i;
                found.lastContentLine = i;
            }
            continue;
        }
        if (found.sectionLine == npos) {
            continue;
        }
        if (!trimmed.empty()) {
            found.lastContentLine = i;
        }
        std::string_view keyName;
        std::string_view value;
        if (found.keyLine == npos && keyAndValue(trimmed, keyName, value) &&
            sameName(keyName, key)) {
            found.keyLine = i;
        }
    }
    return found;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const Found found = find(trim(section), trim(key));
    if (found.keyLine == npos) {
        // The default comes back as a stored value would: without trailing blanks and quotes.
        return limitCharacters(unquoted(trimRight(defaultValue)), kMaxStringLength);
    }
    std::string_view keyName;
    std::string_view value;
    keyAndValue(trim(lines_[found.keyLine].content), keyName, value);
    return limitCharacters(unquoted(value), kMaxStringLength);
}

std::int32_t ProfileFile::readInteger(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) const {
    std::int32_t value = 0;
    return parseInteger(readString(section, key, ""), value) ? value : defaultValue;
}

bool ProfileFile::readBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::insertLineAfter(std::size_t index, std::string content) {
    Line added{std::move(content), "\r\n"};
    Line& before = lines_[index];
    if (before.terminator.empty()) {
        before.terminator = "\r\n";
    } else {
        // The line keeps its own line break; the blank lines after it follow the new line.
        const std::size_t own = before.terminator.rfind("\r\n", 0) == 0 ? 2 : 1;
        added.terminator += before.terminator.substr(own);
        before.terminator.resize(own);
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index) + 1, std::move(added));
}

void ProfileFile::writeString(std::string_view untrimmedSection, std::string_view untrimmedKey,
                              std::string_view value) {
    const std::string_view section = trim(untrimmedSection);
    const std::string_view key = trim(untrimmedKey);
    // A value is one line: line breaks inside it would split the file's lines.
    std::string oneLine(value);
    for (char& c : oneLine) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    const Found found = find(section, key);
    if (found.sectionLine == npos) {
        if (!lines_.empty() && lines_.back().terminator.empty()) {
            lines_.back().terminator = "\r\n";
        }
        lines_.push_back({"[" + std::string(section) + "]", "\r\n"});
        lines_.push_back({std::string(key) + "=" + oneLine, "\r\n"});
    } else if (found.keyLine != npos) {
        std::string_view keyName;
        std::string_view current;
        keyAndValue(trim(lines_[found.keyLine].content), keyName, current);
        if (current == oneLine) {
            return;
        }
        lines_[found.keyLine].content = std::string(keyName) + "=" + oneLine;
    } else if (found.lastContentLine == npos) {
        // A nameless section without keys: the key goes before the first header.
        lines_.insert(lines_.begin(), Line{std::string(key) + "=" + oneLine, "\r\n"});
    } else {
        insertLineAfter(found.lastContentLine, std::string(key) + "=" + oneLine);
    }
    modified_ = true;
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    writeString(section, key, std::to_string(value));
}

void ProfileFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

std::string ProfileFile::text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.content;
        out += line.terminator;
    }
    return out;
}

void ProfileFile::save() {
    if (!modified_) {
        return;
    }
    const std::string utf8 = text();
    Bytes data;
    if (utf16_) {
        data = {0xFF, 0xFE};
        appendUtf16le(data, utf8);
    } else {
        const std::string bytes = (utf8Bom_ ? std::string("\xEF\xBB\xBF") : std::string()) + utf8;
        data.assign(bytes.begin(), bytes.end());
    }
    const std::string refused = "Unable to write to " + pathToUtf8(path_) + ". ";
    if (!readError_.empty()) {
        const std::string reason = "The file could not be read: " + readError_;
        throw FileError(refused + reason, reason);
    }
    try {
        WriteOptions options;
        options.expected = read_;
        writeFileAtomically(path_, data, options);
    } catch (const FileError& e) {
        throw FileError(refused + e.reason(), e.reason());
    }
    modified_ = false;
    try {
        read_ = takeFileIdentity(path_);
    } catch (const FileError&) {
        read_ = {};  // unreadable now: a later save finds it changed and refuses
    }
}

bool ProfileFile::hasKey(std::string_view section, std::string_view key) const {
    return find(trim(section), trim(key)).keyLine != npos;
}

}  // namespace tarn
