// SPDX-License-Identifier: GPL-3.0-or-later
// Argument values shared by the commands: optional options, bounded numbers, code pages, hex
// bytes.
#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <optional>
#include <string>

#include "common/code_page.h"
#include "common/edit_lock.h"

namespace tarn::tool {

// An option with one value (shown as valueName in the help) that may be left out.
CLI::Option* addOptional(CLI::App& command, const std::string& name, const std::string& valueName,
                         std::optional<std::string>& value, const std::string& description);

// A decimal number from first to last; raises UsageError naming what it is.
unsigned parseNumber(const std::string& text, unsigned first, unsigned last,
                     const std::string& what);

// The characters of a command's texts: --code-page N and a character table over it.
struct CodePageOptions {
    std::optional<std::string> number;  // --code-page; 1252 without it
    std::optional<std::string> table;   // --table FILE
};

// --code-page N and --table FILE on a command that reads or writes texts as characters.
void addCodePageOption(CLI::App& command, CodePageOptions& options);
// The code page of --code-page (1252 without it) with the table of --table over it. Raises
// UsageError ("unknown code page N; supported: 874, 1250, ...") for a number that is not
// supported, and for a table that cannot be read or is refused ("T: line 3: ...").
CodePage parseCodePage(const CodePageOptions& options);
// The code page of --code-page alone.
CodePage parseCodePageNumber(const std::optional<std::string>& value);

// --allow-typed-codes on an import: characters on game-code bytes are stored as those codes.
void addAllowTypedCodesOption(CLI::App& command, bool& allow);

// Raises UsageError ("cannot write PATH") unless a file can be created in the folder of path
// (checked before anything is written).
void requireWritableFolder(const std::string& path);

// An output of text given as "-" goes to standard output.
bool isStandardOutput(const std::string& path);
// requireWritableFolder, for an output of text that may be standard output.
void requireTextOutput(const std::string& path);
// The text to standard output for "-", else into the file at path, replacing it atomically.
void writeTextOutput(const std::string& path, const std::string& text);

// Adds --force: a file is written even while an editing program holds its lock.
void addForceOption(CLI::App& command, bool& force);
// Adds --repair-checksum: an object file storing a wrong checksum is written, with the right
// one, instead of refused.
void addRepairChecksumOption(CLI::App& command, bool& repair);

// The lock a writing command holds from before it reads the file until it has written it, the
// same lock TarnEdit holds on a file it edits, so that two programs never write over each
// other's work. Another tarntool's lock is waited for (up to kWaitForWriterSeconds); any other
// live holder is refused (status 1) unless force: "PATH is open in TarnEdit (process 4711 on
// workstation); --force writes it anyway". With force no lock is taken.
inline constexpr int kWaitForWriterSeconds = 10;
std::optional<EditLock> lockForWriting(const std::string& path, bool force);
// The same for the files of an object folder: TarnEdit's object window locks the whole folder
// ("/games/tarn/ObjData is open in TarnEdit ...").
std::optional<EditLock> lockObjectFolderForWriting(const std::filesystem::path& folder,
                                                   bool force);

// Lower-case hex digits of bytes, and back (raises UsageError for malformed hex).
std::string toHex(const std::string& bytes);
std::string fromHex(const std::string& hex);

}  // namespace tarn::tool
