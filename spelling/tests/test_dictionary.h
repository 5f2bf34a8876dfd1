// SPDX-License-Identifier: GPL-3.0-or-later
// A small Hunspell dictionary written by a test, so that no dictionary package is needed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/file_io.h"

namespace tarn {

// Writes NAME.aff and NAME.dic into folder: the words given (in the character set named,
// their bytes as given), with Hunspell's usual letters to try for suggestions.
inline void writeTestDictionary(const std::filesystem::path& folder, const std::string& name,
                                const std::vector<std::string>& words,
                                const std::string& characterSet = "UTF-8") {
    const std::string aff = "SET " + characterSet +
                            "\nTRY esianrtolcdugmphbyfvkwzESIANRTOLCDUGMPHBYFVKWZ'\n"
                            "WORDCHARS '-\n";
    std::string dic = std::to_string(words.size()) + "\n";
    for (const std::string& word : words) {
        dic += word + "\n";
    }
    writeFileAtomically(folder / (name + ".aff"), toBytes(aff));
    writeFileAtomically(folder / (name + ".dic"), toBytes(dic));
}

}  // namespace tarn
