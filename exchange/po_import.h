// SPDX-License-Identifier: GPL-3.0-or-later
// What an import of a PO file did with its messages, shared by the executable's and the
// object files' imports.
#pragma once

#include <string>
#include <vector>

#include "common/code_page.h"
#include "exchange/po_file.h"
#include "textcodes/typed_codes.h"

namespace tarn {

struct PoImportCounts {
    int applied = 0;       // a translation that changes the text
    int unchanged = 0;     // a translation equal to the current text
    int untranslated = 0;  // an empty msgstr
    int fuzzy = 0;         // a translation marked fuzzy: not applied
    int unknown = 0;       // a msgctxt naming no text: skipped with a warning
};

// "applied A, unchanged U, untranslated E, fuzzy F, unknown K"
std::string importSummaryLine(const PoImportCounts& counts);

// What an import does with messages that have problems: refuse the whole file (the default), or
// skip those messages and apply the others.
enum class PoProblems { RefuseFile, SkipMessages };

// The outcome of checking a PO file's messages against the texts they translate. Nothing may
// be written unless problems is empty.
struct PoImportReport {
    PoImportCounts counts;
    std::vector<Problem> problems;  // "exe/0042: Incorrect % sequence at position 5" described
    std::vector<Problem> warnings;  // unknown msgctxt values
    // Whether the problems are all the messages' own, so that skipping those messages would
    // apply the others; set by the imports that read the file themselves.
    bool skippable = false;
    bool skipped = false;  // those messages were skipped and the others applied
};

// The raw translation of a message that is to be applied (its characters through codePage), or
// nothing for an untranslated or fuzzy message (counted in report). A malformed translation
// adds "CONTEXT: message" to the report's problems.
bool translationToApply(const PoEntry& entry, PoImportReport& report, std::string& raw,
                        const CodePage& codePage, TypedCodes typedCodes = TypedCodes::Refused);

// The warning for a message whose msgctxt names no text.
void skipUnknown(const PoEntry& entry, PoImportReport& report);

}  // namespace tarn
