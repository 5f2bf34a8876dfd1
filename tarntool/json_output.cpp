// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarntool/json_output.h"

namespace tarn::tool {

std::string jsonLine(const Json& value) {
    const std::string compact = value.dump();
    std::string line;
    line.reserve(compact.size() + compact.size() / 4);
    bool inString = false;
    bool escaped = false;
    for (const char c : compact) {
        line += c;
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == ',' || c == ':') {
            line += ' ';
        }
    }
    return line;
}

}  // namespace tarn::tool
