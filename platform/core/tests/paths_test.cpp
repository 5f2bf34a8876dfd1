#include "platform/core/paths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/tests/temp_dir.h"
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
    touch(dir.path() / "tarn.exe");
    EXPECT_EQ(findEntryIgnoringCase(dir.path(), "tarn.exe"), dir.path() / "tarn.exe");
}

TEST(Paths, ListsDatFilesCaseInsensitivelySortedByUpperCasedName) {
    TempDir dir;
    for (const char* name :
         {"b.dat", "A.DAT", "c.Dat", "_x.dat", "readme.txt", "x.data", "äb.dat"}) {
        touch(dir.path() / name);
    }
    fs::create_directory(dir.path() / "folder.dat");
    std::vector<std::string> names;
    for (const fs::path& p : listFilesWithExtension(dir.path(), ".dat")) {
        names.push_back(p.filename().string());
    }
    // '_' (0x5F) sorts after the capitals once names are upper-cased.
    EXPECT_EQ(names, (std::vector<std::string>{"A.DAT", "b.dat", "c.Dat", "_x.dat", "äb.dat"}));
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
