// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_text.h"

#include "common/character_name.h"
#include "common/code_page_choice.h"
#include "common/utf8.h"
#include "textcodes/cstyle.h"

namespace tarn {

std::string rawToPoText(std::string_view raw, const CodePage& codePage) {
    return codePage.toUtf8(rawToCStyle(raw, LineBreaks::LineFeeds));
}

Converted<std::string> poTextToRaw(std::string_view text, const CodePage& codePage,
                                   TypedCodes typedCodes) {
    auto fail = [](std::string message) {
        return Converted<std::string>(Problem::withMessage(std::move(message)));
    };
    std::string bytes;
    bytes.reserve(text.size());
    std::size_t position = 0;  // characters read so far
    for (std::size_t at = 0; at < text.size();) {
        ++position;
        const auto c = nextUtf8(text, at);
        if (!c) {
            return fail("The text is not UTF-8 at character " + std::to_string(position));
        }
        const auto byte = codePage.fromUnicode(*c);
        if (!byte) {
            return fail("The character " + characterName(*c) + " at position " +
                        std::to_string(position) + " " +
                        byteTakenByTable(*c, codePage)
                            .value_or("is not in code page " + std::to_string(codePage.number())));
        }
        bytes += static_cast<char>(*byte);
    }
    if (typedCodes == TypedCodes::Refused) {
        if (const auto code = findTypedCode(bytes, codePage, Notation::CStyle)) {
            return fail(typedCodeImportMessage(*code, codePage));
        }
    }
    return cStyleToRaw(bytes, LineBreaks::LineFeeds);
}

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (!nextUtf8(text, at)) {
            return false;
        }
    }
    return true;
}

bool lineBreaksDifferAtEnds(std::string_view source, std::string_view translation) {
    const auto starts = [](std::string_view s) { return !s.empty() && s.front() == '\n'; };
    const auto ends = [](std::string_view s) { return !s.empty() && s.back() == '\n'; };
    return starts(source) != starts(translation) || ends(source) != ends(translation);
}

void setExportedTranslation(PoEntry& entry, std::string_view raw, const CodePage& codePage) {
    entry.translation = rawToPoText(raw, codePage);
    if (!entry.translation.empty() && lineBreaksDifferAtEnds(entry.source, entry.translation)) {
        entry.fuzzy = true;
        entry.notes.emplace_back(kFuzzyLineBreaksNote);
    }
}

}  // namespace tarn
