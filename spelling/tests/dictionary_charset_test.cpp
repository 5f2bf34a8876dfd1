// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling/dictionary_charset.h"

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TARN_TEST_ICONV 1
#endif

namespace tarn {
namespace {

TEST(DictionaryCharset, KnowsTheSetsByEveryUsualSpelling) {
    for (const char* name :
         {"ISO8859-2", "iso-8859-2", "ISO_8859-15", "ISO8859-1", "KOI8-U", "koi8-r",
          "microsoft-cp1250", "cp1258", "Windows-1251", "TIS620", "TIS620-2533"}) {
        EXPECT_TRUE(DictionaryCharset::byName(name)) << name;
    }
    for (const char* name : {"UTF-8", "ISCII-DEVANAGARI", "ISO8859-12", "cp1249", "cp12500",
                             "microsoft-cp125", "", "ISO8859"}) {
        EXPECT_FALSE(DictionaryCharset::byName(name)) << name;
    }
    for (const std::string& name : DictionaryCharset::names()) {
        EXPECT_TRUE(DictionaryCharset::byName(name)) << name;
    }
}

// A word goes into the set and comes back whole; a character or byte the set lacks gives
// nothing, never another letter.
TEST(DictionaryCharset, ConvertsWholeWordsOrNothing) {
    struct Case {
        const char* set;
        std::string utf8;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {"ISO8859-2", "\xC5\xBC\xC3\xB3\xC5\x82w", "\xBF\xF3\xB3w"},  // żółw
        {"microsoft-cp1250", "\xC5\xBC\xC3\xB3\xC5\x82w", "\xBF\xF3\xB3w"},
        {"KOI8-R", "\xD0\xB4\xD0\xB0", "\xC4\xC1"},   // да
        {"ISO8859-15", "\xE2\x82\xAC", "\xA4"},       // €
        {"ISO8859-1", "\xE2\x82\xAC", std::nullopt},  // € is not in Latin-1
        {"ISO8859-2", "\xD0\x96", std::nullopt},      // Ж
        {"ISO8859-2", "a\xC5", std::nullopt},         // malformed UTF-8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        const auto charset = DictionaryCharset::byName(c.set);
        ASSERT_TRUE(charset);
        EXPECT_EQ(charset->fromUtf8(c.utf8), c.bytes);
        if (c.bytes) {
            EXPECT_EQ(charset->toUtf8(*c.bytes), c.utf8);
        }
    }
    EXPECT_EQ(DictionaryCharset::byName("ISO8859-3")->toUtf8("a\xA5"), std::nullopt);
    EXPECT_EQ(DictionaryCharset::byName("cp1252")->toUtf8("\x81"), std::nullopt);
}

#ifdef TARN_TEST_ICONV
// The character of one byte as iconv has it, as UTF-8; nothing where iconv has none.
std::optional<std::string> iconvCharacter(const std::string& set, unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", set.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv lacks " << set;
        return std::nullopt;
    }
    char in[1] = {static_cast<char>(byte)};
    char out[8];
    char* inPtr = in;
    std::size_t inLeft = 1;
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const std::size_t flushed = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || flushed == static_cast<std::size_t>(-1) ||
        outPtr == out) {
        return std::nullopt;
    }
    return std::string(out, outPtr);
}

// Every byte of every set agrees with the system's iconv, both ways.
TEST(DictionaryCharset, AgreesWithIconvOnEveryByte) {
    for (const std::string& name : DictionaryCharset::names()) {
        SCOPED_TRACE(name);
        std::string iconvName = name;
        if (name.starts_with("ISO8859-")) {
            iconvName = "ISO-8859-" + name.substr(8);
        } else if (name.starts_with("microsoft-cp")) {
            iconvName = "CP" + name.substr(12);
        } else if (name == "TIS620-2533") {
            iconvName = "TIS-620";
        }
        const auto charset = DictionaryCharset::byName(name);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const std::string bytes(1, static_cast<char>(byte));
            const auto expected = iconvCharacter(iconvName, static_cast<unsigned char>(byte));
            EXPECT_EQ(charset->toUtf8(bytes), expected) << "byte " << byte;
            if (expected) {
                EXPECT_EQ(charset->fromUtf8(*expected), bytes) << "byte " << byte;
            }
        }
    }
}
#endif

}  // namespace
}  // namespace tarn
