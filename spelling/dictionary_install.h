// SPDX-License-Identifier: GPL-3.0-or-later
// A dictionary the translator adds: the Hunspell pair a chosen file belongs to, copied into the
// user's dictionaries folder, where every later run finds it without administrator rights.
#pragma once

#include <filesystem>
#include <string>

#include "spelling/spell_checker.h"

namespace tarn {

// The pair the chosen file (either of the two) belongs to: LANG.aff and LANG.dic side by side.
// Raises SpellingError saying what is wrong: another kind of file, a name that is no language,
// the other file missing, or a .dic whose first line is no word count.
DictionaryFiles dictionaryPairOf(const std::filesystem::path& chosen);

// Copies the pair into folder (made when missing), each file whole or not at all, over an older
// dictionary of the language there. Answers the language. Raises FileError.
std::string addDictionary(const DictionaryFiles& pair, const std::filesystem::path& folder);

}  // namespace tarn
