// SPDX-License-Identifier: GPL-3.0-or-later
// The player's game executable and what the carried executable texts do to it: found beside
// ObjData, its texts read, each carried text matched against the original's digest, and the
// placement planned before any file is touched.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/file_identity.h"
#include "enduser/exe_texts_resource.h"
#include "exetext/string_table_writer.h"

namespace tarn {

class FolderHandle;

namespace fs = std::filesystem;

// Every "*.exe" of the game folder (any letter case), ownProgram excluded, that is a regular
// file of a known build's size or carries the record of an added text section; sorted by
// upper-cased name. Raises FileError when the folder cannot be listed.
std::vector<fs::path> findGameExecutables(const fs::path& gameFolder, const fs::path& ownProgram);

// At least this share of the carried texts must find their original in the player's
// executable; fewer, and it is another version or language of the game.
inline constexpr int kKnownExecutablePercent = 90;

struct ExecutablePlan {
    std::vector<std::string> texts;  // the player's texts with the carried ones written in
    int written = 0;                 // carried texts put in place of their original
    int done = 0;                    // carried texts already in place (an earlier run)
    int kept = 0;        // texts that differ from the translator's original, left as they are
    bool known = false;  // at least kKnownExecutablePercent of the carried texts matched
    int matchPercent = 100;
    bool fits = false;  // the texts find a place (growing where that is allowed and possible)
    // When they do not: by how much ("over by 57 bytes: 3 texts do not fit"), and why the file
    // cannot grow or shrink back when that is the reason.
    std::string overflow;

    // Whether there is anything to write: texts or the language IDs.
    bool changes = false;

    // When there are changes that fit: the texts as the save stores and shares them, and what
    // it writes over the file, planned once for the check that they fit and for the save.
    PreparedTexts prepared;
    SaveWrite write;
    // The file's metadata, taken before it was read: whether the file saved is the one planned.
    FileIdentity identity;
    // The file as the plan read it, still open: the digest of the planned write reads it.
    std::shared_ptr<PartialFile> file;
};

// Reads the player's executable, name in the game folder, and plans what carried does to it;
// nothing is written. Raises FileError (naming the file) when it cannot be read, LinkError for
// a link.
ExecutablePlan planExecutable(const FolderHandle& game, const std::string& name,
                              const CarriedExeTexts& carried);

}  // namespace tarn
