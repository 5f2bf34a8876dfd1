// SPDX-License-Identifier: GPL-3.0-or-later
// The executable's texts as PO messages.
//
//   #. text 42
//   #: Tarn.exe:42              the game's executable and the text number
//   msgctxt "exe/0042"          text number in four digits
//   msgid "original text"       PO text form (po_text.h)
//   msgstr "translated text"    empty when it equals the original
//
// One message per text, in text-number order; a text whose pointer leads nowhere in the
// original executable gets none. A translation whose line breaks at the start or end differ
// from the original's is marked fuzzy with a "#." line saying why, so that gettext's tools
// accept the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/po_file.h"
#include "exchange/po_import.h"
#include "exchange/po_text.h"

namespace tarn {

// The file that every message's reference names, whatever the executables are called, so that
// exports of different copies carry the same references.
inline constexpr std::string_view kExeReferenceFile = "Tarn.exe";

std::string exeContext(int textNumber);  // "exe/0042"

// The text number of a msgctxt "exe/NNNN" (exactly four digits, 1 to count).
std::optional<int> parseExeContext(std::string_view context, int count);

// original and translated hold text n at index n - 1 (raw); the notFound lists name the texts
// whose pointer led nowhere (their text is a placeholder, never a translation). Characters are
// those of codePage.
std::vector<PoEntry> exeTextsToPo(const std::vector<std::string>& original,
                                  const std::vector<int>& originalNotFound,
                                  const std::vector<std::string>& translated,
                                  const std::vector<int>& translatedNotFound,
                                  const CodePage& codePage);

// Applies a PO file's messages to texts (the translated executable's raw texts): every
// message with a translation that is not fuzzy sets its text. texts is changed only when the
// report has no problems, unless those messages are to be skipped.
PoImportReport applyExePo(std::vector<std::string>& texts, const std::vector<PoEntry>& entries,
                          const CodePage& codePage, TypedCodes typedCodes = TypedCodes::Refused,
                          PoProblems problems = PoProblems::RefuseFile);

}  // namespace tarn
