// The save at the end of `exe import` and `exe import-po`: the same checks before anything is
// read, the same output and the same exit statuses.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarn::tool {

struct ExeImportTarget {
    std::string path;  // the translated executable
    std::optional<std::string> primaryId;  // as given on the command line
    std::optional<std::string> secondaryId;
    std::optional<std::string> sharesPath;
};

// Checks the options and the target before any input is read: the IDs are 0 to 254, the
// shares file can be created, the executable exists and may be written. Answers the exit
// status of a refusal (reported on standard error), or nothing.
std::optional<int> checkExeImportTarget(const ExeImportTarget& target);

struct ExeTexts {
    std::vector<std::string> texts;  // raw, text n at index n - 1
    std::vector<int> notFound;       // texts whose pointer leads nowhere
    std::array<std::uint8_t, 2> languageIds{};  // primary, secondary
};

// Reads an executable's raw texts and language IDs; answers an exit status after reporting a
// failure (unknown size: 1, unreadable: 2), or nothing.
std::optional<int> readExecutableTexts(const std::string& path, ExeTexts& read);

// Saves the raw texts into the executable, keeping its language IDs (currentIds, read from the
// file when not given) unless the target names others, writes the shares file, and prints the
// free space (exit 0) or "Not enough space ..." (exit 1).
int saveExeImport(const ExeImportTarget& target, const std::vector<std::string>& rawTexts,
                  std::optional<std::array<std::uint8_t, 2>> currentIds = std::nullopt);

}  // namespace tarn::tool
