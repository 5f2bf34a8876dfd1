// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery journal: the unsaved edits of the texts, kept in a small file beside the
// settings so that a crash or a killed session loses none of them. It holds what differs from
// the translated executable as last loaded or saved, not the steps that led there:
//
//   TarnEdit recovery journal 1
//   file=/games/tarn/Tarn.exe        the translated executable the edits belong to
//   time=14:32                       when the edits were last written down (local time)
//   ids=7 9                          the language IDs, when they differ from the file's
//   text=12 0 48616c6c6f             text number, 1 when held as typed, the bytes in hex
//   end                              the journal is complete
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exetext/string_table_commands.h"

namespace tarn {

struct RecoveryJournal {
    std::string file;
    std::string time;
    std::optional<LanguageIds> languageIds;
    std::vector<std::pair<int, CellText>> texts;  // ascending text numbers

    // "12 unsaved edits": the texts, and the IDs as one more.
    std::size_t editCount() const { return texts.size() + (languageIds ? 1 : 0); }
    bool empty() const { return editCount() == 0; }
};

// The journal of the executable at executable, beside the settings file NAME.ini:
// NAME.<digest>.recovery, the digest (16 hex digits) that of the executable's real path, so
// that instances sharing a settings file but editing other executables never touch each
// other's journals.
std::filesystem::path recoveryJournalPath(const std::filesystem::path& settingsFile,
                                          const std::filesystem::path& executable);
// The one journal earlier versions kept beside the settings file for whichever executable was
// edited (NAME.recovery); it belongs to the executable it names.
std::filesystem::path sharedRecoveryJournalPath(const std::filesystem::path& settingsFile);
// Where a damaged journal is kept until the user has answered: "….damaged".
std::filesystem::path damagedJournalPath(const std::filesystem::path& journal);
// The journals beside the settings file, every executable's, damaged ones too, by name.
std::vector<std::filesystem::path> recoveryJournalsBeside(
    const std::filesystem::path& settingsFile);

// The document's unsaved edits of the translated file at file.
RecoveryJournal journalOf(const StringTableDocument& document, const std::string& file,
                          const std::string& time);

std::string formatJournal(const RecoveryJournal& journal);
// Nothing for a journal that is incomplete or malformed in any line.
std::optional<RecoveryJournal> parseJournal(std::string_view text);

// What can be read of a journal that may be damaged (cut short, or malformed from some line on).
struct JournalReading {
    // The edits up to the first line that cannot be read; nothing when not even the heading and
    // the executable's name can be.
    std::optional<RecoveryJournal> journal;
    bool damaged = false;  // the journal does not end as written: edits after them are lost
};
JournalReading readJournal(std::string_view text);

// The journal's edits as one step over the document; null when none differ from it.
std::unique_ptr<SetTextsCommand> recoveryStep(StringTableDocument& document,
                                              const RecoveryJournal& journal);

}  // namespace tarn
