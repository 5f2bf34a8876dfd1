// SPDX-License-Identifier: GPL-3.0-or-later
// PO files to and from the documents the windows edit: the main window's texts
// (StringTableDocument, in either notation) and the object texts (ObjectTextsDocument). The
// messages are those of exe_po.h and object_po.h; an import is all or nothing and only changes the
// document, which its window saves later.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "exchange/po_file.h"
#include "exchange/po_header.h"
#include "exchange/po_import.h"
#include "exchange/translation_notes.h"
#include "exetext/string_table_commands.h"
#include "exetext/string_table_document.h"
#include "objfiles/object_texts_document.h"

namespace tarn {

// What a translation's PO files carry besides its texts: the notes (translation_notes.h), given
// to an export and an import and taken from the file by an import, and the characters the texts
// are converted with, named in the header.
struct PoCompanions {
    TranslationNotes notes;
    PoCharacters characters;
};

// Writes the document's texts to path (header fields as given, the companions' added). Answers
// the problems that kept the file from being written, "text 42: message" (described) for a cell
// whose C-style notation is malformed; raises FileError when the file cannot be written (path
// then unchanged).
std::vector<Problem> exportPoFile(const std::filesystem::path& path,
                                  const StringTableDocument& document, PoHeaderFields header,
                                  const CodePage& codePage, const PoCompanions& companions);

// The name of the step a PO import makes in the window's history.
inline constexpr const char* importPoStepName = "Import translation (PO)";

// Reads path and gives, in change, the step that sets the Translated column from its messages
// (the caller makes it), and the file's notes in companions.notes. Without problems there is
// always a step, even one that changes nothing; with problems there is none, unless they are
// all the messages' own and those are to be skipped: the file's own errors come first, then
// those of its messages. A file made with other characters is warned of.
PoImportReport importPoFile(const std::filesystem::path& path, StringTableDocument& document,
                            const CodePage& codePage, std::unique_ptr<SetTextsCommand>& change,
                            PoCompanions& companions, PoProblems problems = PoProblems::RefuseFile);

// The object texts between two language IDs; as objectTextsToPo.
std::vector<Problem> exportPoFile(const std::filesystem::path& path,
                                  const ObjectTextsDocument& document, std::uint8_t sourceId,
                                  std::uint8_t targetId, PoHeaderFields header,
                                  const CodePage& codePage, const PoCompanions& companions);

// The same import as one step for the window's history, not yet done: null when the report has
// problems or the file changes no text.
struct ObjectPoImport {
    PoImportReport report;
    std::unique_ptr<ObjectTextsEdit> step;
};
ObjectPoImport objectPoImport(const std::filesystem::path& path, ObjectTextsDocument& document,
                              std::uint8_t targetId, const CodePage& codePage,
                              PoCompanions& companions,
                              PoProblems problems = PoProblems::RefuseFile);

// Whether an import refused for its messages' problems alone could take the others: the
// question "Import the 10 good entries and skip 1?", or nothing when it could not.
std::optional<std::string> skipProblemsQuestion(const PoImportReport& report);

// What a window shows after an import: the summary line, or a line saying nothing was imported,
// then the problems (or, without problems, the warnings), at most limit of them, and how many
// more there are. After an import that skipped messages, the summary line and the skipped ones.
std::string importReportText(const PoImportReport& report, std::size_t limit = 20);
// The lines, each after a line feed, at most limit of them, then "... and N more".
std::string listedLines(const std::vector<std::string>& lines, std::size_t limit = 20);

}  // namespace tarn
