// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 encoding and strict decoding, shared by the code pages and the text converters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

void appendUtf8(std::string& out, char32_t codePoint);

// Decodes one character at pos and advances pos past it; nullopt (pos unchanged) on malformed
// input: a bad lead or continuation byte, a cut-off sequence, an overlong form, a surrogate or
// a value above U+10FFFF.
std::optional<char32_t> nextUtf8(std::string_view utf8, std::size_t& pos);

// Whether all of text is valid UTF-8 as nextUtf8 decodes it. Runs of ASCII, most of a PO or
// texts file, are checked eight bytes at a time.
bool isValidUtf8(std::string_view text);

// 1-based number of the first line holding malformed UTF-8, or 0 when all of it is valid.
std::size_t firstInvalidUtf8Line(std::string_view text);

}  // namespace tarn
