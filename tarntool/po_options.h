// SPDX-License-Identifier: GPL-3.0-or-later
// What the PO commands of the exe and obj families share: the --language and --code-page
// options, the header of the files they write, and their reports on standard error.
#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "exchange/po_file.h"
#include "exchange/po_header.h"
#include "exchange/po_import.h"
#include "exchange/translation_notes.h"
#include "tarntool/arguments.h"

namespace tarn::tool {

struct PoTextOptions {
    std::optional<std::string> language;  // "de", "pt_BR"
    CodePageOptions codePage;             // --code-page, --table
    bool allowTypedCodes = false;         // imports only
    bool partial = false;                 // imports only: messages with problems are skipped
};

// Adds an import's --allow-typed-codes and --partial.
void addPoImportOptions(CLI::App& command, PoTextOptions& options);

// How an import treats messages with problems: --partial skips them.
PoProblems poProblemsOf(const PoTextOptions& options);

// After the report's messages were checked: without --partial, or when the file itself has
// problems, every problem is printed and the import refused (status 2) before anything is
// written. With --partial the messages with problems are printed as skipped, and the import
// goes on with the others.
void refuseOrSkip(const PoTextOptions& options, const std::vector<Problem>& fileProblems,
                  const PoImportReport& report);

// With --partial, after the good messages were written: status 1 when some were skipped.
int partialImportStatus(const PoImportReport& report);

void addLanguageOption(CLI::App& command, PoTextOptions& options);

// The code page of the options, and the characters PO headers name.
struct PoCharacterSetup {
    CodePage codePage;
    PoCharacters characters;
};

// Raises UsageError for an unknown code page or a language code that could break the header.
PoCharacterSetup checkPoTextOptions(const PoTextOptions& options);

PoHeaderFields poHeaderFor(const PoTextOptions& options, const PoCharacters& characters);

// Whether an import refuses characters on game codes (--allow-typed-codes).
TypedCodes typedCodesOf(const PoTextOptions& options);

struct PoMessages {
    std::vector<PoEntry> entries;
    PoHeaderFields header;
};

// The messages of a PO file; its warnings go to standard error, and so does a warning when it was
// made with other characters than it is read with; its problems are appended to problems.
PoMessages readPoMessages(const std::string& path, const PoCharacters& characters,
                          std::vector<Problem>& problems);

// The translation's notes in the file at path (none when it is missing); a file that cannot be
// read or parsed is refused (status 2) before anything is written.
TranslationNotes readNotes(const std::filesystem::path& path);

// After an import was written: the notes, comments, review states and team fields of its
// messages taken into notes, and notes written back to path (status 1 when that fails).
void keepImportedNotes(const std::filesystem::path& path, TranslationNotes notes,
                       const PoMessages& messages,
                       const std::function<bool(const std::string& context)>& known);

// Unknown msgctxt warnings on standard error ("FILE.po: unknown msgctxt ...").
void reportWarnings(const std::string& poPath, const PoImportReport& report);

void printLines(std::ostream& out, const std::vector<std::string>& lines,
                const std::string& prefix = "");
// Each problem in its one wording, a line each.
void printLines(std::ostream& out, const std::vector<Problem>& problems,
                const std::string& prefix = "");

}  // namespace tarn::tool
