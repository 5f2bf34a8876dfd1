#include "patcher/yes_set.h"

#include "common/game_code_page.h"
#include "platform/core/unicode_case.h"

namespace tarn {

YesSet::YesSet(std::u16string_view yesText) {
    const std::u16string_view text = yesText.substr(0, 255);
    if (text.empty()) {
        characters_ = {U'Y', U'y'};
        return;
    }
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = platform::nextUtf16(text, i);
        characters_.insert(platform::simpleUpperCase(c));
        characters_.insert(platform::simpleLowerCase(c));
    }
}

bool YesSet::answers(std::string_view line) const {
    if (line.empty()) {
        return false;
    }
    std::size_t pos = 0;
    const auto c = nextUtf8(line, pos);
    const char32_t first = c ? *c : gameByteToUnicode(static_cast<unsigned char>(line[0]));
    return characters_.count(first) != 0;
}

}  // namespace tarn
