// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/texts_file.h"

#include <gtest/gtest.h>

#include "exetext/exe_profile.h"
#include "textcodes/character_table.h"

namespace tarn {
namespace {

std::string joined(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string s;
    for (const std::string& line : lines) {
        s += line + end;
    }
    return s;
}

std::vector<std::string> hallo() {
    return std::vector<std::string>(kTextCount, "Hallo");
}

TEST(TextsFile, WritesOneUtf8LinePerTextAndReadsItBackInEitherLineEnd) {
    std::vector<std::string> texts = hallo();
    texts[0] = "\xE9\x9D\x9C";  // é, U+009D, œ in the game's code page
    texts[1] = "two\\nlines";
    texts[2] = "";
    const std::string file = formatTextsFile(texts);
    EXPECT_EQ(file.substr(0, 12), "\xC3\xA9\xC2\x9D\xC5\x93\ntwo\\n");
    const std::vector<std::string> lines = splitTextLines(file);
    ASSERT_EQ(lines.size(), 3453u);
    EXPECT_EQ(lines[2], "");

    // Either line end, and with the byte-order mark of Notepad's "UTF-8 with BOM".
    for (const std::string start : {"", "\xEF\xBB\xBF"}) {
        for (const char* end : {"\n", "\r\n"}) {
            const ParsedTextsFile parsed = parseTextsFile(start + joined(lines, end));
            ASSERT_TRUE(parsed.errors.empty()) << parsed.errors.front().message;
            EXPECT_EQ(parsed.rawTexts[0], "\xE9\x9D\x9C");
            EXPECT_EQ(parsed.rawTexts[1], "two\x05lines");
            EXPECT_EQ(parsed.rawTexts[3452], "Hallo");
        }
    }
    // Without the last line end, and a CR alone stays part of the text.
    std::string noLastEnd = joined(lines);
    noLastEnd.pop_back();
    EXPECT_TRUE(parseTextsFile(noLastEnd).errors.empty());
    EXPECT_EQ(splitTextLines("a\rb\r\n\r"), (std::vector<std::string>{"a\rb", "\r"}));
}

TEST(TextsFile, EveryFaultyLineIsReportedAndNoTextIsTaken) {
    std::vector<std::string> lines = hallo();
    lines[4] = "100%";
    lines[6] = "\\ce";
    lines[8] = "\xFF";          // not UTF-8
    lines[9] = "\xC5\x82";  // U+0142, a Polish letter that code page 1252 lacks
    const ParsedTextsFile parsed = parseTextsFile(joined(lines));
    EXPECT_EQ(parsed.errors,
              (std::vector<TextsFileError>{
                  {"C-string error in string number 5: Unmatched % sign at the end of the text",
                   false},
                  {"C-string error in string number 7: Invalid color specifier for \\c at "
                   "position 1",
                   false},
                  {"line 9 is not valid UTF-8", true},
                  {"10: '\xC5\x82' (U+0142) is not in code page 1252", false}}));
    // The same character is a letter of code page 1250.
    EXPECT_EQ(parseTextsFile(joined(lines), *CodePage::byNumber(1250)).errors.size(), 3u);
    EXPECT_TRUE(parsed.rawTexts.empty());
}

TEST(TextsFile, LettersOnGameCodesAreRefusedUnlessATablePlacesThemOrCodesAreAllowed) {
    const CodePage central = *CodePage::byNumber(1250);
    std::vector<std::string> lines = hallo();
    lines[0] = "Świat";
    lines[2] = "{klamra} 100%% \\c1";
    lines[4] = "„Ekwipunek” – Źle";
    const std::string file = joined(lines);
    EXPECT_EQ(parseTextsFile(file, central).errors,
              (std::vector<TextsFileError>{
                  {"1: 'Ś' (U+015A) is byte 140 in code page 1250, which the game reads as the "
                   "value code %l; write %l if the code is meant",
                   false},
                  {"3: '{' (U+007B) is byte 123 in code page 1250, which the game reads as the "
                   "value code %N; write %N if the code is meant",
                   false},
                  {"5: '„' (U+201E) is byte 132 in code page 1250, which the game reads as the "
                   "value code %c; write %c if the code is meant",
                   false}}));

    const ParsedTextsFile allowed = parseTextsFile(file, central, TypedCodes::Allowed);
    ASSERT_TRUE(allowed.errors.empty());
    EXPECT_EQ(allowed.rawTexts[0], "\x8Cwiat");

    const CharacterTable table = readCharacterTable("A4=Ś\nA6=Ź\nA8=„\nAA=”\nAB=–\n", central);
    ASSERT_TRUE(table.ok()) << table.error;
    lines[2] = "%Nklamra%f";
    const ParsedTextsFile placed = parseTextsFile(joined(lines), table.over(central));
    ASSERT_TRUE(placed.errors.empty()) << placed.errors.front().message;
    EXPECT_EQ(placed.rawTexts[0], "\xA4wiat");
    EXPECT_EQ(placed.rawTexts[2], "\x7Bklamra\x7D");
    EXPECT_EQ(formatTextsFile({placed.rawTexts[0], "\xA8x\xAA \xAB"}, table.over(central)),
              "Świat\n„x” –\n");
}

TEST(TextsFile, AnyOtherNumberOfLinesIsRefusedWhole) {
    std::vector<std::string> lines = hallo();
    lines.pop_back();
    EXPECT_EQ(parseTextsFile(joined(lines)).errors,
              (std::vector<TextsFileError>{{"the texts file has 3452 lines instead of 3453", true}}));
    lines.push_back("x");
    lines.push_back("y");
    EXPECT_EQ(parseTextsFile(joined(lines)).errors.size(), 1u);
    EXPECT_EQ(parseTextsFile("").errors,
              (std::vector<TextsFileError>{{"the texts file has 0 lines instead of 3453", true}}));
}

}  // namespace
}  // namespace tarn
