#include "common/file_io.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

class AtomicWrite : public ::testing::Test {
protected:
    void TearDown() override { setWriteFaultForTesting({}); }
    TempDir dir;
};

TEST_F(AtomicWrite, ReplacesTheFileAndKeepsItsPermissions) {
    const auto path = dir.path() / "game.exe";
    writeFileAtomically(path, Bytes{1, 2, 3});
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec);
    writeFileAtomically(path, Bytes{4, 5});
    EXPECT_EQ(readWholeFile(path), (Bytes{4, 5}));
    EXPECT_TRUE((fs::status(path).permissions() & fs::perms::owner_exec) != fs::perms::none);
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST_F(AtomicWrite, EveryFailingStepLeavesTheOldFileWholeAndNoTemporaryFile) {
    const auto path = dir.path() / "obj.dat";
    writeFileAtomically(path, Bytes{9, 9, 9, 9});
    for (auto step : {WriteFault::Step::CreateTemporary, WriteFault::Step::WriteData,
                      WriteFault::Step::Rename}) {
        setWriteFaultForTesting({step, 2});
        EXPECT_THROW(writeFileAtomically(path, Bytes{1, 2, 3, 4, 5, 6}), FileError);
        EXPECT_EQ(readWholeFile(path), (Bytes{9, 9, 9, 9}));
        EXPECT_EQ(dir.fileCount(), 1u);
    }
}

TEST_F(AtomicWrite, MissingFolderIsReportedWithThePath) {
    const auto path = dir.path() / "nowhere" / "x.dat";
    try {
        writeFileAtomically(path, Bytes{1});
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("x.dat"), std::string::npos);
    }
}

TEST(FileChecks, ReadOnlyMissingAndCopyRules) {
    TempDir dir;
    const auto a = dir.path() / "a";
    const auto b = dir.path() / "b";
    EXPECT_THROW(readWholeFile(a), FileError);
    EXPECT_FALSE(fileExists(a));
    writeFileAtomically(a, Bytes{1, 2});
    EXPECT_TRUE(copyFileNoOverwrite(a, b));
    EXPECT_FALSE(copyFileNoOverwrite(a, b));
    EXPECT_EQ(fileSizeOf(b), 2u);
    EXPECT_FALSE(isReadOnlyFile(b));
    fs::permissions(b, fs::perms::owner_read);
    EXPECT_TRUE(isReadOnlyFile(b));
    EXPECT_FALSE(fileExists(dir.path()));
    EXPECT_TRUE(directoryExists(dir.path()));

    // A rename would replace the read-only file without asking; the write refuses it, also
    // for root, and leaves it and its permissions alone.
    try {
        writeFileAtomically(b, Bytes{9});
        FAIL() << "a read-only file was replaced";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot write file \"" + b.string() + "\". The file is read-only.");
    }
    EXPECT_EQ(readWholeFile(b), (Bytes{1, 2}));
    EXPECT_EQ(fs::status(b).permissions(), fs::perms::owner_read);
    EXPECT_EQ(dir.fileCount(), 2u);
}

}  // namespace
}  // namespace tarn
