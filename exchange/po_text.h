// SPDX-License-Identifier: GPL-3.0-or-later
// The text form of a game text in a PO file: its C-style notation, decoded through the chosen
// code page into UTF-8, except that the line-break code (byte 5) is a real line feed. CAT
// tools then show a text's lines as lines; every other code keeps its escape (\t, \c3, %N,
// \p0000002A, \\, %%).
#pragma once

#include <string>
#include <string_view>

#include "common/code_page.h"
#include "common/errors.h"
#include "exchange/po_file.h"
#include "textcodes/typed_codes.h"

namespace tarn {

inline constexpr std::string_view kFuzzyLineBreaksNote =
    "fuzzy: the line breaks at the start or end differ from the original's";

std::string rawToPoText(std::string_view raw, const CodePage& codePage);

// A PO text back to the raw text, or the problem: malformed UTF-8, a character the code page
// lacks, a character that falls on a game code (unless allowed) or a C-style error; positions
// are 1-based characters.
Converted<std::string> poTextToRaw(std::string_view text, const CodePage& codePage,
                                   TypedCodes typedCodes = TypedCodes::Refused);

// True for well-formed UTF-8 (what every string of our PO files must be).
bool isUtf8(std::string_view text);

// True when one of the two texts starts with a line feed and the other does not, or the same
// at their ends: gettext's tools refuse such a translation.
bool lineBreaksDifferAtEnds(std::string_view source, std::string_view translation);

// Sets an exported entry's translation from a raw text; where its line breaks at the start or
// end differ from the source's, the entry is marked fuzzy with a note saying why, so that the
// file still passes gettext's checks.
void setExportedTranslation(PoEntry& entry, std::string_view raw, const CodePage& codePage);

}  // namespace tarn
