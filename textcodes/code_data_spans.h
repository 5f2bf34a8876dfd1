// SPDX-License-Identifier: GPL-3.0-or-later
// Where the codes that take data stand in a text as its notation writes it. %S and %c take the
// next 2 and 4 stored bytes as their data, so a grid frames each code together with its data and
// edits them as one piece: nothing is typed into the data, and removing any part of it removes
// the code with all its data. The text is only read; the notation's text never changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textcodes/typed_codes.h"

namespace tarn {

// A code that takes data and its data, as positions in the notation's text.
struct CodeDataSpan {
    std::size_t begin;  // the code's first character
    std::size_t end;    // after the last character of its data
    std::uint8_t code;
    bool cutShort;  // the text ends before the data does (it stays as it is)
};

// The spans of text: raw bytes in raw notation, or C-style text (one byte a character) read as
// far as it is well-formed. Data is counted in stored bytes, a picture sequence being one piece,
// so a span ends after the piece that holds its last data byte.
std::vector<CodeDataSpan> codeDataSpans(std::string_view text, Notation notation);

// The span that replacing [from, to) (with inserted text when inserts) would break: typing
// inside a span, or removing part of a span without the rest. Typing at the end of data cut
// short completes it. nullptr when the change keeps every span whole.
const CodeDataSpan* brokenSpan(const std::vector<CodeDataSpan>& spans, std::size_t from,
                               std::size_t to, bool inserts);

// A removal of [from, to) widened to the whole of every span it touches (Delete and Backspace
// on a code or a data byte remove the code with all its data).
struct TextRange {
    std::size_t from;
    std::size_t to;
};
TextRange widenedRemoval(const std::vector<CodeDataSpan>& spans, std::size_t from, std::size_t to);

// Why a change that would break span is refused.
std::string codeDataMessage(const CodeDataSpan& span);

}  // namespace tarn
