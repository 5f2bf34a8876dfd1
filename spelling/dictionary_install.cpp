// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling/dictionary_install.h"

#include <cctype>
#include <fstream>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "platform/core/unicode_case.h"

namespace tarn {

namespace fs = std::filesystem;

namespace {

// A Hunspell word list starts with the (approximate) number of its words.
bool startsWithWordCount(const fs::path& dic) {
    std::ifstream in(dic, std::ios::binary);
    std::string first;
    std::getline(in, first);
    if (first.size() >= 3 && first.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        first.erase(0, 3);
    }
    std::size_t digits = 0;
    while (digits < first.size() && std::isdigit(static_cast<unsigned char>(first[digits]))) {
        ++digits;
    }
    return digits > 0;
}

}  // namespace

DictionaryFiles dictionaryPairOf(const fs::path& chosen) {
    const std::string extension = platform::upperCaseUtf8(pathToUtf8(chosen.extension()));
    const std::string shown = pathToUtf8(chosen.filename());
    if (extension != ".AFF" && extension != ".DIC") {
        throw SpellingError(shown + " is not a Hunspell dictionary: choose its .aff or .dic file.");
    }
    const std::string language = pathToUtf8(chosen.stem());
    if (!isSpellingLanguage(language)) {
        throw SpellingError(shown + ": a dictionary is named after its language, as pl.dic or "
                                    "de_DE.dic; rename the pair to its language first.");
    }
    DictionaryFiles pair{chosen.parent_path() / pathFromUtf8(language + ".aff"),
                         chosen.parent_path() / pathFromUtf8(language + ".dic")};
    for (const fs::path& file : {pair.aff, pair.dic}) {
        if (!fileExists(file)) {
            throw SpellingError(pathToUtf8(file.filename()) + " is missing beside " + shown +
                                ": a dictionary is the pair " + language + ".aff and " +
                                language + ".dic.");
        }
    }
    if (!startsWithWordCount(pair.dic)) {
        throw SpellingError(pathToUtf8(pair.dic.filename()) +
                            " is not a Hunspell word list: its first line is no word count.");
    }
    return pair;
}

std::string addDictionary(const DictionaryFiles& pair, const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        throw FileError("Cannot create folder \"" + pathToUtf8(folder) + "\". " + ec.message());
    }
    // Both read before either is written: a pair that cannot be read leaves the folder as it was.
    const Bytes aff = readWholeFile(pair.aff);
    const Bytes dic = readWholeFile(pair.dic);
    writeFileAtomically(folder / pair.aff.filename(), aff);
    writeFileAtomically(folder / pair.dic.filename(), dic);
    return pathToUtf8(pair.dic.stem());
}

}  // namespace tarn
