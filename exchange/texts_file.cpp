// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/texts_file.h"

#include "common/character_name.h"
#include "common/code_page_choice.h"
#include "common/utf8.h"
#include "exetext/exe_profile.h"
#include "textcodes/cstyle.h"

namespace tarn {

std::string textsFileLine(std::string_view text, const CodePage& codePage) {
    std::string line = codePage.toUtf8(text);
    line += '\n';
    return line;
}

std::string formatTextsFile(const std::vector<std::string>& texts, const CodePage& codePage) {
    std::string out;
    for (const std::string& text : texts) {
        out += textsFileLine(text, codePage);
    }
    return out;
}

std::vector<std::string> splitTextLines(std::string_view contents) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = contents.size();
        }
        std::string_view line = contents.substr(start, end - start);
        if (!last && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

ParsedTextsFile parseTextsFile(std::string_view contents, const CodePage& codePage,
                               TypedCodes typedCodes) {
    ParsedTextsFile parsed;
    // Notepad and PowerShell begin a UTF-8 file with a byte-order mark; it is not a character of
    // text 1.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (contents.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        contents.remove_prefix(kByteOrderMark.size());
    }
    const std::vector<std::string> lines = splitTextLines(contents);
    if (lines.size() != static_cast<std::size_t>(kTextCount)) {
        parsed.errors.push_back(
            {"the texts file has " + std::to_string(lines.size()) + " lines instead of 3453", true});
        return parsed;
    }
    parsed.rawTexts.assign(lines.size(), std::string());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const EncodeResult bytes = codePage.fromUtf8(lines[i]);
        if (bytes.fault == EncodeFault::InvalidUtf8) {
            parsed.errors.push_back({"line " + number + " is not valid UTF-8", true});
            continue;
        }
        if (bytes.fault == EncodeFault::MissingCharacter) {
            const std::optional<std::string> taken = byteTakenByTable(bytes.missing, codePage);
            parsed.errors.push_back(
                {number + ": " + characterName(bytes.missing) + " " +
                     taken.value_or("is not in code page " + std::to_string(codePage.number())),
                 false});
            continue;
        }
        if (typedCodes == TypedCodes::Refused) {
            if (const auto code = findTypedCode(bytes.bytes, codePage, Notation::CStyle)) {
                parsed.errors.push_back(
                    {number + ": " + typedCodeImportMessage(*code, codePage), false});
                continue;
            }
        }
        Converted<std::string> raw = cStyleToRaw(bytes.bytes);
        if (!raw) {
            parsed.errors.push_back(
                {"C-string error in string number " + number + ": " + raw.problem().message, false});
            continue;
        }
        parsed.rawTexts[i] = std::move(raw.value());
    }
    if (!parsed.errors.empty()) {
        parsed.rawTexts.clear();
    }
    return parsed;
}

}  // namespace tarn
