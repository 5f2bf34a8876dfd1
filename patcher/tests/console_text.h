// SPDX-License-Identifier: GPL-3.0-or-later
// The program's console text as the tests compare it.
#pragma once

#include <string>

namespace tarn {

// The Windows build ends console lines with CR LF and names files with backslashes; the tests
// read both as the other systems write them. A lone CR (the progress line) is kept.
inline std::string comparableConsole(const std::string& text) {
#ifdef _WIN32
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out.push_back(text[i] == '\\' ? '/' : text[i]);
    }
    return out;
#else
    return text;
#endif
}

}  // namespace tarn
