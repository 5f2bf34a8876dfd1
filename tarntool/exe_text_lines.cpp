#include "tarntool/exe_text_lines.h"

#include "common/game_code_page.h"
#include "exetext/exe_profile.h"
#include "textcodes/cstyle.h"

namespace tarn::tool {

std::string textLinesToUtf8(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) {
        out += gameBytesToUtf8(text);
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

bool parseTextLines(std::string_view contents, std::vector<std::string>& rawTexts,
                    std::vector<std::string>& errors) {
    const std::vector<std::string> lines = splitLines(contents);
    if (lines.size() != static_cast<std::size_t>(kTextCount)) {
        errors.push_back("the texts file has " + std::to_string(lines.size()) +
                         " lines instead of 3453");
        return false;
    }
    rawTexts.assign(lines.size(), std::string());
    bool ok = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const auto bytes = utf8ToGameBytes(lines[i]);
        if (!bytes) {
            errors.push_back("line " + number +
                             " is not UTF-8 or holds a character the game cannot show");
            ok = false;
            continue;
        }
        std::string raw;
        if (!cStyleToRaw(*bytes, raw)) {
            errors.push_back("C-string error in string number " + number + ": " + raw);
            ok = false;
            continue;
        }
        rawTexts[i] = std::move(raw);
    }
    return ok;
}

}  // namespace tarn::tool
