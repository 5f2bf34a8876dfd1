// SPDX-License-Identifier: GPL-3.0-or-later
// Reader and writer of the Windows profile-file text format ("INI" files), used for the
// settings file tarnedit.ini.
//
// Reading:
//   - any run of CR and LF ends a line; every line is trimmed of tab, LF, VT, FF, CR, 0x1A and
//     space at both ends;
//   - "[name]" starts a section: the name runs to the last ']' of the line and is trimmed;
//   - other lines split at the first '=' into a key (right-trimmed) and a value; a line without
//     '=' is no key; ';' starts no comment of its own: "; note=x" is the key "; note", which no
//     program asks for, so such lines serve as comments;
//   - lines before the first section header form the nameless section "", found first;
//   - section and key names compare without regard to ASCII letter case; the first match wins;
//     the names a caller gives are trimmed too;
//   - one pair of surrounding quotes ("..." or '...') is removed from a value read back; a
//     default comes back the same way, without its trailing blanks;
//   - at most 2047 characters of a string come back.
// Writing edits the file in place: an existing key is changed where it stands, a new key goes at
// the end of its section, a new section at the end of the file; every other byte stays. New
// lines are "Key=Value" with CRLF. Writing the value already there changes nothing.
//
// The text is UTF-8; a file that starts with a UTF-16LE byte-order mark is read and written back
// as UTF-16LE, and a UTF-8 byte-order mark is kept.
//
// Changes are kept in memory until save(); a refused write raises FileError
// "Unable to write to " + path + ". " + the reason.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_identity.h"

namespace tarn {

class ProfileFile {
public:
    static constexpr std::size_t kMaxStringLength = 2047;

    // Reads the file; a file that is missing or cannot be read reads as empty. One that exists
    // but cannot be read is never written (save() refuses), so its settings survive.
    explicit ProfileFile(std::filesystem::path path);

    // Why the existing file could not be read; empty when it was read or is missing.
    const std::string& readError() const { return readError_; }

    const std::filesystem::path& path() const { return path_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The whole value must be a number: decimal with an optional sign, or hexadecimal after
    // "0x"/"0X" (values longer than two characters) or "$". Anything else gives the default.
    std::int32_t readInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    // Read as an integer; any non-zero value is true.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    void writeBool(std::string_view section, std::string_view key, bool value);  // "1" / "0"

    // Whether the section holds the key.
    bool hasKey(std::string_view section, std::string_view key) const;

    // True when a write changed the text since it was read or last saved.
    bool isModified() const { return modified_; }
    // Writes the file when it was changed. Raises FileError "Unable to write to " + path + ". "
    // + the reason when the file or its folder refuses the write, the file exists but could
    // not be read, or another program wrote it since it was read (so that no one's settings are
    // undone by text read before them); the file on disk is then unchanged.
    void save();

    // The file's text as it would be saved (UTF-8), for tests and diagnostics.
    std::string text() const;

private:
    struct Line {
        std::string content;     // the line without its terminator
        std::string terminator;  // the run of CR/LF after it (blank lines included), may be empty
    };
    struct Found {
        std::size_t sectionLine = npos;      // header line of the first matching section, or
                                             // kLeadingSection for the nameless one
        std::size_t keyLine = npos;          // first matching key line in it
        std::size_t lastContentLine = npos;  // last non-blank line of that section
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    static constexpr std::size_t kLeadingSection = npos - 1;

    Found find(std::string_view section, std::string_view key) const;
    void insertLineAfter(std::size_t index, std::string content);

    std::filesystem::path path_;
    FileIdentity read_;  // the file as read or last saved
    std::vector<Line> lines_;
    bool utf16_ = false;
    bool utf8Bom_ = false;
    bool modified_ = false;
    std::string readError_;
};

// The toolkit's 32-bit colour encoding stored in the settings: 0x00BBGGRR for an explicit
// colour, or 0xFFnnnnnn naming the system colour whose index is in the low byte.
namespace profile_color {
constexpr std::int32_t kButtonFace = static_cast<std::int32_t>(0xFF00000Fu);  // -16777201
constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0xFF000008u);  // -16777208

constexpr bool isSystemColor(std::int32_t value) {
    return (static_cast<std::uint32_t>(value) >> 24) == 0xFFu;
}
constexpr int systemColorIndex(std::int32_t value) {
    return static_cast<int>(static_cast<std::uint32_t>(value) & 0xFFu);
}
constexpr std::int32_t fromRgb(int red, int green, int blue) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(blue & 0xFF) << 16) |
                                     (static_cast<std::uint32_t>(green & 0xFF) << 8) |
                                     static_cast<std::uint32_t>(red & 0xFF));
}
constexpr int red(std::int32_t value) {
    return value & 0xFF;
}
constexpr int green(std::int32_t value) {
    return (value >> 8) & 0xFF;
}
constexpr int blue(std::int32_t value) {
    return (value >> 16) & 0xFF;
}
}  // namespace profile_color

}  // namespace tarn
