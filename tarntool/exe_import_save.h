// The executable's side of `exe import` and `exe import-po`: the same checks before any input is
// read, the same reading of the translated executable, and the same save, output and exit
// statuses.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exetext/exe_profile.h"

namespace tarn::tool {

// The profile number of an executable of size bytes, or -1 after reporting the unknown size.
int knownProfileOf(const std::string& path, std::uint64_t size);

struct ExeImportTarget {
    std::string path;  // the translated executable
    std::optional<std::string> primaryId;  // as given on the command line
    std::optional<std::string> secondaryId;
    std::optional<std::string> sharesPath;
};

// Adds --primary-id, --secondary-id and --shares to an import command, in that order.
void addSaveOptions(CLI::App& command, ExeImportTarget& target);

// Raises UsageError unless the IDs are 0 to 254, the shares file can be created, and the
// executable exists and may be written.
void checkExeImportTarget(const ExeImportTarget& target);

struct ExeTexts {
    std::vector<std::string> texts;  // raw, text n at index n - 1
    std::vector<int> notFound;       // texts whose pointer leads nowhere
    LanguageIds languageIds;
};

// Reads an executable's raw texts and language IDs, only the parts of the file that hold them.
// Answers kFailed after reporting an unknown
// size, or nothing; raises UsageError for a text that runs to the end of the file and
// FileError for a file that cannot be read.
std::optional<int> readExecutableTexts(const std::string& path, ExeTexts& read);

// Saves the raw texts into the executable, keeping its language IDs (currentIds, read from the
// file when not given) unless the target names others, writes the shares file, and prints the
// free space (kOk) or "Not enough space ..." (kFailed). A summary of what was imported is
// printed before the free space, and only after a save.
int saveExeImport(const ExeImportTarget& target, const std::vector<std::string>& rawTexts,
                  std::optional<LanguageIds> currentIds = std::nullopt,
                  const std::string& summary = "");

}  // namespace tarn::tool
