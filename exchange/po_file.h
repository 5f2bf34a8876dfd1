// SPDX-License-Identifier: GPL-3.0-or-later
// Gettext PO files, read and written through GNU gettext's own library (libgettextpo), so that
// every CAT tool that reads PO reads ours and we read what they write.
//
// A file is a header (the message with an empty msgid and no msgctxt, holding "Field: value"
// lines) followed by messages:
//
//   # translator comment, one line each            <- PoEntry::comments
//   #. extracted comment, one line each            <- PoEntry::notes
//   #: Tarn.exe:41 ObjData/Chest.dat:0             <- PoEntry::references
//   #, fuzzy                                       <- PoEntry::fuzzy
//   msgctxt "exe/0042"                             <- PoEntry::context
//   msgid "original"                               <- PoEntry::source
//   msgstr "translation, empty when untranslated"  <- PoEntry::translation
//
// Strings use C escapes (\\ for a backslash, \n for a line feed, \" for a quote); the library
// applies and removes them, so PoEntry holds the characters themselves, UTF-8 encoded.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/errors.h"

namespace tarn {

// Where a message comes from, as "#: FILE:LINE" names it.
struct PoReference {
    std::string file;
    std::size_t line = 0;

    bool operator==(const PoReference&) const = default;
};

struct PoEntry {
    std::string context;  // msgctxt; empty when the message has none
    bool hasContext = false;
    std::string source;              // msgid
    std::string translation;         // msgstr
    std::vector<std::string> notes;  // "#." lines
    bool fuzzy = false;
    std::vector<PoReference> references{};  // "#:" lines
    std::vector<std::string> comments{};    // "# " lines, the translators' own
};

// "Field: value" lines of the header, in order.
using PoHeaderFields = std::vector<std::pair<std::string, std::string>>;

// Writes the header and the entries to path, replacing it atomically. Raises FileError when
// the file cannot be written; path is then unchanged.
void writePoFile(const std::filesystem::path& path, const PoHeaderFields& header,
                 const std::vector<PoEntry>& entries);

// The file writePoFile writes, as bytes; fileName names it in errors (FileError).
std::string formatPoFile(const PoHeaderFields& header, const std::vector<PoEntry>& entries,
                         const std::string& fileName);

struct PoReadResult {
    // The live messages in file order, every domain; the header and obsolete ("#~") messages
    // are left out.
    std::vector<PoEntry> entries;
    PoHeaderFields header;  // the first domain's, in order
    // Every error, in the file and on the line where the library names one ("FILE.po:LINE:
    // message" described). A file with problems must not be applied.
    std::vector<Problem> problems;
    std::vector<Problem> warnings;  // the same form; the file may still be applied
};

// Reads a PO file. Files in a character set other than UTF-8 (or ASCII) are refused with a
// problem, since their strings would be taken for UTF-8. A UTF-8 byte-order mark at the start,
// as some editors write one, is skipped.
PoReadResult readPoFile(const std::filesystem::path& path);

}  // namespace tarn
