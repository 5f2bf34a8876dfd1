// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/translation_checks.h"

#include <gtest/gtest.h>

#include "textcodes/character_table.h"
#include "textcodes/code_table.h"
#include "textcodes/look_alikes.h"

namespace tarn {
namespace {

// Windows-1252 bytes of characters a word processor produces.
const std::string kOpenQuote = "\x93";   // “ = \c5
const std::string kCloseQuote = "\x94";  // ” = \c6
const std::string kEllipsis = "\x85";    // … = %d
const std::string kEuro = "\x80";        // € = %M

std::vector<CheckFinding> check(std::string_view original, std::string_view translated,
                                Notation notation = Notation::CStyle) {
    return checkTranslation(original, translated, notation, windows1252Characters());
}

std::vector<CheckFinding> only(const std::vector<CheckFinding>& findings, std::string_view name) {
    std::vector<CheckFinding> selected;
    for (const CheckFinding& f : findings) {
        if (f.check == name) {
            selected.push_back(f);
        }
    }
    return selected;
}

// One row: a pair that the check must find, with its message, and a close pair it must not.
struct CheckCase {
    std::string_view check;
    Severity severity;
    std::string original;
    std::string found;
    std::string message;
    std::string close;
};

class EachCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(EachCheck, FindsTheFaultAndNotTheCloseCase) {
    const CheckCase& c = GetParam();
    const auto findings = only(check(c.original, c.found), c.check);
    ASSERT_EQ(findings.size(), 1u) << c.found;
    EXPECT_EQ(findings[0].severity, c.severity);
    EXPECT_EQ(findings[0].message, c.message);
    EXPECT_TRUE(only(check(c.original, c.close), c.check).empty()) << c.close;
}

INSTANTIATE_TEST_SUITE_P(
    TranslationChecks, EachCheck,
    ::testing::Values(
        CheckCase{"value-codes", Severity::Error, "You have %N coins in %s",
                  "In %s you have %N coins", "value codes %s %N, the original has %N %s",
                  "Du hast %N Muenzen in %s"},
        CheckCase{"value-codes", Severity::Error, "Cost: %M", "Kosten: 100%%",
                  "no value codes, the original has %M", "Kosten: %M (100%%)"},
        CheckCase{"value-data", Severity::Error, "%S has fallen", "%S padl",
                  "%S data \" p\", the original has \" h\"", "%S has padl"},
        CheckCase{"value-data", Severity::Error, "%cabcd and %S\\n\\\\ok", "%cabcd und %S\\nx",
                  "%S data \"\\nx\", the original has \"\\n\\\\\"", "%cabcd und %S\\n\\\\gut"},
        CheckCase{"value-data", Severity::Error, "%cabcd!", "%cab",
                  "%c data \"ab\" cut short, the original has \"abcd\"", "%cabcdX"},
        CheckCase{"pictures", Severity::Error, "\\p00000001 or \\p00000102",
                  "\\p00000001 oder \\p00000001",
                  "pictures \\p00000001 \\p00000001, the original has \\p00000001 \\p00000102",
                  "\\p00000102 oder \\p00000001"},
        CheckCase{"cstyle", Severity::Error, "Done", "Fertig %",
                  "Unmatched % sign at the end of the text", "Fertig %%"},
        CheckCase{"colours", Severity::Warning, "\\c5Gold\\d coins", "\\c5Gold Muenzen",
                  "0 \\d, the original has 1", "\\c3Gold\\d Muenzen"},
        CheckCase{"colours", Severity::Warning, "\\c5Gold\\d", "\\c5\\c4Gold",
                  "2 colour codes, the original has 1; 0 \\d, the original has 1", "\\caGold\\d"},
        CheckCase{"thin", Severity::Warning, "\\tsmall print", "Kleingedrucktes",
                  "0 \\t, the original has 1", "\\tKleingedrucktes"},
        CheckCase{"typed-code", Severity::Warning, "Say hello", "Sag " + kOpenQuote + "hallo",
                  "“ is the colour code \\c5 (Yellow), not a character", "Sag \\c5hallo"},
        CheckCase{"typed-code", Severity::Warning, "Wait...", "Warte" + kEllipsis,
                  "… is the value code %d (Date), not a character", "Warte..."},
        CheckCase{"spaces", Severity::Warning,
                  "Name: ", "Nom:", "0 trailing spaces, the original has 1", "Nom : "},
        CheckCase{"spaces", Severity::Warning, "  Indented", " Eingerueckt",
                  "1 leading space, the original has 2", "  Eingerueckt"},
        CheckCase{"control", Severity::Warning, "Line", "Zeile\\x0D\\x01",
                  "\\x01 \\x0D are not in the original", "Zeile\\n"},
        CheckCase{"line-breaks", Severity::Info, "One\\nTwo", "Eins Zwei",
                  "0 line breaks, the original has 1", "Eins\\nZwei"},
        CheckCase{"untranslated", Severity::Info, "Hello", "Hello",
                  "the text is the same as the original", "Hallo"}));

TEST(TranslationChecks, UntranslatedNeedsALetter) {
    EXPECT_TRUE(only(check("100 %N", "100 %N"), "untranslated").empty());
    EXPECT_TRUE(check("", "").empty());
    EXPECT_EQ(only(check("\xC7"
                         "a",
                         "\xC7"
                         "a"),
                   "untranslated")
                  .size(),
              1u);
}

TEST(TranslationChecks, TypedCodesNameTheCharacterAndKeepTheByte) {
    const auto findings =
        only(check("Price", "Preis " + kOpenQuote + "5" + kEuro + kCloseQuote), "typed-code");
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].message,
              "€ is the value code %M (Money with 2 decimal places), not a character");
    EXPECT_EQ(findings[0].codeByte, 0x80);
    EXPECT_EQ(findings[1].codeByte, 0x93);
    EXPECT_EQ(findings[2].message, "” is the colour code \\c6 (Orange), not a character");
    // { is printable; byte 129 has no printable character in Windows-1252.
    EXPECT_EQ(only(check("a", "{a"), "typed-code").size(), 1u);
    EXPECT_TRUE(only(check("a", "a\x81"), "typed-code").empty());
}

