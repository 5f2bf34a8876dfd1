// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/utf8_path.h"

#include "common/errors.h"
#include "common/utf8.h"

#include <optional>

namespace tarn {

namespace fs = std::filesystem;

fs::path pathFromUtf8(std::string_view utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::optional<char32_t> c = nextUtf8(utf8, pos);
        if (!c) {
            throw FileError("The path \"" + std::string(utf8.substr(0, pos)) +
                            "...\" is not valid UTF-8");
        }
        if (*c >= 0x10000) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((*c - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((*c - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(*c));
        }
    }
    return fs::path(std::move(wide));
}

std::string pathToUtf8(const fs::path& path) {
    const std::wstring& wide = path.native();
    std::string utf8;
    utf8.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char32_t unit = static_cast<char16_t>(wide[i]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size() &&
            static_cast<char16_t>(wide[i + 1]) >= 0xDC00 &&
            static_cast<char16_t>(wide[i + 1]) < 0xE000) {
            const char32_t low = static_cast<char16_t>(wide[++i]);
            appendUtf8(utf8, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (unit >= 0xD800 && unit < 0xE000) {
            appendUtf8(utf8, U'\uFFFD');
        } else {
            appendUtf8(utf8, unit);
        }
    }
    return utf8;
}

}  // namespace tarn
