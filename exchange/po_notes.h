// SPDX-License-Identifier: GPL-3.0-or-later
// A translation's notes (translation_notes.h) in its PO files: a note is the message's
// translator comments, "needs review" its fuzzy flag, and the team fields fill the header.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "exchange/po_file.h"
#include "exchange/translation_notes.h"

namespace tarn {

// Export: each message whose text has a note gets it as translator comments, and one that needs
// review is marked fuzzy; Last-Translator and Language-Team come from the notes when they hold
// them.
void addNotesToPo(std::vector<PoEntry>& entries, PoHeaderFields& header,
                  const TranslationNotes& notes);

// Import, before the messages are applied: a fuzzy message is applied only when its text is
// marked "needs review" here, so its fuzzy flag is taken off for the import.
void acceptFuzzyUnderReview(std::vector<PoEntry>& entries, const TranslationNotes& notes);

// Import, with the messages as the file holds them: each message of a text that exists (known
// tells) sets that text's note from its translator comments and its state from its fuzzy flag; a
// team field the header fills is kept. Notes of texts the file does not name stay as they are.
void takeNotesFromPo(TranslationNotes& notes, const std::vector<PoEntry>& entries,
                     const PoHeaderFields& header,
                     const std::function<bool(const std::string& context)>& known);

}  // namespace tarn