TEST(TranslationChecks, TypedCodesInRawNotation) {
    // The original uses the colour itself: the same byte in the translation is a code.
    EXPECT_TRUE(only(check("\x93Gold", "\x93Or", Notation::Raw), "typed-code").empty());
    EXPECT_EQ(only(check("Gold", "\x93Or", Notation::Raw), "typed-code").size(), 1u);
    // Picture number bytes are no characters and no codes.
    const std::string picture = rawText({23, 2, 0x93, 0x85});
    const auto findings = check("Gold" + picture, "Or" + picture, Notation::Raw);
    EXPECT_TRUE(findings.empty());
}

TEST(TranslationChecks, AMalformedCellGivesOnlyTheCStyleError) {
    const auto findings = check("Hello %N", "\\q");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].check, "cstyle");
    EXPECT_EQ(findings[0].message, "Incorrect \\ sequence at position 1");
    EXPECT_TRUE(check("%", "Hallo").empty());  // an edited original cannot be compared
}

TEST(TranslationChecks, AllTextsAndTheErrorFlag) {
    const std::vector<std::string> originals{"A %N", "Hello", "B"};
    const std::vector<std::string> translations{"A", "Hello", "C"};
    const auto findings =
        checkTranslations(originals, translations, Notation::CStyle, windows1252Characters());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].text, 1);
    EXPECT_EQ(findings[0].finding.check, "value-codes");
    EXPECT_EQ(findings[1].text, 2);
    EXPECT_TRUE(hasError(findings));
    EXPECT_FALSE(hasError({findings[1]}));
    EXPECT_EQ(severityName(Severity::Warning), "warning");
}

// One row: a pair of C-style cells and the excess the longer check gives them (0: no finding).
struct LongerCase {
    std::string original;
    std::string translated;
    int excess;
    std::string message;
};

class LongerCheck : public ::testing::TestWithParam<LongerCase> {};

TEST_P(LongerCheck, ComparesStoredBytes) {
    const LongerCase& c = GetParam();
    const auto findings =
        checkTranslations({c.original}, {c.translated}, Notation::CStyle, windows1252Characters());
    std::vector<CheckFinding> longer;
    for (const TextFinding& f : findings) {
        if (f.finding.check == "longer") {
            longer.push_back(f.finding);
        }
    }
    if (c.excess == 0) {
        EXPECT_TRUE(longer.empty()) << c.translated;
        return;
    }
    ASSERT_EQ(longer.size(), 1u) << c.translated;
    EXPECT_EQ(longer[0], (CheckFinding{Severity::Info, "longer", c.message, 0, c.excess}));
}

