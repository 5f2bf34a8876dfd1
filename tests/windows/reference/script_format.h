// SPDX-License-Identifier: GPL-3.0-or-later
// The line format of the reference scripts and their answers, shared by the Windows reference
// program and the native side of the differential test: fields separated by tabs, with the
// escapes \\ \t \n \r and \xHH (one byte) inside a field.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tarn::reference {

inline std::string unescapeField(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out.push_back(field[i]);
            continue;
        }
        const char c = field[++i];
        if (c == 't') {
            out.push_back('\t');
        } else if (c == 'n') {
            out.push_back('\n');
        } else if (c == 'r') {
            out.push_back('\r');
        } else if (c == 'x' && i + 2 < field.size()) {
            out.push_back(static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

inline std::string escapeField(const std::string& text) {
    std::string out;
    for (const unsigned char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

// One script line as its unescaped fields; the first is the operation.
inline std::vector<std::string> splitLine(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back().push_back(c);
        }
    }
    for (auto& field : fields) {
        field = unescapeField(field);
    }
    return fields;
}

// The non-empty lines of a script.
inline std::vector<std::string> scriptLines(const std::string& script) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < script.size()) {
        std::size_t end = script.find('\n', start);
        if (end == std::string::npos) {
            end = script.size();
        }
        if (end > start) {
            lines.push_back(script.substr(start, end - start));
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace tarn::reference
