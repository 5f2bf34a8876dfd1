// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/code_page.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <iconv.h>
#include <locale.h>
#include <wctype.h>
#endif

#include <fstream>
#include <set>

#include "common/character_name.h"
#include "common/code_page_choice.h"
#include "common/profile_file.h"
#include "common/tests/temp_dir.h"
#include "common/utf8.h"

namespace tarn {
namespace {

#ifndef _WIN32
// glibc's converter between one code page and UTF-32LE, one conversion at a time.
class Iconv {
public:
    Iconv(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Iconv() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The whole output, or nullopt when the input does not convert.
    std::optional<std::string> convert(std::string in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char out[64];
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        return std::string(out, outPtr);
    }

private:
    iconv_t cd_;
};

std::string utf32(char32_t c) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) {
        s[i] = static_cast<char>((c >> (8 * i)) & 0xFF);
    }
    return s;
}

#endif

std::string allBytes() {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    return all;
}

std::vector<CodePage> everyPage() {
    std::vector<CodePage> pages;
    for (const int n : CodePage::supportedNumbers()) {
        pages.push_back(*CodePage::byNumber(n));
    }
    return pages;
}

TEST(CodePage, EveryTableAgreesWithIconvInBothDirections) {
#ifdef _WIN32
    GTEST_SKIP() << "glibc's iconv is the reference; the Windows build has none";
#else
    for (const CodePage& page : everyPage()) {
        const std::string name = "CP" + std::to_string(page.number());
        Iconv toChars("UTF-32LE", name);
        Iconv toBytes(name, "UTF-32LE");
        ASSERT_TRUE(toChars.ok() && toBytes.ok()) << name;
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            const auto expected = toChars.convert(std::string(1, static_cast<char>(b)));
            if (!page.isAssigned(byte)) {
                EXPECT_FALSE(expected) << name << " byte " << b << " has a character in iconv";
                continue;
            }
            ASSERT_TRUE(expected) << name << " byte " << b;
            EXPECT_EQ(utf32(page.toUnicode(byte)), *expected) << name << " byte " << b;
            EXPECT_EQ(toBytes.convert(utf32(page.toUnicode(byte))),
                      std::string(1, static_cast<char>(b)))
                << name << " byte " << b;
        }
    }
#endif
}

TEST(CodePage, EveryPageRoundTripsAll256BytesThroughDistinctCharacters) {
    const std::string all = allBytes();
    for (const CodePage& page : everyPage()) {
        std::set<char32_t> seen;
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            EXPECT_TRUE(seen.insert(page.toUnicode(byte)).second) << page.number() << " " << b;
            EXPECT_EQ(page.fromUnicode(page.toUnicode(byte)), byte) << page.number() << " " << b;
        }
        const std::u16string units = page.toUtf16(all);
        ASSERT_EQ(units.size(), 256u);
        for (int b = 0; b < 256; ++b) {
            EXPECT_EQ(char32_t{units[b]}, page.toUnicode(static_cast<unsigned char>(b)));
        }
        const EncodeResult back = page.fromUtf8(page.toUtf8(all));
        EXPECT_TRUE(back.ok()) << page.number();
        EXPECT_EQ(back.bytes, all) << page.number();
    }
}

TEST(CodePage, UnassignedBytesHaveFixedCharactersOfTheirOwn) {
    const CodePage cp1252;
    EXPECT_EQ(cp1252.number(), 1252);
    EXPECT_EQ(cp1252.toUnicode(0x81), 0x81u);  // as shown before code pages could be chosen
    EXPECT_EQ(cp1252.toUnicode(0x80), 0x20ACu);
    EXPECT_FALSE(cp1252.isAssigned(0x9D));
    EXPECT_EQ(CodePage::byNumber(1253)->toUnicode(0xAA), 0xF7AAu);
    EXPECT_EQ(CodePage::byNumber(874)->toUnicode(0xFF), 0xF7FFu);
    EXPECT_EQ(CodePage::byNumber(1250)->toUnicode(0x83), 0x83u);
    EXPECT_TRUE(CodePage::byNumber(1256)->isAssigned(0x81));  // 1256 assigns every byte
    // The private-use characters of one page are not characters of another.
    EXPECT_FALSE(CodePage::byNumber(1252)->fromUnicode(0xF7AA));
}