INSTANTIATE_TEST_SUITE_P(
    TranslationChecks, LongerCheck,
    ::testing::Values(
        LongerCase{"Save", "Sichern", 3, "longer than the original by 3 bytes"},
        LongerCase{"Save", "Sich", 0, ""}, LongerCase{"Save game", "Sichern", 0, ""},
        LongerCase{"%N coins", "%N Mnzen", 0, ""},  // a code is one byte
        LongerCase{"\\\\", "%%x", 1, "longer than the original by 1 byte"},
        // Pictures are stored with four number bytes whatever their compact form.
        LongerCase{"Pic \\p00000007", "Bild \\p01000000", 1, "longer than the original by 1 byte"},
        LongerCase{"\\p00000000", "\\pFFFFFFFF", 0, ""},
        LongerCase{"Hi", "\\q", 0, ""},  // a malformed cell gives only its cstyle error
        LongerCase{"%", "Hallo", 0, ""}  // nor is an original that does not convert compared
        ));

// A text's own findings keep the table's order, longer last, and those across texts follow.
TEST(LongerCheck, ComesAfterTheTextsOwnChecksAndBeforeThoseAcrossTexts) {
    const std::vector<std::string> originals{"Save %N", "Save %N"};
    const std::vector<std::string> translations{"Sichern %N", "Speichern"};
    std::vector<std::pair<int, std::string_view>> found;
    for (const TextFinding& f :
         checkTranslations(originals, translations, Notation::CStyle, windows1252Characters())) {
        found.emplace_back(f.text, f.finding.check);
    }
    const std::vector<std::pair<int, std::string_view>> expected{
        {1, "longer"}, {2, "value-codes"}, {2, "longer"}, {2, "inconsistent"}};
    EXPECT_EQ(found, expected);
    // One pair alone: what checkTranslation leaves to the executable's lists.
    EXPECT_TRUE(only(check("Save", "Sichern"), "longer").empty());
    std::vector<CheckFinding> stored;
    checkStoredLength("Save", "Sichern", stored);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].excess, 3);
}

TEST(LookAlikes, ReplaceTheTypedCharacterOnly) {
    const auto& cp = windows1252Characters();
    const std::string cell = "Sag " + kOpenQuote + "hallo" + kCloseQuote + "\\c5";
    EXPECT_EQ(replaceWithLookAlike(cell, Notation::CStyle, 0x93, cp),
              "Sag \"hallo" + kCloseQuote + "\\c5");
    EXPECT_EQ(replaceWithLookAlike("Warte" + kEllipsis, Notation::CStyle, 0x85, cp), "Warte...");
    EXPECT_EQ(replaceWithLookAlike("a\x96"
                                   "b\x97"
                                   "c",
                                   Notation::CStyle, 0x96, cp),
              "a-b\x97"
              "c");
    EXPECT_EQ(replaceWithLookAlike("it\x92s", Notation::CStyle, 0x92, cp), "it's");
    EXPECT_EQ(replaceWithLookAlike("{x}", Notation::CStyle, '{', cp), "{x}");  // no look-alike
    // In raw notation a picture number byte of the same value stays.
    const std::string raw = rawText({23, 1, 0x93, 'x', 0x93});
    EXPECT_EQ(replaceWithLookAlike(raw, Notation::Raw, 0x93, cp), rawText({23, 1, 0x93, 'x', '"'}));
    EXPECT_EQ(plainLookAlike(U'\u201E'), "\"");
    EXPECT_FALSE(plainLookAlike(U'a'));
    // A character table's byte wins over the look-alike, and serves letters that have none.
    const CodePage central = *CodePage::byNumber(1250);
    const ByteCharacters placed =
        byteCharacters(readCharacterTable("A4=„\nA6=Ś\n", central).over(central));
    EXPECT_EQ(replaceWithLookAlike("\x84x\x8C", Notation::CStyle, 0x84, placed), "\xA4x\x8C");
    EXPECT_EQ(replaceWithLookAlike("\x84x\x8C", Notation::CStyle, 0x8C, placed), "\x84x\xA6");
}

}  // namespace
}  // namespace tarn
