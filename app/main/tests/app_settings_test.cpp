// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/app_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

TEST(AppSettings, GarbageValuesGiveTheDefaults) {
    TempDir dir;
    const auto path = dir.path() / "tarnedit.ini";
    std::ofstream(path) << "[Options]\nCStyleStrings=yes\nFontSize=big\nFontCharset=300\n"
                           "[MainWindow]\nLeft=\n"
                           "Top=7\n[ObjTrans]\nEnhRLE=maybe\n[EXESettings]\nTextID=x\n";
    ProfileFile ini(path);
    AppSettings s;
    readStartupSettings(ini, s);
    EXPECT_FALSE(s.options.cstyleStrings);
    EXPECT_EQ(s.options.fontSize, 8);
    EXPECT_EQ(s.options.fontCharset, 1);
    EXPECT_EQ(s.options.fontName, "MS Sans Serif");
    EXPECT_TRUE(s.objectWindow.enhRle);
    EXPECT_EQ(s.exeSettings.textId, -1);
    EXPECT_EQ(s.exeSettings.texts[8], "All OK");
    const PlacementSettings main = readMainWindowPlacement(ini);
    EXPECT_EQ(main.left, -1);
    EXPECT_EQ(main.top, 0);  // Top is not read without Left
}

TEST(AppSettings, ClosingWritesEveryKeyInOrderAndReadsBack) {
    TempDir dir;
    const auto path = dir.path() / "tarnedit.ini";
    ProfileFile ini(path);
    AppSettings s;
    s.options.cstyleStrings = true;
    s.options.fontName = "Liberation Sans";
    s.mainWindow = {10, 20, 640, 480, true};
    s.preview.visible = true;
    s.preview.left = 5;
    s.objectWindow.placement = {1, 2, 3, 4, true};
    s.exeSettings.textId = 7;
    s.exeSettings.texts[0] = "Neue Texte";
    s.exeSettings.target = "native";
    s.folders.objectPo = "po files";
    s.spelling.language = "de_DE";
    s.translation.language = "de";
    s.recent = {{"orig/Tarn.exe", "pl/Tarn.exe", 238, "pl.tbl", "pl_PL", "pl"},
                {"orig/Tarn.exe", "ru/Tarn.exe", 204, "", "", "ru"}};
    writeClosingSettings(ini, s);

    const Bytes data = readWholeFile(path);
    const std::string text(data.begin(), data.end());
    const char* order[] = {"[Options]",
                           "CStyleStrings=1",
                           "FontName=Liberation Sans",
                           "FontCharset=1",
                           "FontSize=8",
                           "FontStyle=0",
                           "[MainWindow]",
                           "IsMaximized=1",
                           "Left=10",
                           "[Preview]",
                           "BackColor=-16777201",
                           "TextColor=-16777208",
                           "Visible=1",
                           "[ReplaceWin]",
                           "[ReplaceQuestion]",
                           "[PluginLang]",
                           "[ObjTrans]",
                           "EnhRLE=1",
                           "[EXESettings]",
                           "TextID=7",
                           "Text0=Neue Texte",
                           "Text10=Press ENTER to continue",
                           "Text13=%1 file(s) restored",
                           "YesChars=y",
                           "Target=native",
                           "[Folders]",
                           "ObjectPO=po files",
                           "[Spelling]",
                           "Language=de_DE",
                           "[Translation]",
                           "Language=de",
                           "[Recent]",
                           "Original1=orig",
                           "Translated1=pl",
                           "FontCharset1=238",
                           "TableFile1=pl.tbl",
                           "Spelling1=pl_PL",
                           "Language1=pl",
                           "Original2=orig",
                           "Translated2=ru",
                           "FontCharset2=204",
                           "Language2=ru"};
    std::size_t at = 0;
    for (const char* piece : order) {
        const auto found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece;
        at = found;
    }
    EXPECT_EQ(text.find("[Paths]"), std::string::npos);
    EXPECT_EQ(text.find("TranslationPO"), std::string::npos);  // never used: not written
    EXPECT_EQ(text.find("DictionaryFolder"), std::string::npos);

    AppSettings back;
    readStartupSettings(ProfileFile(path), back);
    EXPECT_TRUE(back.options.cstyleStrings);
    EXPECT_EQ(back.options.fontName, "Liberation Sans");
    EXPECT_EQ(back.preview.left, 5);
    EXPECT_TRUE(back.objectWindow.placement.isMaximized);
    EXPECT_EQ(back.exeSettings.texts[0], "Neue Texte");
    EXPECT_EQ(back.exeSettings.target, "native");
    EXPECT_EQ(back.folders.objectPo, "po files");
    EXPECT_EQ(back.folders.translationPo, "");
    EXPECT_EQ(back.spelling.language, "de_DE");
    EXPECT_EQ(back.translation.language, "de");
    EXPECT_EQ(back.recent, s.recent);
    const PlacementSettings main = readMainWindowPlacement(ProfileFile(path));
    EXPECT_EQ(main.width, 640);
    EXPECT_TRUE(main.isMaximized);

    // A spelling language chosen away again is stored as none, not left as it was.
    back.spelling.language.clear();
    ProfileFile again(path);
    writeClosingSettings(again, back);
    AppSettings cleared;
    readStartupSettings(ProfileFile(path), cleared);
    EXPECT_EQ(cleared.spelling.language, "");
    EXPECT_EQ(cleared.translation.language, "de");
}

