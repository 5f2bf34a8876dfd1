// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 and UTF-16 conversions for the messages of the end-user program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// Strict: nullopt for malformed UTF-8.
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);

// Lenient: a byte that does not start valid UTF-8 is taken as a Windows-1252 character, so
// names and texts of any origin can be shown.
std::u16string bytesToUtf16(std::string_view bytes);

}  // namespace tarn
