// The save at the end of `exe import` and `exe import-po`: the same checks before anything is
// read, the same output and the same exit statuses.
#pragma once

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

// Reads an executable (unknown size: exit 1) and its raw texts, with the numbers of the texts
// whose pointer leads nowhere; answers an exit status after reporting a failure, or nothing.
std::optional<int> readExecutableTexts(const std::string& path, std::vector<std::string>& texts,
                                       std::vector<int>& notFound);

// Saves the raw texts (text n at index n - 1) into the executable, keeping its language IDs
// unless given, writes the shares file, and prints the free space (exit 0) or "Not enough
// space ..." (exit 1).
int saveExeImport(const ExeImportTarget& target, const std::vector<std::string>& rawTexts);

}  // namespace tarn::tool
