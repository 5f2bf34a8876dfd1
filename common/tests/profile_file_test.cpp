// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/profile_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "common/utf8_path.h"

namespace tarn {
namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    void TearDown() override { setWriteFaultForTesting({}); }

    fs::path withText(const std::string& text) {
        const auto path = dir.path() / "tarnedit.ini";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string contents(const fs::path& path) {
        const Bytes data = readWholeFile(path);
        return std::string(data.begin(), data.end());
    }
    TempDir dir;
};

TEST_F(ProfileFileTest, ReadsSectionsAndKeysTheWayWindowsDoes) {
    ProfileFile ini(
        withText("; comment\r\n[ Options ] trailing\rFontName =  Arial Black \n"
                 "fontsize=12\r\n\r\nquoted=\"  spaced \"\nsingle='x'\nhalf=\"x\n"
                 "eq=a=b;c\nnokey\n[options]\nFontName=Second\n"
                 "[Other]\nFontName=Third\n"));
    EXPECT_EQ(ini.readString("OPTIONS", "fontname", "d"), "Arial Black");
    EXPECT_EQ(ini.readInteger("Options", "FontSize", 8), 12);
    EXPECT_EQ(ini.readString("Options", "quoted", ""), "  spaced ");
    EXPECT_EQ(ini.readString("Options", "single", ""), "x");
    EXPECT_EQ(ini.readString("Options", "half", ""), "\"x");
    EXPECT_EQ(ini.readString("Options", "eq", ""), "a=b;c");
    EXPECT_EQ(ini.readString("Options", "nokey", "default"), "default");
    EXPECT_EQ(ini.readString("Other", "FontName", ""), "Third");
    EXPECT_EQ(ini.readString("Missing", "FontName", "MS Sans Serif"), "MS Sans Serif");
}

TEST_F(ProfileFileTest, NamesDefaultsAndTheNamelessSectionAsWindowsReadsThem) {
    ProfileFile ini(
        withText("Loose=1\r\n[Paths]\r\n;Original=old\r\nOriginal=new\r\n[]\r\nD=4\r\n"));
    // The names a caller gives are trimmed.
    EXPECT_EQ(ini.readString(" Paths ", " Original ", "d"), "new");
    // A ';' line is a key like any other, which nobody asks for.
    EXPECT_EQ(ini.readString("Paths", ";Original", "d"), "old");
    // Keys before the first header form the section "", which an empty "[]" header cannot shadow.
    EXPECT_EQ(ini.readString("", "Loose", "d"), "1");
    EXPECT_EQ(ini.readString("", "D", "d"), "d");
    // A default comes back as a stored value would.
    EXPECT_EQ(ini.readString("Paths", "missing", "trailing  "), "trailing");
    EXPECT_EQ(ini.readString("Paths", "missing", "  \"quoted\""), "  \"quoted\"");
    EXPECT_EQ(ini.readString("Paths", "missing", "\"quoted\""), "quoted");

    ini.writeString(" Paths ", " Third ", "3");
    ini.writeString("", "Loose", "2");
    EXPECT_EQ(ini.text(),
              "Loose=2\r\n[Paths]\r\n;Original=old\r\nOriginal=new\r\nThird=3\r\n[]\r\nD=4\r\n");
    ProfileFile nameless(withText("[A]\r\nx=1\r\n"));
    nameless.writeString("", "first", "f");
    EXPECT_EQ(nameless.text(), "first=f\r\n[A]\r\nx=1\r\n");
}

TEST_F(ProfileFileTest, IntegersAreReadStrictlyAndBooleansAsIntegers) {
    ProfileFile ini(
        withText("[N]\na=-16777201\nb=0xFF00000F\nc=$10\nd=12abc\ne=\nf=0x\n"
                 "g=99999999999\nh=0X1f\ni=\"7\"\nt=2\nz=0\n"));
    EXPECT_EQ(ini.readInteger("N", "a", 0), -16777201);
    EXPECT_EQ(ini.readInteger("N", "b", 0), profile_color::kButtonFace);
    EXPECT_EQ(ini.readInteger("N", "c", 0), 16);
    EXPECT_EQ(ini.readInteger("N", "d", 5), 5);
    EXPECT_EQ(ini.readInteger("N", "e", 5), 5);
    EXPECT_EQ(ini.readInteger("N", "f", 5), 5);
    EXPECT_EQ(ini.readInteger("N", "g", 5), 5);
    EXPECT_EQ(ini.readInteger("N", "h", 0), 31);
    EXPECT_EQ(ini.readInteger("N", "i", 0), 7);
    EXPECT_TRUE(ini.readBool("N", "t", false));
    EXPECT_FALSE(ini.readBool("N", "z", true));
    EXPECT_TRUE(ini.readBool("N", "d", true));  // garbage keeps the default
}

TEST_F(ProfileFileTest, LongStringsAreCutAt2047Characters) {
    const std::string longValue(3000, 'a');
    ProfileFile ini(withText("[S]\nk=" + longValue + "\n"));
    EXPECT_EQ(ini.readString("S", "k", "").size(), 2047u);
    std::string umlauts;
    for (int i = 0; i < 2100; ++i) {
        umlauts += "\xC3\xA4";
    }
    ini.writeString("S", "u", umlauts);
    EXPECT_EQ(ini.readString("S", "u", ""), umlauts.substr(0, 2 * 2047));
}

TEST_F(ProfileFileTest, WritesInPlaceKeepingEveryOtherByte) {
    const auto path = withText(
        "; keep me\n[Paths]\nOrigExePath = old\n\n\n[Options]\r\n"
        "FontSize=8\r\nOther=1\r\n");
    ProfileFile ini(path);
    ini.writeString("paths", "origexepath", "/games/Tarn.exe");
    ini.writeString("Paths", "TransExePath", "/t/Tarn.exe");
    ini.writeInteger("Options", "FontSize", 10);
    ini.writeBool("MainWindow", "IsMaximized", true);
    ini.save();
    EXPECT_EQ(contents(path),
              "; keep me\n[Paths]\nOrigExePath=/games/Tarn.exe\nTransExePath=/t/Tarn.exe\r\n\n\n"
              "[Options]\r\nFontSize=10\r\nOther=1\r\n[MainWindow]\r\nIsMaximized=1\r\n");
    EXPECT_EQ(ProfileFile(path).readString("Paths", "OrigExePath", ""), "/games/Tarn.exe");
}

// A Windows path keeps its drive letter, backslashes and Polish letters, in a settings file
// that itself lies in a folder with a Polish name.
TEST_F(ProfileFileTest, WindowsPathsRoundTripWithDriveLettersAndBackslashes) {
    const fs::path folder = dir.path() / pathFromUtf8("Tarn \xC5\xBC");
    fs::create_directory(folder);
    const std::string exe = "C:\\Gry\\Tarn \xC5\xBC\\Tarn.exe";
    ProfileFile ini(folder / "tarnedit.ini");
    ini.writeString("Paths", "TransExePath", exe);
    ini.save();
    EXPECT_EQ(ProfileFile(folder / "tarnedit.ini").readString("Paths", "TransExePath", ""), exe);
}

TEST_F(ProfileFileTest, FileWithoutFinalLineBreakGetsOneBeforeNewLines) {
    const auto path = withText("[A]\nx=1");
    ProfileFile ini(path);
    ini.writeString("A", "y", "2");
    ini.writeString("B", "z", "3");
    ini.save();
    EXPECT_EQ(contents(path), "[A]\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
}

TEST_F(ProfileFileTest, WritingTheSameValueChangesNothingEvenOnAReadOnlyFile) {
    const auto path = withText("[Options]\nCStyleStrings=1\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    ProfileFile ini(path);
    ini.writeBool("Options", "CStyleStrings", true);
    EXPECT_FALSE(ini.isModified());
    EXPECT_NO_THROW(ini.save());
    ini.writeBool("Options", "CStyleStrings", false);
    try {
        ini.save();
        FAIL() << "a read-only settings file was written";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Unable to write to " + path.string() + ". The file is read-only.");
    }
    EXPECT_EQ(contents(path), "[Options]\nCStyleStrings=1\n");
}

TEST_F(ProfileFileTest, RefusedFolderWriteIsReportedWithThePath) {
    const auto path = dir.path() / "new.ini";
    ProfileFile ini(path);
    ini.writeString("Options", "FontName", "Arial");
    setWriteFaultForTesting({WriteFault::Step::CreateTemporary, 0});
#ifdef _WIN32
    // The system's own words follow the path.
    const bool systemWordsFollow = true;
    const std::string expected = "Unable to write to " + path.string() + ". ";
#else
    const bool systemWordsFollow = false;
    const std::string expected = "Unable to write to " + path.string() + ". The folder \"" +
                                 dir.path().string() +
                                 "\" cannot hold a temporary file: " + std::strerror(EACCES);
#endif
    EXPECT_THROW(
        {
            try {
                ini.save();
            } catch (const FileError& e) {
                const std::string message = e.what();
                EXPECT_EQ(systemWordsFollow ? message.substr(0, expected.size()) : message,
                          expected);
                throw;
            }
        },
        FileError);
    EXPECT_FALSE(fileExists(path));
}

TEST_F(ProfileFileTest, Utf16FileStaysUtf16AndLineBreaksInValuesAreFlattened) {
    const auto path = dir.path() / "wide.ini";
    const Bytes wide = {0xFF, 0xFE, '[', 0,   'A', 0,    ']', 0,    '\r', 0,    '\n',
                        0,    'k',  0,   '=', 0,   0xE4, 0,   '\r', 0,    '\n', 0};
    writeFileAtomically(path, wide);
    ProfileFile ini(path);
    EXPECT_EQ(ini.readString("A", "k", ""), "\xC3\xA4");
    ini.writeString("A", "k", "a\nb");
    ini.save();
    const Bytes expected = {0xFF, 0xFE, '[', 0,   'A', 0,   ']', 0,   '\r', 0,    '\n', 0,    'k',
                            0,    '=',  0,   'a', 0,   ' ', 0,   'b', 0,    '\r', 0,    '\n', 0};
    EXPECT_EQ(readWholeFile(path), expected);
}

// Lines nobody changes come back byte for byte, a lone surrogate (high or low) and a pair too.
TEST_F(ProfileFileTest, Utf16LinesNobodyChangedKeepEveryUnit) {
    const auto path = dir.path() / "wide.ini";
    auto wide = [](std::initializer_list<unsigned> units) {
        Bytes out = {0xFF, 0xFE};
        for (const unsigned u : units) {
            out.push_back(static_cast<std::uint8_t>(u));
            out.push_back(static_cast<std::uint8_t>(u >> 8));
        }
        return out;
    };
    writeFileAtomically(path,
                        wide({'[', 'A', ']',    '\r',   '\n',   'p',  '=',  0xD800, 'x', '\r', '\n',
                              'q', '=', 0xDC01, 0xD83D, 0xDE00, '\r', '\n', 'k',    '=', '1'}));
    ProfileFile ini(path);
    ini.writeString("A", "k", "2");
    ini.save();
    EXPECT_EQ(readWholeFile(path),
              wide({'[', 'A', ']',    '\r',   '\n',   'p',  '=',  0xD800, 'x', '\r', '\n',
                    'q', '=', 0xDC01, 0xD83D, 0xDE00, '\r', '\n', 'k',    '=', '2'}));
}

TEST(ProfileColor, EncodesExplicitAndSystemColours) {
    EXPECT_EQ(profile_color::kButtonFace, -16777201);
    EXPECT_EQ(profile_color::kWindowText, -16777208);
    EXPECT_TRUE(profile_color::isSystemColor(profile_color::kButtonFace));
    EXPECT_EQ(profile_color::systemColorIndex(profile_color::kButtonFace), 15);
    const auto orange = profile_color::fromRgb(255, 128, 0);
    EXPECT_EQ(orange, 0x000080FF);
    EXPECT_FALSE(profile_color::isSystemColor(orange));
    EXPECT_EQ(profile_color::red(orange), 255);
    EXPECT_EQ(profile_color::green(orange), 128);
    EXPECT_EQ(profile_color::blue(orange), 0);
}

}  // namespace
}  // namespace tarn
