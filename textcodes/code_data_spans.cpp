// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/code_data_spans.h"

#include <algorithm>
#include <optional>

#include "textcodes/code_table.h"
#include "textcodes/cstyle.h"

namespace tarn {

namespace {

// The length of the C-style sequence at text[at]: an escape with its letters (cut at the end
// of the text), else one character.
std::size_t sequenceLength(std::string_view text, std::size_t at) {
    std::size_t length = 1;
    if (text[at] == '%') {
        length = 2;
    } else if (text[at] == '\\' && at + 1 < text.size()) {
        const char letter = text[at + 1];
        length = letter == 'x' ? 4 : letter == 'p' ? 10 : letter == 'c' ? 3 : 2;
    }
    return std::min(length, text.size() - at);
}

// Walks text piece by piece (a byte, a picture sequence or a C-style sequence), handing each
// piece's position and raw bytes to visit; stops at a C-style sequence that does not convert.
template <typename Visit>
void forEachPiece(std::string_view text, Notation notation, Visit visit) {
    std::size_t at = 0;
    std::string raw;
    while (at < text.size()) {
        std::size_t end = at + 1;
        if (notation == Notation::CStyle) {
            end = at + sequenceLength(text, at);
            Converted<std::string> converted = cStyleToRaw(text.substr(at, end - at));
            if (!converted) {
                return;
            }
            raw = std::move(converted.value());
        } else {
            if (static_cast<std::uint8_t>(text[at]) == kPictureCode) {
                std::uint32_t number = 0;
                end = readPicture(text, at, number);
            }
            raw.assign(text.substr(at, end - at));
        }
        visit(at, end, std::string_view(raw));
        at = end;
    }
}

}  // namespace

std::vector<CodeDataSpan> codeDataSpans(std::string_view text, Notation notation) {
    std::vector<CodeDataSpan> spans;
    // Every grid cell is painted through this: most texts hold no code that takes data.
    static constexpr char kDataCodes[] = {static_cast<char>(kStringDataCode),
                                          static_cast<char>(kCharacterDataCode)};
    if (text.find_first_of(std::string_view(kDataCodes, 2)) == std::string_view::npos &&
        (notation == Notation::Raw || (text.find("%S") == std::string_view::npos &&
                                       text.find("%c") == std::string_view::npos))) {
        return spans;
    }
    std::optional<CodeDataSpan> open;
    std::size_t missing = 0;  // stored data bytes the open span still takes
    forEachPiece(text, notation, [&](std::size_t begin, std::size_t end, std::string_view raw) {
        if (open) {
            open->end = end;
            missing -= std::min(missing, storedLength(raw));
            if (missing == 0) {
                spans.push_back(*open);
                open.reset();
            }
            return;
        }
        const std::uint8_t byte = raw.size() == 1 ? static_cast<std::uint8_t>(raw[0]) : 0;
        if (const int length = codeDataLength(byte); length > 0) {
            open = CodeDataSpan{begin, end, byte, false};
            missing = static_cast<std::size_t>(length);
        }
    });
    if (open) {
        open->cutShort = true;
        spans.push_back(*open);
    }
    return spans;
}

const CodeDataSpan* brokenSpan(const std::vector<CodeDataSpan>& spans, std::size_t from,
                               std::size_t to, bool inserts) {
    for (const CodeDataSpan& span : spans) {
        const bool touched = from < span.end && to > span.begin;
        const bool whole = from <= span.begin && to >= span.end;
        if (touched && !whole) {
            return &span;
        }
        if (inserts && !whole && from > span.begin && from < span.end) {
            return &span;
        }
    }
    return nullptr;
}

TextRange widenedRemoval(const std::vector<CodeDataSpan>& spans, std::size_t from, std::size_t to) {
    TextRange range{from, to};
    for (const CodeDataSpan& span : spans) {
        if (from < span.end && to > span.begin) {
            range.from = std::min(range.from, span.begin);
            range.to = std::max(range.to, span.end);
        }
    }
    return range;
}

std::string codeDataMessage(const CodeDataSpan& span) {
    return "The " + std::to_string(codeDataLength(span.code)) + " bytes after " +
           codeName(span.code) +
           " are its data and go with it: type before the code or after its data; Delete or "
           "Backspace removes the code with its data";
}

}  // namespace tarn
