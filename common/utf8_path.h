// SPDX-License-Identifier: GPL-3.0-or-later
// Paths to and from the UTF-8 text the whole program works in. A std::string read as a path
// through std::filesystem takes the ANSI code page on Windows (with this runtime), which cannot
// hold most names; every path made from text goes through pathFromUtf8, and every path shown or
// compared as text comes back through pathToUtf8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarn {

// The path named by UTF-8 text. On Windows the text becomes UTF-16; a byte that is not UTF-8
// raises FileError naming the text as far as it is valid, as no file can have that name. On
// other systems the bytes are the name, as they are.
std::filesystem::path pathFromUtf8(std::string_view utf8);

// The path as UTF-8 text. On Windows a lone UTF-16 surrogate (which names can hold but UTF-8
// cannot) shows as U+FFFD; on other systems the name's bytes come back as they are.
std::string pathToUtf8(const std::filesystem::path& path);

}  // namespace tarn
