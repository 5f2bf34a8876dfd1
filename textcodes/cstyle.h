// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between raw game texts (bytes as stored, pictures in compact form) and the
// C-style escape notation that translators read and type. See code_table.h for the codes.
#pragma once

#include <string>
#include <string_view>

#include "common/errors.h"

namespace tarn {

// How a text is shown and typed: raw (the game bytes as they are) or C-style (escapes). In raw
// notation the ASCII characters { | } ~ are the codes %N %n %f %W themselves; in C-style
// notation every code is an escape, so a code byte can only have come from a letter.
enum class Notation { Raw, CStyle };

// How the line-break code (byte 5) appears in C-style text: as the escape \n, or as a real
// line feed, for exchange files whose tools show line breaks as lines. (Byte 10, the
// thin-letters code, is always written \t, so a line feed never stands for it.)
enum class LineBreaks { Escaped, LineFeeds };

// Raw text to C-style notation. Never fails. A picture sequence becomes \p and the number's
// eight upper-case hex digits; a count of 0 or 255 stands for picture 0 and consumes only the
// count byte; a count of 1 to 4 consumes that many value bytes. A count of 5 to 254 is
// treated as 4 (four value bytes are consumed). Value bytes missing at the end of the text
// count as zero.
std::string rawToCStyle(std::string_view raw, LineBreaks lineBreaks = LineBreaks::Escaped);

// C-style notation to raw text, or the first error (positions in its message are 1-based
// character positions in text). With
// LineBreaks::LineFeeds a line feed gives byte 5, as the escape \n does. A zero byte (\x00 or
// a raw NUL) is refused with "A text cannot hold the byte 00"; pictures may still hold zeros.
Converted<std::string> cStyleToRaw(std::string_view text,
                                   LineBreaks lineBreaks = LineBreaks::Escaped);

// The decimal value of every byte, each followed by one space ("Hi" gives "72 105 ").
std::string rawToCodes(std::string_view raw);

// The canonical C-style form of a text, rawToCStyle(cStyleToRaw(text)): upper-case hex digits,
// \xHH only where a byte has no other form; the error when the text is malformed.
Converted<std::string> canonicalCStyle(std::string_view text);

}  // namespace tarn
