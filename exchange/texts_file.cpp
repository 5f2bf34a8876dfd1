#include "exchange/texts_file.h"

#include "common/game_code_page.h"
#include "exetext/exe_profile.h"
#include "textcodes/cstyle.h"

namespace tarn {

std::string formatTextsFile(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) {
        out += gameBytesToUtf8(text);
        out += '\n';
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

ParsedTextsFile parseTextsFile(std::string_view contents) {
    ParsedTextsFile parsed;
    const std::vector<std::string> lines = splitTextLines(contents);
    if (lines.size() != static_cast<std::size_t>(kTextCount)) {
        parsed.errors.push_back("the texts file has " + std::to_string(lines.size()) +
                                " lines instead of 3453");
        return parsed;
    }
    parsed.rawTexts.assign(lines.size(), std::string());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const auto bytes = utf8ToGameBytes(lines[i]);
        if (!bytes) {
            parsed.errors.push_back("line " + number +
                                    " is not UTF-8 or holds a character the game cannot show");
            continue;
        }
        std::string raw;
        if (!cStyleToRaw(*bytes, raw)) {
            parsed.errors.push_back("C-string error in string number " + number + ": " + raw);
            continue;
        }
        parsed.rawTexts[i] = std::move(raw);
    }
    if (!parsed.errors.empty()) {
        parsed.rawTexts.clear();
    }
    return parsed;
}

}  // namespace tarn
