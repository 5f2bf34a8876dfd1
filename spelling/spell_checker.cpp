// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling/spell_checker.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8.h"
#include "common/utf8_path.h"
#include "platform/core/paths.h"
#include "platform/core/user_folders.h"
#include "platform/narrow_file_name.h"
#include "spelling/dictionary_charset.h"

#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <exception>
#include <fstream>
#include <set>

namespace tarn {

namespace fs = std::filesystem;

namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "de-DE" as dictionary files are named: "de_DE".
std::string fileLanguage(std::string_view language) {
    std::string name(language);
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

bool readable(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && std::ifstream(path).good();
}

std::optional<DictionaryFiles> pairIn(const fs::path& folder, const std::string& name) {
    DictionaryFiles files{folder / pathFromUtf8(name + ".aff"),
                          folder / pathFromUtf8(name + ".dic")};
    if (readable(files.aff) && readable(files.dic)) {
        return files;
    }
    return std::nullopt;
}

}  // namespace

bool isSpellingLanguage(std::string_view language) {
    if (language.size() < 2 || !isAsciiLetter(language[0]) || !isAsciiLetter(language[1])) {
        return false;
    }
    std::size_t i = 2;
    while (i < language.size() && isAsciiLetter(language[i])) {
        ++i;
    }
    if (i == language.size()) {
        return i <= 3;
    }
    if (i > 3 || (language[i] != '_' && language[i] != '-') || i + 1 == language.size()) {
        return false;
    }
    return language.size() <= 16 &&
           std::all_of(language.begin() + static_cast<std::ptrdiff_t>(i) + 1, language.end(),
                       [](char c) { return isAsciiLetter(c) || (c >= '0' && c <= '9'); });
}

std::string dictionaryPackage(std::string_view language) {
    std::string name = fileLanguage(language);
    std::transform(name.begin(), name.end(), name.begin(), lower);
    const std::string base = name.substr(0, name.find('_'));
    const bool regional = base == "de" || base == "en" || base == "pt";
    if (!regional) {
        return "hunspell-" + base;
    }
    if (name == base) {
        name += base == "en" ? "_us" : "_" + base;
    }
    std::replace(name.begin(), name.end(), '_', '-');
    return "hunspell-" + name;
}

std::vector<fs::path> dictionaryFolders(const std::optional<fs::path>& extra,
                                        const std::optional<fs::path>& programFolder,
                                        const std::optional<fs::path>& userDataFolder) {
    std::vector<fs::path> folders;
    if (extra) {
        folders.push_back(*extra);
    }
    if (programFolder) {
        folders.push_back(*programFolder / kDictionariesFolderName);
    }
    if (userDataFolder) {
        folders.push_back(*userDataFolder / kDictionariesFolderName);
    }
    if (const std::optional<fs::path> system = platform::systemDictionaryFolder()) {
        folders.push_back(*system);
    }
    return folders;
}

std::vector<fs::path> dictionaryFolders(const std::optional<fs::path>& extra) {
    std::optional<fs::path> programFolder;
    try {
        programFolder = platform::ownExecutablePath().parent_path();
    } catch (const FileError&) {
        // Without its own path the program looks in the other folders.
    }
    return dictionaryFolders(extra, programFolder, platform::userDataFolder());
}

std::optional<fs::path> userDictionaryFolder() {
    const std::optional<fs::path> data = platform::userDataFolder();
    if (!data) {
        return std::nullopt;
    }
    return *data / kDictionariesFolderName;
}

std::string missingDictionaryAdvice(std::string_view language) {
    const std::optional<fs::path> user = userDictionaryFolder();
    const std::string files = std::string(language) + ".aff and " + std::string(language) + ".dic";
    if (platform::systemDictionaryFolder()) {  // a system whose packages install dictionaries
        return "install the Debian package " + dictionaryPackage(language) +
               (user ? ", or put " + files + " into " + pathToUtf8(*user) : std::string());
    }
    return "put a Hunspell dictionary (" + files + ", as office suites' dictionaries hold them) " +
           (user ? "into " + pathToUtf8(*user) : "into the dictionaries folder beside TarnEdit");
}

std::vector<std::string> availableLanguages(const std::vector<std::filesystem::path>& folders) {
    std::vector<std::string> languages;
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::filesystem::path& path = it->path();
            const std::string name = pathToUtf8(path.stem());
            std::filesystem::path dic = path;
            dic.replace_extension(".dic");
            if (path.extension() == ".aff" && isSpellingLanguage(name) &&
                std::filesystem::exists(dic, error)) {
                languages.push_back(name);
            }
        }
    }
    std::sort(languages.begin(), languages.end());
    languages.erase(std::unique(languages.begin(), languages.end()), languages.end());
    return languages;
}

