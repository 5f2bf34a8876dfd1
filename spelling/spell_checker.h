// SPDX-License-Identifier: GPL-3.0-or-later
// Hunspell dictionaries: finding one for a language, and asking it about words. This folder is
// the only code that links Hunspell. Dictionaries are .aff/.dic pairs: of a folder the translator
// names, beside the program, in the user's folder or of Debian's hunspell-* packages.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "spelling/dictionary_charset.h"

class Hunspell;

namespace tarn {

// A dictionary that cannot be found or opened; the message says what to do.
class SpellingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The folder beside the program, and under the user's data folder, that dictionaries are put in.
inline constexpr std::string_view kDictionariesFolderName = "dictionaries";

// A language as dictionaries are named: "pl", "de_DE", "pt-BR" (letters, then "_" or "-" and
// letters or digits). Anything else could name a file outside the folders.
bool isSpellingLanguage(std::string_view language);

// The Debian package with the dictionary of a language: hunspell-pl, hunspell-de-de for "de",
// hunspell-pt-br for "pt_BR".
std::string dictionaryPackage(std::string_view language);

// The folders to look in, in this order: the given one, the dictionaries folder beside the
// program, the user's (userDictionaryFolder) and the system's (platform::systemDictionaryFolder).
std::vector<std::filesystem::path> dictionaryFolders(
    const std::optional<std::filesystem::path>& extra);
// The same from the places given: the program's folder and the user's data folder, when known.
std::vector<std::filesystem::path> dictionaryFolders(
    const std::optional<std::filesystem::path>& extra,
    const std::optional<std::filesystem::path>& programFolder,
    const std::optional<std::filesystem::path>& userDataFolder);

// The user's own dictionaries folder (%APPDATA%\TarnEdit\dictionaries on Windows,
// ~/.local/share/TarnEdit/dictionaries elsewhere), where a user puts dictionaries without
// administrator rights; nullopt when the system names no user folder.
std::optional<std::filesystem::path> userDictionaryFolder();

// What to do when a language has no dictionary, on the system this runs on: install the Debian
// package, or put LANG.aff and LANG.dic into the user's dictionaries folder.
std::string missingDictionaryAdvice(std::string_view language);

struct DictionaryFiles {
    std::filesystem::path aff;
    std::filesystem::path dic;
};

// The first folder's dictionary of the language: LANG.aff and LANG.dic ("-" read as "_"), or
// for a language without a region the first LANG_REGION pair, LANG_LANG preferred (de_DE for
// "de", pl_PL for "pl").
std::optional<DictionaryFiles> findDictionary(std::string_view language,
                                              const std::vector<std::filesystem::path>& folders);

// The languages of every dictionary in the folders (an .aff beside a .dic, named as
// isSpellingLanguage accepts), each once, sorted.
std::vector<std::string> availableLanguages(const std::vector<std::filesystem::path>& folders);

// One open dictionary. Words go in and come out as UTF-8, whatever the dictionary's own
// character set.
class SpellChecker {
public:
    // Raises SpellingError when the files cannot be read.
    explicit SpellChecker(const DictionaryFiles& files);
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    // Finds the language's dictionary in folders and opens it; raises SpellingError naming the
    // folders and the package to install when there is none.
    static std::unique_ptr<SpellChecker> open(std::string_view language,
                                              const std::vector<std::filesystem::path>& folders);

    bool isKnown(std::string_view word) const;
    std::vector<std::string> suggestions(std::string_view word) const;
    // Known from now on, for this checker only.
    void addWord(std::string_view word);
    // The characters outside ASCII that the dictionary's words use, ascending: the letters of
    // its language, which a character table must not give away. Read from the word list the
    // first time asked; raises SpellingError when it cannot be read.
    const std::u32string& wordCharacters() const;

private:
    // The word in the dictionary's character set, or nothing when it has no such letters.
    std::optional<std::string> toDictionary(std::string_view word) const;
    std::string fromDictionary(const std::string& word) const;

    std::unique_ptr<Hunspell> hunspell_;
    std::optional<DictionaryCharset> charset_;  // nothing for a UTF-8 dictionary
    std::filesystem::path wordList_;            // the .dic file
    mutable std::optional<std::u32string> wordCharacters_;
};

}  // namespace tarn