TEST(CodePage, CaseFormsAgreeWithTheCLibrary) {
#ifdef _WIN32
    GTEST_SKIP() << "glibc's towupper_l is the reference; the Windows build has none";
#else
    const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (utf8 == nullptr) {
        GTEST_SKIP() << "no C.UTF-8 locale";
    }
    for (const CodePage& page : everyPage()) {
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            const auto c = static_cast<wint_t>(page.toUnicode(byte));
            const auto upper = page.fromUnicode(static_cast<char32_t>(towupper_l(c, utf8)));
            const auto lower = page.fromUnicode(static_cast<char32_t>(towlower_l(c, utf8)));
            EXPECT_EQ(page.toUpper(byte), upper.value_or(byte)) << page.number() << " " << b;
            EXPECT_EQ(page.toLower(byte), lower.value_or(byte)) << page.number() << " " << b;
        }
    }
    freelocale(utf8);
#endif
}

TEST(CodePage, CaseFormsOfEachScript) {
    const CodePage cp1250 = *CodePage::byNumber(1250);
    EXPECT_EQ(cp1250.toUpper(0xB3), 0xA3);  // ł Ł
    EXPECT_EQ(cp1250.toLower(0x8C), 0x9C);  // Ś ś
    const CodePage cp1251 = *CodePage::byNumber(1251);
    EXPECT_EQ(cp1251.toUpper(0xE6), 0xC6);  // ж Ж
    EXPECT_EQ(cp1251.toUpper(0xB8), 0xA8);  // ё Ё
    const CodePage cp1253 = *CodePage::byNumber(1253);
    EXPECT_EQ(cp1253.toUpper(0xF2), 0xD3);  // final sigma ς Σ
    EXPECT_EQ(cp1253.toUpper(0xF3), 0xD3);  // σ Σ
    EXPECT_EQ(cp1253.toLower(0xD3), 0xF3);
    const CodePage cp1255 = *CodePage::byNumber(1255);
    EXPECT_EQ(cp1255.toUpper(0xE0), 0xE0);      // Hebrew has no case
    EXPECT_EQ(CodePage().toUpper(0xDF), 0xDF);  // ß stays
    EXPECT_EQ(CodePage().upperTable()['q'], 'Q');
}

TEST(CodePage, FromUtf8NamesTheFirstMissingCharacterAndRefusesMalformedText) {
    const CodePage cp1252;
    EXPECT_EQ(cp1252.fromUtf8("\xC5\x82\xC3\xB3\x64\xC5\xBA").missing, 0x142u);  // łódź
    EXPECT_EQ(cp1252.fromUtf8("\xC5\x82").fault, EncodeFault::MissingCharacter);
    EXPECT_EQ(cp1252.fromUtf8("ab\xC3").fault, EncodeFault::InvalidUtf8);
    EXPECT_EQ(cp1252.fromUtf8("\xC0\x80").fault, EncodeFault::InvalidUtf8);      // overlong
    EXPECT_EQ(cp1252.fromUtf8("\xED\xA0\x80").fault, EncodeFault::InvalidUtf8);  // surrogate
    EXPECT_TRUE(cp1252.fromUtf8("\xC5\x82").bytes.empty());  // nothing half converted
    const EncodeResult polish = CodePage::byNumber(1250)->fromUtf8("\xC5\x82\xC3\xB3\x64\xC5\xBA");
    EXPECT_TRUE(polish.ok());
    EXPECT_EQ(polish.bytes, "\xB3\xF3\x64\x9F");
    EXPECT_EQ(codePointName(0x142), "U+0142");
    EXPECT_EQ(codePointName(0x1F600), "U+1F600");
    // Messages show the character beside its code point, unless it would disturb the line.
    EXPECT_EQ(characterName(0x42D), "'\xD0\xAD' (U+042D)");
    EXPECT_EQ(characterName(0x85), "U+0085");
    EXPECT_EQ(characterName(0x202E), "U+202E");
    EXPECT_EQ(characterName(0x2029), "U+2029");
}

TEST(CodePage, OnlyTheTenWindowsPagesExist) {
    for (const int n : {0, 437, 850, 932, 1249, 1259, 65001, -1252}) {
        EXPECT_FALSE(CodePage::byNumber(n)) << n;
    }
    EXPECT_EQ(CodePage::supportedNumbersText(),
              "874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258");
    EXPECT_EQ(CodePage::byNumber(1252), CodePage());
}

