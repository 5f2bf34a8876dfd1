// SPDX-License-Identifier: GPL-3.0-or-later
// A translation's notes: per text a note and whether it needs review, and the team fields of the
// PO header, kept in a small UTF-8 file of their own beside the translated executable (or beside
// the object folder), one entry a text, so that version control shows who changed what:
//
//   # Notes on a translation of Tarn, written by TarnEdit and tarntool (UTF-8).
//   Last-Translator: Jan Novák <jan@example.cz>
//   Language-Team: Czech
//
//   [exe/0042] needs review
//   note: is "gate" the door or the town gate here?
//
// An entry is named by its PO message's msgctxt, so one file format serves the executable's and
// the object files' texts.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

struct TextNote {
    std::vector<std::string> lines;  // the note, a line each
    bool needsReview = false;

    bool empty() const { return lines.empty() && !needsReview; }
    bool operator==(const TextNote&) const = default;
};

struct TranslationNotes {
    std::map<std::string, TextNote> texts;  // by msgctxt ("exe/0042", "obj/...")
    std::string lastTranslator;
    std::string languageTeam;

    bool operator==(const TranslationNotes&) const = default;
};

// The notes file of a translated executable or an object folder: "Tarn.exe.tarnnotes",
// "ObjData.tarnnotes".
std::filesystem::path notesPathFor(const std::filesystem::path& translated);

// The file's text; entries in msgctxt order.
std::string formatTranslationNotes(const TranslationNotes& notes);

// Raises FileError "FILE: line N: ..." for a line it cannot take, so that a damaged file is
// never read in part and then written over.
TranslationNotes parseTranslationNotes(std::string_view text, const std::string& fileName);

// A missing file gives no notes. Raises FileError for a file that cannot be read or parsed.
TranslationNotes readTranslationNotes(const std::filesystem::path& path);

// Replaces the file atomically; a missing file is not created for notes that hold nothing.
void writeTranslationNotes(const std::filesystem::path& path, const TranslationNotes& notes);

}  // namespace tarn
