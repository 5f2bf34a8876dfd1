// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a small text file (messages, digests, character tables) as views into it.
#pragma once

#include <string_view>
#include <vector>

namespace tarn {

// Splits text at each LF; a CR before the LF is dropped, so Windows line ends read alike. A
// final LF ends the last line and starts no empty one.
inline std::vector<std::string_view> textLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace tarn
