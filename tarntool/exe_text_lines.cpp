#include "tarntool/exe_text_lines.h"

#include "common/utf8.h"
#include "exetext/exe_profile.h"
#include "textcodes/cstyle.h"

namespace tarn::tool {

std::string textLinesToUtf8(const std::vector<std::string>& texts, const CodePage& codePage) {
    std::string out;
    for (const std::string& text : texts) {
        out += codePage.toUtf8(text);
        out += '\n';
    }
    return out;
}

std::vector<std::string> splitLines(std::string_view contents) {
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

bool parseTextLines(std::string_view contents, const CodePage& codePage,
                    std::vector<std::string>& rawTexts, std::vector<TextsFileError>& errors) {
    const std::vector<std::string> lines = splitLines(contents);
    if (lines.size() != static_cast<std::size_t>(kTextCount)) {
        errors.push_back(
            {"the texts file has " + std::to_string(lines.size()) + " lines instead of 3453",
             true});
        return false;
    }
    rawTexts.assign(lines.size(), std::string());
    bool ok = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const EncodeResult bytes = codePage.fromUtf8(lines[i]);
        if (bytes.fault == EncodeFault::InvalidUtf8) {
            errors.push_back({"line " + number + " is not valid UTF-8", true});
            ok = false;
            continue;
        }
        if (bytes.fault == EncodeFault::MissingCharacter) {
            std::string message = number + ": '";
            appendUtf8(message, bytes.missing);
            errors.push_back({message + "' (" + codePointName(bytes.missing) +
                                  ") is not in code page " + std::to_string(codePage.number()),
                              false});
            ok = false;
            continue;
        }
        std::string raw;
        if (!cStyleToRaw(bytes.bytes, raw)) {
            errors.push_back({"C-string error in string number " + number + ": " + raw, false});
            ok = false;
            continue;
        }
        rawTexts[i] = std::move(raw);
    }
    return ok;
}

}  // namespace tarn::tool