TEST(CodePageChoice, TheFontCharacterSetChoosesThePage) {
    const std::pair<int, int> table[] = {{0, 1252},   {161, 1253}, {162, 1254}, {163, 1258},
                                         {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251},
                                         {222, 874},  {238, 1250}};
    for (const auto& [charset, page] : table) {
        const CharsetChoice choice = codePageForCharset(charset, 1250);
        EXPECT_EQ(choice.codePage.number(), page) << charset;
        EXPECT_FALSE(choice.fellBack) << charset;
    }
    for (const int charset : {2, 77, 128, 129, 130, 134, 136, 255}) {
        const CharsetChoice choice = codePageForCharset(charset, 1250);
        EXPECT_EQ(choice.codePage.number(), 1252) << charset;
        EXPECT_TRUE(choice.fellBack) << charset;
    }
    ASSERT_EQ(singleByteCharsets().size(), std::size(table));
    EXPECT_EQ(singleByteCharsets()[0].charset, kAnsiCharset);
    for (const SingleByteCharset& entry : singleByteCharsets()) {
        EXPECT_EQ(codePageForCharset(entry.charset, 1250).codePage.number(), entry.codePage);
        EXPECT_FALSE(entry.name.empty());
    }
    EXPECT_EQ(codePageForCharset(kDefaultCharset, 1251).codePage.number(), 1251);
    EXPECT_TRUE(codePageForCharset(kDefaultCharset, 932).fellBack);  // a multi-byte system page
#ifndef _WIN32
    EXPECT_EQ(codePageForCharset(kDefaultCharset).codePage.number(), 1252);
    EXPECT_FALSE(codePageForCharset(kDefaultCharset).fellBack);
#endif
    EXPECT_EQ(fallbackMessage(128),
              "Code page 1252 is used: the font's character set 128 has no single-byte code page");
}

TEST(CodePageChoice, NonsenseStoredCharacterSetsGiveTheDefault) {
    TempDir dir;
    const auto path = dir.path() / "tarnedit.ini";
    for (const char* value : {"-5", "300", "text", "", "0x1FF"}) {
        std::ofstream(path, std::ios::binary) << "[Options]\r\nFontCharset=" << value << "\r\n";
        const ProfileFile ini(path);
        EXPECT_EQ(fontCharsetOrDefault(ini.readInteger("Options", "FontCharset", kDefaultCharset)),
                  kDefaultCharset)
            << value;
    }
    EXPECT_EQ(fontCharsetOrDefault(0), 0);
    EXPECT_EQ(fontCharsetOrDefault(238), 238);
    EXPECT_EQ(fontCharsetOrDefault(255), 255);
}

TEST(CodePageChoice, RefusalMessageNamesTheCharacterAndThePage) {
    EXPECT_EQ(missingCharacterMessage(0x142, CodePage()),
              "'\xC5\x82' is not in code page 1252: choose the font's character set that has it "
              "(Other > Change used font...)");
    // A character of the page whose byte a table took over is named with the byte's new one.
    const CodePage::Placed placed[] = {{0xA7, U'\u0164'}};
    const CodePage withTable = CodePage::byNumber(1250)->withPlaced(placed);
    EXPECT_EQ(missingCharacterMessage(U'\u00A7', withTable),
              "'\xC2\xA7' is byte A7, which the character table gives to \xC5\xA4");
    EXPECT_EQ(missingCharacterMessage(U'\u00F1', withTable)
                  .rfind("'\xC3\xB1' is not in code page 1250:", 0),
              0u);
}

TEST(Utf8, FirstInvalidLineIsNamed) {
    EXPECT_EQ(firstInvalidUtf8Line("ok\n\xC3\xA9\nfine"), 0u);
    EXPECT_EQ(firstInvalidUtf8Line("ok\nstill\nbad \xFF\n"), 3u);
    EXPECT_EQ(firstInvalidUtf8Line("\xE2\x82"), 1u);
    EXPECT_EQ(firstInvalidUtf8Line("a\n\xE2\n\x82"), 2u);
}

// The word-at-a-time check of ASCII must not skip a bad byte, nor a sequence cut across its
// words, wherever the byte falls.
TEST(Utf8, ValidityAgreesWithDecodingAtEveryOffset) {
    for (const std::string_view bad : {"\xFF", "\xC3", "\xE2\x82", "\xED\xA0\x80", "\xC0\xAF"}) {
        for (std::size_t offset = 0; offset < 20; ++offset) {
            std::string text(offset, 'a');
            text += "\xC3\xA9";
            EXPECT_TRUE(isValidUtf8(text)) << offset;
            text += bad;
            text += std::string(offset % 9, 'b');
            EXPECT_FALSE(isValidUtf8(text)) << offset;
            EXPECT_NE(firstInvalidUtf8Line(text), 0u);
        }
    }
}

}  // namespace
}  // namespace tarn
