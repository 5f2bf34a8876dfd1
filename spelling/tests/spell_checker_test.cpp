// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling/spell_checker.h"
#include "spelling/dictionary_install.h"

#include <gtest/gtest.h>

#include "common/tests/temp_dir.h"
#include "common/utf8_path.h"
#include "platform/core/user_folders.h"
#include "spelling/tests/test_dictionary.h"

namespace tarn {
namespace {

TEST(SpellingLanguage, NamesTheDebianPackage) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"pl", "hunspell-pl"},       {"ru", "hunspell-ru"},       {"fr", "hunspell-fr"},
        {"fr_FR", "hunspell-fr"},    {"de", "hunspell-de-de"},    {"de_AT", "hunspell-de-at"},
        {"de-CH", "hunspell-de-ch"}, {"pt_BR", "hunspell-pt-br"}, {"pt", "hunspell-pt-pt"},
        {"en", "hunspell-en-us"},    {"EN_gb", "hunspell-en-gb"},
    };
    for (const auto& [language, package] : cases) {
        EXPECT_EQ(dictionaryPackage(language), package) << language;
    }
    for (const char* good : {"pl", "de_DE", "pt-BR", "ckb", "sr_Latn"}) {
        EXPECT_TRUE(isSpellingLanguage(good)) << good;
    }
    // Nothing that could reach outside the dictionary folders or mean nothing.
    for (const char* bad : {"", "p", "../pl", "pl/", "de_", "de__DE", "pl.aff", "d1", "abcd"}) {
        EXPECT_FALSE(isSpellingLanguage(bad)) << bad;
    }
}

TEST(SpellingLanguage, FindsTheDictionaryInTheFirstFolderThatHasOne) {
    TempDir own;
    TempDir system;
    for (const char* name : {"de_AT", "de_DE", "pl_PL", "pt_BR", "pt_PT"}) {
        writeTestDictionary(system.path(), name, {"x"});
    }
    writeTestDictionary(own.path(), "pt_BR", {"x"});
    writeFileAtomically(own.path() / "de_CH.aff", toBytes("SET UTF-8\n"));  // no .dic beside it
    const std::vector<std::filesystem::path> folders{own.path(), system.path()};
    const std::vector<std::pair<std::string, std::filesystem::path>> cases = {
        {"pl", system.path() / "pl_PL.dic"},    {"de", system.path() / "de_DE.dic"},
        {"de_AT", system.path() / "de_AT.dic"}, {"pt-BR", own.path() / "pt_BR.dic"},
        {"pt", own.path() / "pt_BR.dic"},  // the own folder's only Portuguese one comes first
    };
    for (const auto& [language, dic] : cases) {
        const auto found = findDictionary(language, folders);
        ASSERT_TRUE(found) << language;
        EXPECT_EQ(found->dic, dic) << language;
    }
    // The languages to choose from: each pair once, an .aff alone is none.
    EXPECT_EQ(availableLanguages(folders),
              (std::vector<std::string>{"de_AT", "de_DE", "pl_PL", "pt_BR", "pt_PT"}));
    EXPECT_FALSE(findDictionary("de_CH", folders));
    EXPECT_FALSE(findDictionary("fr", folders));
    // The given folder, the program's, the user's, the system's (none on Windows).
    const std::filesystem::path data = own.path() / "data";
    std::vector<std::filesystem::path> expected{own.path(), system.path() / "dictionaries",
                                                data / "dictionaries"};
    if (const auto systemFolder = platform::systemDictionaryFolder()) {
        expected.push_back(*systemFolder);
    }
    EXPECT_EQ(dictionaryFolders(own.path(), system.path(), data), expected);
    // The user's folder as the system names it, and the advice for a missing dictionary.
#ifdef _WIN32
    ::_putenv_s("APPDATA", data.string().c_str());
    const std::string advice = "put a Hunspell dictionary (fr.aff and fr.dic, as office suites' "
                               "dictionaries hold them) into ";
#else
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    const std::string advice = "install the Debian package hunspell-fr, or put fr.aff and fr.dic "
                               "into ";
#endif
    EXPECT_EQ(userDictionaryFolder(), data / "TarnEdit" / "dictionaries");
    try {
        SpellChecker::open("fr", folders);
        FAIL() << "a checker without a dictionary";
    } catch (const SpellingError& e) {
        EXPECT_EQ(std::string(e.what()), "no spelling dictionary for fr in " +
                                             pathToUtf8(own.path()) + ", " +
                                             pathToUtf8(system.path()) + ": " + advice +
                                             pathToUtf8(data / "TarnEdit" / "dictionaries"));
    }
    EXPECT_THROW(SpellChecker::open("../pl_PL", {system.path() / "x"}), SpellingError);
}