// Every key holding a path: read from a file that uses either separator, and written back, it is
// in the system's own form (drive letters and backslashes on Windows); elsewhere it stays byte
// for byte what the file held.
RecentTranslation& firstRecent(AppSettings& s) {
    if (s.recent.empty()) {
        s.recent.emplace_back();
    }
    return s.recent.front();
}

TEST(AppSettings, EveryPathKeyIsReadAndWrittenInTheSystemsOwnForm) {
    const std::string stored = "C:/Gry\\Tarn \u017c/plik";
#ifdef _WIN32
    const std::string shown = "C:\\Gry\\Tarn \u017c\\plik";
#else
    const std::string shown = stored;
#endif
    struct PathKey {
        const char* section;
        const char* key;
        std::string& (*value)(AppSettings&, PathsSettings&);
    };
    const PathKey keys[] = {
        {"Paths", "OrigExePath",
         [](AppSettings&, PathsSettings& p) -> std::string& { return p.origExePath; }},
        {"Paths", "TransExePath",
         [](AppSettings&, PathsSettings& p) -> std::string& { return p.transExePath; }},
        {"Folders", "TranslationPO",
         [](AppSettings& s, PathsSettings&) -> std::string& { return s.folders.translationPo; }},
        {"Folders", "ObjectPO",
         [](AppSettings& s, PathsSettings&) -> std::string& { return s.folders.objectPo; }},
        {"Characters", "TableFile",
         [](AppSettings& s, PathsSettings&) -> std::string& { return s.characters.tableFile; }},
        {"Spelling", "DictionaryFolder",
         [](AppSettings& s, PathsSettings&) -> std::string& {
             return s.spelling.dictionaryFolder;
         }},
        {"Recent", "Original1",
         [](AppSettings& s, PathsSettings&) -> std::string& { return firstRecent(s).original; }},
        {"Recent", "Translated1",
         [](AppSettings& s, PathsSettings&) -> std::string& { return firstRecent(s).translated; }},
        {"Recent", "TableFile1",
         [](AppSettings& s, PathsSettings&) -> std::string& { return firstRecent(s).tableFile; }},
    };
    TempDir dir;
    const auto path = dir.path() / "tarnedit.ini";
    {
        std::ofstream file(path, std::ios::binary);
        std::string_view section;
        for (const PathKey& k : keys) {
            if (section != k.section) {
                section = k.section;
                file << "[" << section << "]\r\n";
            }
            file << k.key << "=" << stored << "\r\n";
        }
    }
    AppSettings read;
    readStartupSettings(ProfileFile(path), read);
    PathsSettings paths = readPaths(ProfileFile(path));
    for (const PathKey& k : keys) {
        EXPECT_EQ(k.value(read, paths), shown) << k.key;
    }

    // Written from values in Qt's form ('/' throughout), the file holds the system's form.
    AppSettings written;
    PathsSettings writtenPaths;
    for (const PathKey& k : keys) {
        k.value(written, writtenPaths) = "C:/Gry/Tarn \u017c/plik";
    }
    std::filesystem::remove(path);
    ProfileFile ini(path);
    writeClosingSettings(ini, written);
    writePaths(ini, writtenPaths);
    const Bytes data = readWholeFile(path);
    const std::string text(data.begin(), data.end());
#ifdef _WIN32
    const std::string inFile = "C:\\Gry\\Tarn \u017c\\plik";
#else
    const std::string inFile = "C:/Gry/Tarn \u017c/plik";
#endif
    for (const PathKey& k : keys) {
        EXPECT_NE(text.find(std::string(k.key) + "=" + inFile + "\r\n"), std::string::npos)
            << k.key << " in\n"
            << text;
    }
}

RecentTranslation pairOf(std::string original, std::string translated) {
    RecentTranslation entry;
    entry.original = std::move(original);
    entry.translated = std::move(translated);
    return entry;
}

// The last eight pairs, most recent first; a pair opened again (however its paths are spelled)
// moves up with its settings as they are now, and the ninth pair pushes the oldest out.
TEST(AppSettings, RecentTranslationsKeepTheLastEightPairs) {
    std::vector<RecentTranslation> list;
    for (int i = 1; i <= 9; ++i) {
        rememberTranslation(list, pairOf("orig/Tarn.exe", "t" + std::to_string(i) + "/Tarn.exe"));
    }
    ASSERT_EQ(list.size(), kRecentTranslations);
    EXPECT_EQ(list.front().translated, "t9/Tarn.exe");
    EXPECT_EQ(list.back().translated, "t2/Tarn.exe");

    rememberTranslation(list, {"orig/./Tarn.exe", "t5//Tarn.exe", 238, "pl.tbl", "pl_PL", "pl"});
    ASSERT_EQ(list.size(), kRecentTranslations);
    EXPECT_EQ(list.front().fontCharset, 238);
    EXPECT_EQ(list[1].translated, "t9/Tarn.exe");
    EXPECT_EQ(
        std::count_if(list.begin(), list.end(),
                      [](const RecentTranslation& e) { return e.translated.starts_with("t5"); }),
        1);
    // Another original is another pair.
    rememberTranslation(list, pairOf("other/Tarn.exe", "t5//Tarn.exe"));
    EXPECT_EQ(list[1].fontCharset, 238);
}

}  // namespace
}  // namespace tarn
