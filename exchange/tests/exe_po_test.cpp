// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/exe_po.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exchange/po_header.h"
#include "exchange/po_text.h"
#include "exchange/tests/gettext_tools.h"
#include "exetext/sample_executable.h"
#include "textcodes/character_table.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

std::vector<PoEntry> readBack(const std::filesystem::path& path) {
    const PoReadResult read = readPoFile(path);
    EXPECT_TRUE(read.problems.empty()) << describe(read.problems.front());
    return read.entries;
}

// The sample texts with some of them translated: line breaks, backslashes, %%, pictures and
// codes, and translations whose line breaks at the ends differ from the original's.
struct Translation {
    std::vector<std::string> original = sampleTexts();
    std::vector<std::string> translated = sampleTexts();

    Translation() {
        translated[0] = "Ja";
        translated[7] = rawText({'Z', 'e', 'i', 'l', 'e', 5, 'z', 'w', 'e', 'i'});
        translated[8] = "say \"Ja\"";
        translated[13] = "C:\\Spiele\\Tarn 100%";
        translated[20] = rawText({23, 1, 5, 'B', 'i', 'l', 'd', 146, 127, 14, 10, 13});
        original[30] = rawText({5, 'a'});
        translated[30] = "a";  // the original starts with a line break, this does not
        original[31] = "b";
        translated[31] = rawText({'b', 5});
        translated[99] = "nun nicht mehr leer";
    }
};

TEST(ExeExport, OneMessagePerReadableTextInNumberOrder) {
    Translation t;
    const std::vector<PoEntry> entries =
        exeTextsToPo(t.original, {5, 9}, t.translated, {12}, CodePage());
    ASSERT_EQ(entries.size(), 3451u);
    EXPECT_EQ(entries[0].context, "exe/0001");
    EXPECT_EQ(entries[0].translation, "Ja");
    EXPECT_EQ(entries[0].notes, std::vector<std::string>{"text 1"});
    EXPECT_EQ(entries[0].references, (std::vector<PoReference>{{"Tarn.exe", 1}}));
    EXPECT_EQ(entries[9].references, (std::vector<PoReference>{{"Tarn.exe", 12}}));
    EXPECT_EQ(entries[3].context, "exe/0004");
    EXPECT_EQ(entries[4].context, "exe/0006");  // texts 5 and 9 could not be read
    EXPECT_EQ(entries[3].translation, "");      // equal to the original: untranslated
    EXPECT_EQ(entries[9].context, "exe/0012");
    EXPECT_EQ(entries[9].translation, "");  // text 12 of the translation could not be read
    EXPECT_EQ(entries.back().context, "exe/3453");
    EXPECT_EQ(entries[4].source, rawToPoText(t.original[5], CodePage()));

    const PoEntry& starts = entries[30 - 2];
    EXPECT_EQ(starts.context, "exe/0031");
    EXPECT_TRUE(starts.fuzzy);
    EXPECT_EQ(starts.notes,
              (std::vector<std::string>{"text 31", std::string(kFuzzyLineBreaksNote)}));
    EXPECT_TRUE(entries[31 - 2].fuzzy);
    EXPECT_FALSE(entries[8 - 2].fuzzy);
    EXPECT_EQ(entries[8 - 2].translation, "Zeile\nzwei");
}

TEST(ExeImport, AppliesTranslationsAndCountsEveryMessage) {
    std::vector<std::string> texts = {"one", "two", "three", "four", "five"};
    auto message = [](std::string context, std::string translation, bool fuzzy = false) {
        return PoEntry{std::move(context), true, "x", std::move(translation), {}, fuzzy};
    };
    const std::vector<PoEntry> entries = {
        message("exe/0001", "eins\nzwei"), message("exe/0002", "two"),
        message("exe/0003", ""),           message("exe/0004", "vier", true),
        message("exe/0006", "sechs"),      message("exe/42", "x"),
        message("obj/A.dat/1", "x"),       PoEntry{"", false, "x", "y", {}, false},
        message("exe/0005", "f\\x01nf"),   message("exe/0001\nforged line", "x"),
    };
    const PoImportReport report = applyExePo(texts, entries, CodePage());
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(importSummaryLine(report.counts),
              "applied 2, unchanged 1, untranslated 1, fuzzy 1, unknown 5");
    EXPECT_EQ(texts, (std::vector<std::string>{rawText({'e', 'i', 'n', 's', 5, 'z', 'w', 'e', 'i'}),
                                               "two", "three", "four", std::string("f\1nf", 4)}));
    EXPECT_EQ(report.warnings.size(), 5u);
    EXPECT_EQ(describe(report.warnings[0]), "unknown msgctxt \"exe/0006\", message skipped");
    EXPECT_EQ(describe(report.warnings[3]), "message without msgctxt, skipped");
    EXPECT_EQ(describe(report.warnings[4]),
              "unknown msgctxt \"exe/0001\\x0Aforged line\", message skipped");
}