// Dictionaries come in UTF-8 and in older single-byte character sets; words are UTF-8 either way.
// The UTF-8 one lies in a folder with a Polish name.
// A dictionary the translator adds: chosen by either file of its pair, refused with the reason
// when it is no pair, copied whole into the user's folder, where it is found.
TEST(SpellingLanguage, AnAddedDictionaryIsThePairOfTheChosenFile) {
    TempDir from;
    TempDir user;
    writeTestDictionary(from.path(), "pl_PL", {"kot"});
    writeTestDictionary(from.path(), "Polski słownik", {"kot"});
    writeFileAtomically(from.path() / "cs.aff", toBytes("SET UTF-8\n"));  // no .dic beside it
    writeFileAtomically(from.path() / "sk.aff", toBytes("SET UTF-8\n"));
    writeFileAtomically(from.path() / "sk.dic", toBytes("slovo\n"));  // no word count
    writeFileAtomically(from.path() / "words.txt", toBytes("1\nkot\n"));
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"Polski słownik.dic", "is named after its language"},
        {"cs.aff", "cs.dic is missing beside cs.aff"},
        {"sk.dic", "its first line is no word count"},
        {"words.txt", "choose its .aff or .dic file"},
    };
    for (const auto& [name, reason] : refused) {
        try {
            dictionaryPairOf(from.path() / pathFromUtf8(name));
            ADD_FAILURE() << name;
        } catch (const SpellingError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
    }
    for (const char* chosen : {"pl_PL.aff", "pl_PL.dic"}) {
        const DictionaryFiles pair = dictionaryPairOf(from.path() / chosen);
        EXPECT_EQ(addDictionary(pair, user.path() / "dictionaries"), "pl_PL");
    }
    const auto found = findDictionary("pl", {user.path() / "dictionaries"});
    ASSERT_TRUE(found);
    EXPECT_EQ(readWholeFile(found->dic), readWholeFile(from.path() / "pl_PL.dic"));
    EXPECT_TRUE(SpellChecker(*found).isKnown("kot"));
}

TEST(SpellChecker, KnowsSuggestsAndLearnsWordsInEitherCharacterSet) {
    TempDir dir;
    const std::filesystem::path polish = dir.path() / pathFromUtf8("S\xC5\x82owniki");
    std::filesystem::create_directory(polish);
    writeTestDictionary(polish, "de_DE",
                        {"Hallo", "Welt", "f\xC3\xBCr",
                         "Stra\xC3\x9F"
                         "e"});
    writeTestDictionary(dir.path(), "de_AT",
                        {"Hallo", "Welt", "f\xFCr",
                         "Stra\xDF"
                         "e"},
                        "ISO8859-1");
    for (const char* language : {"de_DE", "de_AT"}) {
        SCOPED_TRACE(language);
        const auto checker = SpellChecker::open(language, {dir.path(), polish});
        EXPECT_TRUE(checker->isKnown("Hallo"));
        EXPECT_TRUE(checker->isKnown("f\xC3\xBCr"));
        EXPECT_TRUE(
            checker->isKnown("Stra\xC3\x9F"
                             "e"));
        EXPECT_FALSE(checker->isKnown("Halo"));
        EXPECT_FALSE(checker->isKnown("\xD0\x96"));  // a letter the character set lacks
        EXPECT_EQ(checker->wordCharacters(), U"\u00DF\u00FC");  // the letters beyond ASCII
        const auto suggestions = checker->suggestions("fur");
        EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "f\xC3\xBCr"),
                  suggestions.end());
        checker->addWord("Tarn");
        EXPECT_TRUE(checker->isKnown("Tarn"));
    }
}

// An 8-bit dictionary of another alphabet reads like the Latin-1 one (here in a folder named
// with a letter of the Western code pages); a set without a table is refused by name rather
// than read as wrong words.
TEST(SpellChecker, ReadsEightBitSetsAndRefusesOnesItCannotConvert) {
    TempDir dir;
    const std::filesystem::path folder = dir.path() / pathFromUtf8("W\xC3\xB6rter");
    std::filesystem::create_directory(folder);
    writeTestDictionary(folder, "pl_PL", {"\xBF\xF3\xB3w", "kot"}, "ISO8859-2");
    const auto checker = SpellChecker::open("pl", {folder});
    EXPECT_TRUE(checker->isKnown("\xC5\xBC\xC3\xB3\xC5\x82w"));  // żółw
    EXPECT_FALSE(checker->isKnown("\xC5\xBC\xC3\xB3\xC5\x82"));
    const auto suggestions = checker->suggestions("\xC5\xBC\xC3\xB3\xC5\x82");
    EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "\xC5\xBC\xC3\xB3\xC5\x82w"),
              suggestions.end());

    writeTestDictionary(dir.path(), "hi_IN", {"a"}, "ISCII-DEVANAGARI");
    try {
        SpellChecker::open("hi", {dir.path()});
        ADD_FAILURE() << "a dictionary in ISCII-DEVANAGARI was opened";
    } catch (const SpellingError& e) {
        EXPECT_EQ(std::string(e.what()), pathToUtf8(dir.path() / "hi_IN.aff") +
                                             ": the character set ISCII-DEVANAGARI cannot be read");
    }
}

}  // namespace
}  // namespace tarn