std::optional<DictionaryFiles> findDictionary(std::string_view language,
                                              const std::vector<fs::path>& folders) {
    if (!isSpellingLanguage(language)) {
        return std::nullopt;
    }
    const std::string name = fileLanguage(language);
    const bool hasRegion = name.find('_') != std::string::npos;
    for (const fs::path& folder : folders) {
        if (auto files = pairIn(folder, name)) {
            return files;
        }
        if (hasRegion) {
            continue;
        }
        std::string own = name + "_";
        std::transform(name.begin(), name.end(), std::back_inserter(own), upper);
        if (auto files = pairIn(folder, own)) {
            return files;
        }
        std::vector<std::string> regional;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            const std::string file = pathToUtf8(entry.path().filename());
            if (file.starts_with(name + "_") && file.ends_with(".aff")) {
                regional.push_back(file.substr(0, file.size() - 4));
            }
        }
        std::sort(regional.begin(), regional.end());
        for (const std::string& candidate : regional) {
            if (auto files = pairIn(folder, candidate)) {
                return files;
            }
        }
    }
    return std::nullopt;
}

namespace {

// Hunspell opens narrow names, which Windows reads in the ANSI code page: a name that page
// cannot hold is given in its short (8.3) form where the volume has one, and refused where it
// has none, rather than leaving Hunspell without words.
std::string hunspellName(const std::filesystem::path& path) {
    if (auto name = platform::narrowFileName(path)) {
        return *name;
    }
    throw SpellingError("cannot read the spelling dictionary " + pathToUtf8(path) +
                        ": Hunspell opens only names of the system's code page, and this one has "
                        "no short form; move the dictionary to another folder");
}

}  // namespace

SpellChecker::SpellChecker(const DictionaryFiles& files) : wordList_(files.dic) {
    if (!readable(files.aff) || !readable(files.dic)) {
        throw SpellingError("cannot read the spelling dictionary " + pathToUtf8(files.dic));
    }
    hunspell_ = std::make_unique<Hunspell>(hunspellName(files.aff).c_str(),
                                           hunspellName(files.dic).c_str());
    std::string set = hunspell_->get_dict_encoding();
    std::transform(set.begin(), set.end(), set.begin(), upper);
    if (set != "UTF-8" && set != "UTF8") {
        charset_ = DictionaryCharset::byName(set);
        if (!charset_) {
            throw SpellingError(pathToUtf8(files.aff) + ": the character set " + set +
                                " cannot be read");
        }
    }
}

SpellChecker::~SpellChecker() = default;

const std::u32string& SpellChecker::wordCharacters() const {
    if (wordCharacters_) {
        return *wordCharacters_;
    }
    Bytes list;
    try {
        list = readWholeFile(wordList_);
    } catch (const std::exception& e) {
        throw SpellingError(e.what());
    }
    std::set<char32_t> characters;
    if (charset_) {
        // Marks every byte the list holds, then reads the marked ones as characters: a list of
        // hundreds of thousands of words uses a few dozen distinct bytes.
        std::array<bool, 256> bytes{};
        for (const std::uint8_t b : list) {
            bytes[b] = true;
        }
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (!bytes[b]) {
                continue;
            }
            std::size_t pos = 0;
            const std::optional<std::string> utf8 =
                charset_->toUtf8(std::string(1, static_cast<char>(b)));
            if (const std::optional<char32_t> c = utf8 ? nextUtf8(*utf8, pos) : std::nullopt) {
                characters.insert(*c);
            }
        }
    } else {
        const std::string_view text(reinterpret_cast<const char*>(list.data()), list.size());
        for (std::size_t pos = 0; pos < text.size();) {
            const std::optional<char32_t> c = nextUtf8(text, pos);
            if (!c) {
                ++pos;  // not UTF-8: the checker reads no word with it either
            } else if (*c >= 0x80) {
                characters.insert(*c);
            }
        }
    }
    wordCharacters_.emplace(characters.begin(), characters.end());
    return *wordCharacters_;
}

std::unique_ptr<SpellChecker> SpellChecker::open(std::string_view language,
                                                 const std::vector<fs::path>& folders) {
    if (!isSpellingLanguage(language)) {
        throw SpellingError("\"" + std::string(language) +
                            "\" is no language code such as pl or de_DE");
    }
    const auto files = findDictionary(language, folders);
    if (!files) {
        std::string where;
        for (const fs::path& folder : folders) {
            where += (where.empty() ? "" : ", ") + pathToUtf8(folder);
        }
        throw SpellingError("no spelling dictionary for " + std::string(language) + " in " + where +
                            ": " + missingDictionaryAdvice(language));
    }
    return std::make_unique<SpellChecker>(*files);
}

std::optional<std::string> SpellChecker::toDictionary(std::string_view word) const {
    if (!charset_) {
        return std::string(word);
    }
    return charset_->fromUtf8(word);
}

std::string SpellChecker::fromDictionary(const std::string& word) const {
    if (!charset_) {
        return word;
    }
    return charset_->toUtf8(word).value_or("");
}

bool SpellChecker::isKnown(std::string_view word) const {
    const auto converted = toDictionary(word);
    return converted && hunspell_->spell(*converted);
}

std::vector<std::string> SpellChecker::suggestions(std::string_view word) const {
    std::vector<std::string> found;
    if (const auto converted = toDictionary(word)) {
        for (const std::string& suggestion : hunspell_->suggest(*converted)) {
            if (std::string utf8 = fromDictionary(suggestion); !utf8.empty()) {
                found.push_back(std::move(utf8));
            }
        }
    }
    return found;
}

void SpellChecker::addWord(std::string_view word) {
    if (const auto converted = toDictionary(word)) {
        hunspell_->add(*converted);
    }
}

}  // namespace tarn
