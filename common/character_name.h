// SPDX-License-Identifier: GPL-3.0-or-later
// A character as messages show it.
#pragma once

#include <string>

namespace tarn {

// "'Э' (U+042D)": a character and its code point. A control or formatting character (line
// ends, direction marks) would disturb the message, so it gets the code point alone.
std::string characterName(char32_t codePoint);

}  // namespace tarn
