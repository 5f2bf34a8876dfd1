// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/paths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/errors.h"
#include "common/tests/temp_dir.h"
#include "common/utf8_path.h"
#include "platform/core/utc_time.h"

namespace tarn::platform {
namespace {

void touch(const fs::path& path) {
    std::ofstream(path) << "x";
}

TEST(Paths, FindsAnEntryWhateverItsLetterCaseAndPrefersTheExactName) {
    TempDir dir;
    fs::create_directory(dir.path() / "objdata");
    touch(dir.path() / "Tarn.EXE");
    EXPECT_EQ(findEntryIgnoringCase(dir.path(), "ObjData"), dir.path() / "objdata");
    EXPECT_EQ(findEntryIgnoringCase(dir.path(), "tarn.exe"), dir.path() / "Tarn.EXE");
    EXPECT_FALSE(findEntryIgnoringCase(dir.path(), "missing").has_value());
    EXPECT_FALSE(findEntryIgnoringCase(dir.path() / "nowhere", "x").has_value());
    // Where names differ by case alone (not on Windows), the exact one wins; else the real one.
    touch(dir.path() / "tarn.exe");
    const bool twoFiles = listEntries(dir.path()).size() == 3;
    EXPECT_EQ(findEntryIgnoringCase(dir.path(), "tarn.exe"),
              dir.path() / (twoFiles ? "tarn.exe" : "Tarn.EXE"));
    // A held folder answers the same names.
    const FolderHandle held = FolderHandle::open(dir.path());
    EXPECT_EQ(findEntryIgnoringCase(held, "OBJDATA"), "objdata");
    EXPECT_EQ(findEntryIgnoringCase(held, "tarn.exe"), twoFiles ? "tarn.exe" : "Tarn.EXE");
    EXPECT_EQ(findEntryIgnoringCase(held, "TARN.exe"), "Tarn.EXE");
    EXPECT_FALSE(findEntryIgnoringCase(held, "missing").has_value());
}

// A name outside ASCII survives the way from UTF-8 text to the file system and back.
TEST(Paths, PolishNamesRoundTripThroughUtf8) {
    TempDir dir;
    const std::string folderName = "Tarn \xC5\xBC";  // "Tarn ż"
    const std::string fileName =
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA.dat";  // "Łódź.dat"
    const fs::path folder = dir.path() / pathFromUtf8(folderName);
    fs::create_directory(folder);
    touch(folder / pathFromUtf8(fileName));
    EXPECT_EQ(pathToUtf8(folder.filename()), folderName);
    const std::vector<fs::path> found = listFilesWithExtension(folder, ".DAT");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(pathToUtf8(found[0].filename()), fileName);
    EXPECT_EQ(findEntryIgnoringCase(folder,
                                    "\xC5\x82\xC3\x93"
                                    "D\xC5\xB9.DAT"),
              found[0]);
    EXPECT_EQ(pathFromUtf8(pathToUtf8(found[0])), found[0]);
    // Text that is not UTF-8 names no file on Windows; elsewhere its bytes are the name.
#ifdef _WIN32
    EXPECT_THROW(pathFromUtf8("Tarn \xBF"), FileError);
#else
    EXPECT_EQ(pathFromUtf8("Tarn \xBF").native(), "Tarn \xBF");
#endif
}

TEST(Paths, ListsDatFilesCaseInsensitivelySortedByUpperCasedName) {
    TempDir dir;
    for (const char* name :
         {"b.dat", "A.DAT", "c.Dat", "_x.dat", "readme.txt", "x.data", "äb.dat"}) {
        touch(dir.path() / pathFromUtf8(name));
    }
    fs::create_directory(dir.path() / "folder.dat");
    std::vector<std::string> expected{"A.DAT", "b.dat", "c.Dat", "_x.dat", "äb.dat"};
#ifndef _WIN32
    // A link is listed by what it leads to: a file counts, a folder or nothing does not.
    fs::create_symlink("b.dat", dir.path() / "link.dat");
    fs::create_symlink("folder.dat", dir.path() / "folderlink.dat");
    fs::create_symlink("nowhere", dir.path() / "dangling.dat");
    expected.insert(expected.begin() + 3, "link.dat");
#endif
    std::vector<std::string> names;
    for (const fs::path& p : listFilesWithExtension(dir.path(), ".dat")) {
        EXPECT_EQ(p.parent_path(), dir.path());
        names.push_back(pathToUtf8(p.filename()));
    }
    // '_' (0x5F) sorts after the capitals once names are upper-cased.
    EXPECT_EQ(names, expected);
    // A held folder's listing sorts the same way, links and folders kept as what they are.
    std::vector<FolderHandle::Entry> held = FolderHandle::open(dir.path()).list();
    sortByUpperCaseName(held);
    std::vector<std::string> all;
    for (const fs::path& p : listEntries(dir.path())) {
        all.push_back(pathToUtf8(p.filename()));
    }
    ASSERT_EQ(held.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(held[i].name, all[i]);
        EXPECT_EQ(held[i].kind == FolderHandle::Kind::Link, fs::is_symlink(dir.path() / all[i]));
    }
    EXPECT_THROW(listFilesWithExtension(dir.path() / "missing", ".dat"), std::exception);
}

TEST(Paths, WritingInAFolderIsTriedWithoutLeavingAnything) {
    TempDir dir;
    EXPECT_TRUE(mayWriteInFolder(dir.path()));
    EXPECT_FALSE(mayWriteInFolder(dir.path() / "missing"));
    EXPECT_TRUE(listEntries(dir.path()).empty());
}

TEST(UtcTime, GivesTheCalendarFieldsInUtc) {
    const std::tm t = utcTime(951782400 + 3661);  // 2000-02-29 01:01:01 UTC, a leap day
    EXPECT_EQ(t.tm_year, 100);
    EXPECT_EQ(t.tm_mon, 1);
    EXPECT_EQ(t.tm_mday, 29);
    EXPECT_EQ(t.tm_hour, 1);
    EXPECT_EQ(t.tm_min, 1);
    EXPECT_EQ(t.tm_sec, 1);
}

TEST(Paths, OwnExecutableIsThisTestProgram) {
    EXPECT_TRUE(fs::is_regular_file(ownExecutablePath()));
}

}  // namespace
}  // namespace tarn::platform
