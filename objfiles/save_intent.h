// SPDX-License-Identifier: GPL-3.0-or-later
// The record a save of several object files keeps beside their folder while it replaces them
// one by one, so that a save cut off midway (the process killed, the machine stopped) is told
// afterwards: which files hold what it was writing and which do not.
//
// ".NAME.tarnsave" beside the folder NAME (".ObjData.tarnsave" in the game's folder, next to the
// folder's lock), written whole before the first file is replaced and removed after the last:
//
//   pid=4711
//   host=workstation
//   program=tarntool obj import-po
//   file=351 9f86d081884c7d65 Creature.dat    one line per file: the new contents' size and
//   file=118 1d2e3f4a5b6c7d8e Door.dat        hashBytes (16 hex digits), then the file's name
//
// A record whose process still runs on this host belongs to a save in progress, not to one that
// was cut off.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"

namespace tarn {

// One file a save is about to write: its name in the folder and its new contents.
struct IntendedWrite {
    std::string name;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
};
IntendedWrite intendedWrite(std::string name, const Bytes& contents);

// The record's path for folder (its links and dots resolved, as the folder's lock is found).
std::filesystem::path saveIntentFile(const std::filesystem::path& folder);

// Writes the record for a save by program (as the report names it: "TarnEdit", "tarntool obj
// import-po"); raises FileError.
void recordSaveIntent(const std::filesystem::path& folder, std::string_view program,
                      const std::vector<IntendedWrite>& files);

// Removes the record; never raises (a record left behind is found finished the next time).
void removeSaveIntent(const std::filesystem::path& folder);

// A save that was cut off: who was saving, and its files by whether they hold what it wrote.
struct UnfinishedSave {
    std::string program;
    std::vector<std::string> written;
    std::vector<std::string> notWritten;

    bool operator==(const UnfinishedSave&) const = default;
};

// The cut-off save the record beside folder tells of; nothing when there is no readable record,
// its process still runs, or every file holds what the save was writing.
std::optional<UnfinishedSave> findUnfinishedSave(const std::filesystem::path& folder);

// The report, a line each: that the save into folderName was cut off, the files written and
// those not (at most limit names each, then how many more), and how to finish it.
std::vector<std::string> unfinishedSaveLines(
    const UnfinishedSave& save, const std::string& folderName,
    std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace tarn