TEST(ExeImport, ListsEveryProblemAndChangesNothing) {
    std::vector<std::string> texts(50, "text");
    const std::vector<std::string> before = texts;
    const std::vector<PoEntry> entries = {
        {"exe/0042", true, "x", "50 %x", {}, false},
        {"exe/0001", true, "x", "fine", {}, false},
        {"exe/0002", true, "x", "\xE4\xB8\xAD", {}, false},
        {"exe/0003", true, "x", "a", {}, false},
        {"exe/0003", true, "y", "b", {}, false},
        {"exe/0004", true, "x", "\\p123", {}, true},     // fuzzy: not checked, not applied
        {"exe/0005", true, "x", "f\\x00nf", {}, false},  // would end the text in the game
        {"exe/0006", true, "x", std::string("f\0nf", 4), {}, false},
    };
    const PoImportReport report = applyExePo(texts, entries, CodePage());
    EXPECT_EQ(describe(report.problems),
              (std::vector<std::string>{"exe/0042: Incorrect % sequence at position 4",
                                        "exe/0002: The character '\xE4\xB8\xAD' (U+4E2D) at "
                                        "position 1 is not in code page 1252",
                                        "exe/0003: a second message for the same text",
                                        "exe/0005: A text cannot hold the byte 00",
                                        "exe/0006: A text cannot hold the byte 00"}));
    EXPECT_EQ(texts, before);
}

TEST(ExeExport, FilesPassMsgfmtCheckAndComeBackThroughGettextsTools) {
    if (!kGettextToolsRun) {
        GTEST_SKIP() << "gettext's programs are the build machine's";
    }
    TempDir dir;
    Translation t;
    const auto po = dir.path() / "de.po";
    writePoFile(po, poHeader("de", "test", 0),
                exeTextsToPo(t.original, {}, t.translated, {}, CodePage()));
    const ToolOutput check =
        runGettextTool(MSGFMT_PROGRAM, "--check -o /dev/null " + quoted(po), dir.path());
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.output, "");
    EXPECT_NE(toString(readWholeFile(po)).find("\"Language: de\\n\"\n"), std::string::npos);
    // A language that would break the header's lines is refused, not written.
    EXPECT_THROW(poHeader("de\nX-Evil: 1", "test", 0), std::invalid_argument);
    EXPECT_EQ(poHeader("pt_BR", "test", 0)[4],
              (std::pair<std::string, std::string>{"Language", "pt_BR"}));
    // The language proposed for a translation: its spelling language, else its code page's.
    const std::vector<std::tuple<std::string, int, std::string>> proposals = {
        {"pt-BR", 1250, "pt_BR"}, {"de_DE", 1251, "de_DE"}, {"", 1250, "pl"},
        {"", 1251, "ru"},         {"", 1252, ""},           {"../x", 1253, "el"},
    };
    for (const auto& [spelling, page, language] : proposals) {
        EXPECT_EQ(proposedPoLanguage(spelling, page), language) << spelling << " " << page;
    }

    // Importing into the original texts gives the translation back (fuzzy ones excepted).
    std::vector<std::string> expected = t.translated;
    expected[30] = t.original[30];
    expected[31] = t.original[31];
    auto importInto = [&](const std::filesystem::path& file) {
        std::vector<std::string> texts = t.original;
        const PoImportReport report = applyExePo(texts, readBack(file), CodePage());
        EXPECT_TRUE(report.problems.empty());
        return texts;
    };
    EXPECT_EQ(importInto(po), expected);

    const auto narrow = dir.path() / "narrow.po";
    ASSERT_EQ(runGettextTool(MSGCAT_PROGRAM, "--width=20 -o " + quoted(narrow) + " " + quoted(po),
                             dir.path())
                  .status,
              0);
    EXPECT_EQ(importInto(narrow), expected);

    // An untranslated template of the same texts, merged with the translation.
    const auto pot = dir.path() / "tarn.pot";
    writePoFile(pot, poHeader("", "test", 0),
                exeTextsToPo(t.original, {}, t.original, {}, CodePage()));
    const auto merged = dir.path() / "merged.po";
    ASSERT_EQ(runGettextTool(MSGMERGE_PROGRAM,
                             "--quiet -o " + quoted(merged) + " " + quoted(po) + " " + quoted(pot),
                             dir.path())
                  .status,
              0);
    EXPECT_EQ(importInto(merged), expected);

    // A filter that edits every translation as a tool would (typographic quotes). In 1252 the
    // quotes fall on the colour codes \c5 and \c6: refused, unless codes are allowed.
    const auto filtered = dir.path() / "filtered.po";
    ASSERT_EQ(runGettextTool(MSGFILTER_PROGRAM,
                             "-i " + quoted(po) + " -o " + quoted(filtered) + " quot", dir.path())
                  .status,
              0);
    std::vector<std::string> texts = t.original;
    EXPECT_EQ(describe(applyExePo(texts, readBack(filtered), CodePage()).problems),
              (std::vector<std::string>{"exe/0009: '\u201C' (U+201C) is byte 147 in code page "
                                        "1252, which the game reads as the colour code \\c5; "
                                        "write \\c5 if the code is meant"}));
    EXPECT_EQ(texts, t.original);
    EXPECT_TRUE(
        applyExePo(texts, readBack(filtered), CodePage(), TypedCodes::Allowed).problems.empty());
    expected[8] = "say \x93Ja\x94";
    EXPECT_EQ(texts, expected);
}

