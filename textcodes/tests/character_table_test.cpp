// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/character_table.h"

#include <gtest/gtest.h>

#include "textcodes/typed_codes.h"

namespace tarn {
namespace {

const CodePage kCentral = *CodePage::byNumber(1250);

CodePage tableOver(const CodePage& page, std::string_view contents) {
    const CharacterTable table = readCharacterTable(contents, page);
    EXPECT_TRUE(table.ok()) << table.error;
    return table.over(page);
}

TEST(CharacterTable, RefusesEveryMalformedLineWithItsNumber) {
    const struct {
        std::string_view contents;
        std::string_view error;
    } cases[] = {
        {"# Polish\nA4Ś\n", "line 2: write two hex digits, '=' and one character, such as A4=Ś"},
        {"G4=Ś\n", "line 1: write two hex digits, '=' and one character, such as A4=Ś"},
        {"A4=\n", "line 1: write two hex digits, '=' and one character, such as A4=Ś"},
        {"A4=\xC5\n", "line 1: the character is not valid UTF-8"},
        {"A4=Śx\n", "line 1: more than one character after '='"},
        {"\n\n8C=Ś\n", "line 3: byte 8C is read by the game as the value code %l"},
        {"8F=Ź\n", "line 1: byte 8F is read by the game as the colour code \\c1"},
        {"7B=Ś\n", "line 1: byte 7B is read by the game as the value code %N"},
        {"1F=Ś\n", "line 1: byte 1F is a control byte, below 20"},
        {"40=Ś\n", "line 1: byte 40 is ASCII, which texts and their notation need"},
        {"A4=Ś\r\nA4=Ź\r\n", "line 2: byte A4 is already mapped on line 1"},
        {"A4=Ś\na6=Ś\n", "line 2: 'Ś' (U+015A) is already mapped to byte A4 on line 1"},
        {"A4=ś\n", "line 1: 'ś' (U+015B) is already byte 9C in code page 1250"},
        {"A4={\n",
         "line 1: '{' (U+007B) is ASCII or a control character, which keeps its own byte"},
    };
    for (const auto& c : cases) {
        const CharacterTable table = readCharacterTable(c.contents, kCentral);
        EXPECT_EQ(table.error, c.error) << c.contents;
        EXPECT_TRUE(table.lines.empty()) << c.contents;
    }
}

TEST(CharacterTable, PlacesLettersOverThePageAndKeepsEveryOtherByte) {
    const CodePage polish =
        tableOver(kCentral, "\xEF\xBB\xBF# Polish letters on codes\nA4=Ś\nA6=Ź\nA8=Ж\n");
    EXPECT_TRUE(polish.hasPlaced());
    EXPECT_EQ(polish.number(), 1250);
    EXPECT_EQ(polish.fromUnicode(U'Ś'), 0xA4);
    EXPECT_EQ(polish.fromUnicode(U'Ж'), 0xA8);
    EXPECT_EQ(polish.toUnicode(0xA4), U'Ś');
    // The code byte still shows its page character but never stores it; the displaced
    // characters are gone, everything else stays.
    EXPECT_EQ(polish.toUnicode(0x8C), U'Ś');
    EXPECT_EQ(polish.fromUnicode(U'¤'), std::nullopt);
    EXPECT_EQ(polish.fromUnicode(U'ś'), 0x9C);
    EXPECT_EQ(polish.fromUnicode(U'ą'), kCentral.fromUnicode(U'ą'));
    const EncodeResult bytes = polish.fromUtf8("Świat Źle ś");
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes.bytes, "\xA4wiat \xA6le \x9C");
    EXPECT_EQ(polish.toUtf8(bytes.bytes), "Świat Źle ś");
    // Case pairs follow the letters to their new bytes; a code byte has none.
    EXPECT_EQ(polish.toUpper(0x9C), 0xA4);
    EXPECT_EQ(polish.toLower(0xA4), 0x9C);
    EXPECT_EQ(polish.toUpper(0x9F), 0xA6);
    EXPECT_EQ(polish.toUpper(0x8C), 0x8C);
    EXPECT_EQ(polish.toLower(0x8C), 0x8C);
    EXPECT_EQ(polish.toUpper(0xA8), 0xA8);
    EXPECT_FALSE(polish == kCentral);
    EXPECT_TRUE(polish == tableOver(kCentral, "A4=Ś\nA6=Ź\nA8=Ж\n"));
}

TEST(CharacterTable, DescribesWhatItPlaces) {
    const CharacterTable table = readCharacterTable("A4=Ś\nA8=Ж\n", kCentral);
    const std::vector<std::string> expected = {
        "A4=Ś (U+015A) instead of '¤' (U+00A4); the page has it on byte 140, the value code %l",
        "A8=Ж (U+0416) instead of '¨' (U+00A8); not in code page 1250"};
    EXPECT_EQ(describeCharacterTable(table, kCentral), expected);
}

TEST(TypedCodes, FindsCharactersOnCodesOutsideTheRawNotation) {
    const EncodeResult bytes = kCentral.fromUtf8("{a} „Ś”");
    ASSERT_TRUE(bytes.ok());
    const auto cStyle = findTypedCode(bytes.bytes, kCentral, Notation::CStyle);
    ASSERT_TRUE(cStyle);
    EXPECT_EQ(cStyle->character, U'{');
    EXPECT_EQ(cStyle->byte, 123);
    const auto raw = findTypedCode(bytes.bytes, kCentral, Notation::Raw);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->character, U'„');
    EXPECT_EQ(raw->byte, 132);
    EXPECT_FALSE(findTypedCode("{|}~ %l \\c1", kCentral, Notation::Raw));
    EXPECT_FALSE(findTypedCode(tableOver(kCentral, "A4=Ś\n").fromUtf8("Świat").bytes, kCentral,
                               Notation::CStyle));
}

TEST(TypedCodes, MessagesNameTheCodeAndTheWayOut) {
    EXPECT_EQ(typedCodeImportMessage({U'Ś', 140}, kCentral),
              "'Ś' (U+015A) is byte 140 in code page 1250, which the game reads as the value "
              "code %l; write %l if the code is meant");
    EXPECT_EQ(typedCodeImportMessage({U'Ź', 143}, kCentral),
              "'Ź' (U+0179) is byte 143 in code page 1250, which the game reads as the colour "
              "code \\c1; write \\c1 if the code is meant");
    EXPECT_EQ(typedCodeMessage({U'Ś', 140}, kCentral, Notation::Raw),
              "'Ś' is byte 140 in code page 1250, which the game reads as the value code %l: "
              "insert codes from the code menu, or give 'Ś' a byte in the character table "
              "(Other > Character table...)");
    EXPECT_EQ(typedCodeMessage({U'{', 123}, kCentral, Notation::CStyle),
              "'{' is byte 123 in code page 1250, which the game reads as the value code %N: "
              "write %N instead");
}

}  // namespace
}  // namespace tarn
