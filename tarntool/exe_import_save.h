// SPDX-License-Identifier: GPL-3.0-or-later
// What the exe commands share: reading an executable or a texts file as input (status 2 when
// they cannot be read), and the executable's side of `exe import` and `exe import-po` (the same
// checks before any input is read, the same save, output and exit statuses).
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/edit_lock.h"
#include "exetext/executable_texts.h"
#include "textcodes/typed_codes.h"

namespace tarn::tool {

// The profile number of the executable at path, the texts of an executable, and the raw texts
// of a texts file. A file that cannot be read, is of no known build or is malformed raises
// CommandError with status 2; the errors of a texts file are reported line by line first.
int knownProfileOf(const std::string& path);
ExecutableTexts executableTexts(const std::string& path, Notation notation = Notation::Raw);
std::vector<std::string> readTextsFile(const std::string& path, const CodePage& codePage,
                                       TypedCodes typedCodes = TypedCodes::Refused);

struct ExeImportTarget {
    std::string path;  // the translated executable
    std::optional<std::string> primaryId;  // as given on the command line
    std::optional<std::string> secondaryId;
    std::optional<std::string> sharesPath;
    bool force = false;  // written even while an editing program holds its lock
    bool grow = false;   // texts that do not fit go into a section added to the file
};

// Adds --primary-id, --secondary-id, --shares, --grow and --force to an import command, in
// that order.
void addSaveOptions(CLI::App& command, ExeImportTarget& target);

// Raises UsageError unless the IDs are 0 to 254, the shares file can be created, and the
// executable exists; refuses (status 1) a read-only executable. Answers the lock to hold until
// the executable is written (lockForWriting).
[[nodiscard]] std::optional<EditLock> checkExeImportTarget(const ExeImportTarget& target);

// The identity of the executable at path (executableIdentity), taken before its texts or IDs
// are read; a file that cannot be read raises CommandError with status 2.
FileIdentity identityBeforeReading(const std::string& path);

// Saves the raw texts into the executable, as long as it is still the file read (another
// program's write since then: "X was changed by another program since it was read; nothing
// written", status 1), keeping its language IDs (currentIds, read from the
// file when not given) unless the target names others, writes the shares file, and prints the
// free space and, when the file grew, "added section: K texts, M bytes" (kOk), or "Not enough
// space ..." and, without --grow, a line naming it (kFailed). A summary of what was imported is
// printed before the free space, and only after a save.
int saveExeImport(const ExeImportTarget& target, const std::vector<std::string>& rawTexts,
                  const FileIdentity& read, std::optional<LanguageIds> currentIds = std::nullopt,
                  const std::string& summary = "");

}  // namespace tarn::tool