// Polish letters that 1250 has only on game codes, placed by a character table.
CodePage polishTable() {
    const CodePage central = *CodePage::byNumber(1250);
    const CharacterTable table = readCharacterTable("A4=Ś\nA6=Ź\n", central);
    EXPECT_TRUE(table.ok()) << table.error;
    return table.over(central);
}

TEST(ExeImport, ARoundTripThroughATableIsByteExact) {
    TempDir dir;
    const CodePage polish = polishTable();
    std::vector<std::string> original = sampleTexts();
    std::vector<std::string> translated = sampleTexts();
    translated[0] =
        "\xA4wiat milczy. \xA6le, \x9C"
        "le \x9F"
        "le";                                                // Świat milczy. Źle, śle źle
    translated[1] = rawText({0xA4, 140, 143, 123, 5, 'x'});  // Ś, %l, \c1, %N, a line break
    const auto po = dir.path() / "pl.po";
    writePoFile(po, poHeader("pl", "test", 0), exeTextsToPo(original, {}, translated, {}, polish));
    const std::string file = toString(readWholeFile(po));
    EXPECT_NE(file.find("msgstr \"Świat milczy. Źle, śle źle\""), std::string::npos);
    EXPECT_NE(file.find("\"Ś%l\\\\c1%N\\n\"\n\"x\""), std::string::npos);

    std::vector<std::string> texts = original;
    const PoImportReport report = applyExePo(texts, readBack(po), polish);
    EXPECT_TRUE(report.problems.empty()) << describe(report.problems.front());
    EXPECT_EQ(texts, translated);
    const auto again = dir.path() / "again.po";
    writePoFile(again, poHeader("pl", "test", 0), exeTextsToPo(original, {}, texts, {}, polish));
    EXPECT_EQ(readWholeFile(again), readWholeFile(po));

    // Without the table the same letters would be codes: refused whole, unless allowed.
    texts = original;
    const CodePage central = *CodePage::byNumber(1250);
    EXPECT_EQ(describe(applyExePo(texts, readBack(po), central).problems),
              (std::vector<std::string>{
                  "exe/0001: 'Ś' (U+015A) is byte 140 in code page 1250, which the game reads "
                  "as the value code %l; write %l if the code is meant",
                  "exe/0002: 'Ś' (U+015A) is byte 140 in code page 1250, which the game reads "
                  "as the value code %l; write %l if the code is meant"}));
    EXPECT_EQ(texts, original);
    EXPECT_TRUE(applyExePo(texts, readBack(po), central, TypedCodes::Allowed).problems.empty());
    EXPECT_EQ(texts[0].substr(0, 5), rawText({140, 'w', 'i', 'a', 't'}));
}

}  // namespace
}  // namespace tarn
