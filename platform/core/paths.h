// SPDX-License-Identifier: GPL-3.0-or-later
// File-system lookups that behave as on Windows, where names match whatever their letter case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/folder_handle.h"

namespace tarn::platform {

namespace fs = std::filesystem;

// The path of the running program's own executable file; raises FileError when it cannot be
// found.
fs::path ownExecutablePath();

// The entry of folder named name whatever its letter case: the exact name when it exists,
// else the first entry (in upper-cased name order) whose name matches case-insensitively.
std::optional<fs::path> findEntryIgnoringCase(const fs::path& folder, const std::string& name);

// The same in a held folder: the entry's name, links not followed (Windows' lookup, whatever
// the case, from its listing too). nullopt also when the folder cannot be listed.
std::optional<std::string> findEntryIgnoringCase(const FolderHandle& folder,
                                                 const std::string& name);

// Entries in the order listFolder gives: by upper-cased name, names differing only in case by
// their bytes.
void sortByUpperCaseName(std::vector<FolderHandle::Entry>& entries);

// Whether two paths name the same place as the system spells names: "a/./b" as "a/b", and on
// Windows whatever the letter case and the separators. Only the texts are compared: neither path
// needs to exist.
bool sameSpelledPath(const fs::path& a, const fs::path& b);

// The regular files of folder whose names end in extension (".dat"), case-insensitively,
// sorted by upper-cased name in byte order. Raises FileError when the folder cannot be listed.
std::vector<fs::path> listFilesWithExtension(const fs::path& folder, const std::string& extension);

// Every entry of folder, sorted by upper-cased name in byte order. Raises FileError when the
// folder cannot be listed.
std::vector<fs::path> listEntries(const fs::path& folder);

// Whether path itself is a symbolic link (a reparse point on Windows: links, junctions),
// without following it. False for a missing path.
bool isLink(const fs::path& path);

// Makes the names in folder durable, so that a file renamed into it survives a power cut.
// Raises FileError. Nothing to do on Windows, whose replacement writes through.
void flushFolder(const fs::path& folder);

// A folder whose write permission bits are all off, whoever runs the program (as with
// read-only files, root is held to them too). Always false on Windows, where a folder's
// read-only attribute does not stop writing into it.
bool isReadOnlyFolder(const fs::path& folder);

// Whether this user may make files in folder. On Windows only trying tells (a folder's
// read-only attribute does not stop writing; access lists do), so a file that deletes itself on
// closing is made there.
bool mayWriteInFolder(const fs::path& folder);

}  // namespace tarn::platform
