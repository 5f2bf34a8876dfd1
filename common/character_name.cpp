// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/character_name.h"

#include "common/code_page.h"
#include "common/utf8.h"

namespace tarn {

std::string characterName(char32_t c) {
    const bool invisible = c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD ||
                           (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
                           (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF ||
                           (c >= 0xFFF9 && c <= 0xFFFB) || (c >= 0xD800 && c <= 0xDFFF);
    if (invisible) {
        return codePointName(c);
    }
    std::string name = "'";
    appendUtf8(name, c);
    return name + "' (" + codePointName(c) + ")";
}

}  // namespace tarn
