// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_io.h"
#include "common/folder_handle.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "common/errors.h"
#include "common/partial_file.h"
#include "common/rewritten_bytes.h"
#include "common/sha256.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

class AtomicWrite : public ::testing::Test {
protected:
    void TearDown() override { setWriteFaultForTesting({}); }
    TempDir dir;
};

#ifdef _WIN32
// The replacement keeps the owner itself on Windows: that step stands for creating the file.
constexpr WriteFault::Step kKeepOwner = WriteFault::Step::CreateTemporary;
#else
constexpr WriteFault::Step kKeepOwner = WriteFault::Step::KeepOwner;
#endif

TEST_F(AtomicWrite, ReplacesTheFileAndKeepsItsPermissions) {
    const auto path = dir.path() / "game.exe";
    writeFileAtomically(path, Bytes{1, 2, 3});
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec);
    writeFileAtomically(path, Bytes{4, 5});
    EXPECT_EQ(readWholeFile(path), (Bytes{4, 5}));
    EXPECT_TRUE((fs::status(path).permissions() & fs::perms::owner_exec) != fs::perms::none);
    EXPECT_EQ(dir.fileCount(), 1u);
}

// Commands name their files relative to the working folder, often by a bare file name.
TEST_F(AtomicWrite, ReplacesAFileNamedRelativeToTheWorkingFolder) {
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    writeFileAtomically("p.bin", Bytes{1, 2, 3});
    EXPECT_NO_THROW(writeFileAtomically("p.bin", Bytes{4, 5}));
    fs::current_path(before);
    EXPECT_EQ(readWholeFile(dir.path() / "p.bin"), (Bytes{4, 5}));
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST_F(AtomicWrite, EveryFailingStepLeavesTheOldFileWholeAndNoTemporaryFile) {
    const auto path = dir.path() / "obj.dat";
    writeFileAtomically(path, Bytes{9, 9, 9, 9});
    const FolderHandle folder = FolderHandle::open(dir.path());
    // By path and by name in a held folder, the temporary file unnamed until it is complete
    // (where the system can) or named from the start.
    for (const bool held : {false, true}) {
        for (const bool named : {false, true}) {
            const auto write = [&](const Bytes& data) {
                held ? writeFileAtomically("obj.dat", data, noFollowIn(folder))
                     : writeFileAtomically(path, data);
            };
            for (auto step :
                 {WriteFault::Step::CreateTemporary, kKeepOwner, WriteFault::Step::CopyAttributes,
                  WriteFault::Step::WriteData, WriteFault::Step::Flush, WriteFault::Step::Rename}) {
                WriteFault fault{step, 2};
                fault.noUnnamedFile = named;
                setWriteFaultForTesting(fault);
                EXPECT_THROW(write(Bytes{1, 2, 3, 4, 5, 6}), FileError);
                EXPECT_EQ(readWholeFile(path), (Bytes{9, 9, 9, 9}));
                EXPECT_EQ(dir.fileCount(), 1u);
            }
            WriteFault none;
            none.noUnnamedFile = named;
            setWriteFaultForTesting(none);
            // Work done just before the rename that fails stops the write the same way.
            WriteOptions raising = held ? noFollowIn(folder) : WriteOptions{};
            raising.beforeReplace = [] { throw FileError("stopped before the rename"); };
            EXPECT_THROW(
                writeFileAtomically(held ? fs::path("obj.dat") : path, Bytes{1, 2}, raising),
                FileError);
            EXPECT_EQ(readWholeFile(path), (Bytes{9, 9, 9, 9}));
            EXPECT_EQ(dir.fileCount(), 1u);
            write(Bytes{9, 9, 9, 9});
            EXPECT_EQ(dir.fileCount(), 1u);
        }
    }
}

// The folder cannot be flushed after the rename: the new file is in place, but the caller hears
// that it may not survive a power cut, and no temporary file is left.
TEST_F(AtomicWrite, FailedFolderFlushIsReportedWithTheNewFileInPlace) {
#ifdef _WIN32
    GTEST_SKIP() << "the replacement is written through on Windows: no folder to flush";
#endif
    const auto path = dir.path() / "obj.dat";
    writeFileAtomically(path, Bytes{9});
    setWriteFaultForTesting({WriteFault::Step::FlushFolder, 0});
    try {
        writeFileRangesAtomically(path, {{0, {1}}});
        FAIL() << "the failed flush was not reported";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot write file \"" + path.string() + "\". " + std::strerror(EIO));
    }
    EXPECT_EQ(readWholeFile(path), Bytes{1});
    EXPECT_EQ(dir.fileCount(), 1u);
}

// The ways of copying the old file: the kernel's copy where the file system offers it, and the
// whole-file path where it offers neither a clone nor copy_file_range.
struct CopyWay {
    const char* name;
    bool noKernelCopy;
};
const CopyWay kCopyWays[] = {{"KernelCopy", false}, {"WholeFile", true}};

class RangeWrite : public ::testing::TestWithParam<CopyWay> {
protected:
    void TearDown() override { setWriteFaultForTesting({}); }
    void inject(WriteFault::Step step, std::size_t bytesBeforeFailure = 0) {
        WriteFault fault{step, bytesBeforeFailure};
        fault.noClone = GetParam().noKernelCopy;
        fault.noKernelCopy = GetParam().noKernelCopy;
        setWriteFaultForTesting(fault);
    }

    // A file larger than one read of the whole-file path, with bytes that differ everywhere.
    Bytes makeOld() const {
        Bytes old(300000);
        for (std::size_t i = 0; i < old.size(); ++i) {
            old[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        }
        return old;
    }

    TempDir dir;
    fs::path path = dir.path() / "game.exe";
};

// The file as it was, lengthened with a block moved behind the new end, or cut with a block
// moved down from past the cut: each block is copied from the bytes as they were.
const std::optional<FileReshape> kReshapes[] = {
    std::nullopt,
    FileReshape{400000, {{0, 290000, 20000}, {250000, 350000, 50000}}},
    FileReshape{120000, {{260000, 100000, 20000}}},
};

TEST_P(RangeWrite, StoresTheRangesInOrderOverTheOldBytesAndKeepsThePermissions) {
    const Bytes old = makeOld();
    for (const std::optional<FileReshape>& reshape : kReshapes) {
        SCOPED_TRACE(reshape ? reshape->size : old.size());
        writeFileAtomically(path, old);
        fs::permissions(path,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec);
        const std::size_t end = reshape ? static_cast<std::size_t>(reshape->size) : old.size();
        const FileRanges ranges = {
            {0, {1, 2, 3}},
            {100000, Bytes(10000, 0xAB)},
            {100010, {4, 5}},      // overlaps the one before and wins
            {end - 1, {6, 7, 8}},  // lengthens the file
        };
        Bytes expected = old;
        if (reshape) {
            applyFileReshape(expected, *reshape);
            // A block reads the old bytes, not those an earlier move wrote there.
            const std::size_t last = reshape->moves.size() - 1;
            EXPECT_EQ(expected[reshape->moves[last].to + 45000 % reshape->moves[last].length],
                      old[reshape->moves[last].from + 45000 % reshape->moves[last].length]);
        }
        applyFileRanges(expected, ranges);
        ASSERT_EQ(expected.size(), end + 2);
        EXPECT_EQ(expected[100011], 5);
        EXPECT_EQ(expected[100012], 0xAB);

        // What the rewrite overwrites, kept before it: with the new file, the old one again.
        OverwrittenBytes overwritten;
        {
            PartialFile before(path);
            overwritten = keepOverwrittenBytes(before, ranges, reshape ? &*reshape : nullptr);
        }

        inject(WriteFault::Step::None);
        const RangeCopy how = writeFileRangesAtomically(path, ranges, reshape);
        EXPECT_EQ(how == RangeCopy::WholeFile, GetParam().noKernelCopy);
        EXPECT_EQ(readWholeFile(path), expected);
        {
            PartialFile after(path);
            Bytes again;
            std::size_t kept = 0;
            writeOldBytes(after, overwritten, [&again](std::string_view piece) {
                again.insert(again.end(), piece.begin(), piece.end());
            });
            for (const OverwrittenBytes::Part& part : overwritten.parts) {
                kept += part.bytes.size();
            }
            EXPECT_EQ(again, old);
            if (!reshape) {
                EXPECT_EQ(kept, 3u + 10000u + 1u);  // only what the ranges cover
            }
        }
        {
            // A new file cut to nothing since cannot give the old one back: said, not hung on.
            const fs::path cut = dir.path() / "cut.exe";
            writeFileAtomically(cut, Bytes{});
            {
                PartialFile emptied(cut);
                EXPECT_THROW(writeOldBytes(emptied, overwritten, [](std::string_view) {}),
                             FileError);
            }
            fs::remove(cut);
        }
        EXPECT_TRUE((fs::status(path).permissions() & fs::perms::owner_exec) != fs::perms::none);
        EXPECT_EQ(dir.fileCount(), 1u);

        // The same bytes as pieces, never made whole: as the file holds them, hashed alike.
        const auto rewritten = [&](const ByteWriter& write) {
            writeRewrittenBytes(old, ranges, reshape ? &*reshape : nullptr, write);
        };
        Bytes joined;
        Sha256Hasher digest;
        rewritten([&](std::string_view piece) {
            joined.insert(joined.end(), piece.begin(), piece.end());
            digest.add(piece);
        });
        EXPECT_EQ(joined, expected);
        EXPECT_EQ(hexOf(digest.finish()), sha256Hex(expected));
        EXPECT_TRUE(fileHoldsPieces(path, rewritten));
        Bytes longer = expected;
        longer.push_back(0);
        Bytes changed = expected;
        changed[changed.size() / 2] ^= 1;
        for (const Bytes& other : {Bytes(expected.begin(), expected.end() - 1), longer, changed}) {
            EXPECT_FALSE(fileHoldsBytes(path, other)) << other.size();
        }

        // Read back where the ranges went alone: a changed range byte or size is noticed.
        const auto holdsWrittenParts = [&] {
            PartialFile file(path);
            return fileHoldsWrittenParts(file, old.size(), ranges, reshape ? &*reshape : nullptr);
        };
        EXPECT_TRUE(holdsWrittenParts());
        Bytes rangeChanged = expected;
        rangeChanged[100011] ^= 1;
        for (const Bytes& other : {Bytes(expected.begin(), expected.end() - 1), rangeChanged}) {
            writeFileAtomically(path, other);
            EXPECT_FALSE(holdsWrittenParts()) << other.size();
        }
    }
}

TEST_P(RangeWrite, EveryFailingStepLeavesTheOldFileWholeAndNoTemporaryFile) {
    const Bytes old = makeOld();
    writeFileAtomically(path, old);
    const FileRanges ranges = {{10, Bytes(100, 1)}, {200000, Bytes(100, 2)}};
    const std::pair<WriteFault::Step, std::size_t> faults[] = {
        {WriteFault::Step::CreateTemporary, 0}, {kKeepOwner, 0},
        {WriteFault::Step::CopyAttributes, 0},  {WriteFault::Step::CopyOld, 0},
        {WriteFault::Step::WriteData, 0},       {WriteFault::Step::WriteData, 150},
        {WriteFault::Step::Flush, 0},           {WriteFault::Step::Rename, 0},
    };
    for (const std::optional<FileReshape>& reshape : kReshapes) {
        for (const auto& [step, bytes] : faults) {
            inject(step, bytes);
            try {
                writeFileRangesAtomically(path, ranges, reshape);
                ADD_FAILURE() << "step " << static_cast<int>(step) << " reported success";
            } catch (const FileError& e) {
                EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
            }
            EXPECT_EQ(readWholeFile(path), old);
            EXPECT_EQ(dir.fileCount(), 1u);
        }
    }
}

TEST_P(RangeWrite, MissingFileIsReportedAndNothingIsCreated) {
    inject(WriteFault::Step::None);
    try {
        writeFileRangesAtomically(path, {{0, {1}}});
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + path.string(), 0), 0u)
            << e.what();
    }
    EXPECT_EQ(dir.fileCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothPaths, RangeWrite, ::testing::ValuesIn(kCopyWays),
                         [](const ::testing::TestParamInfo<CopyWay>& info) {
                             return std::string(info.param.name);
                         });

// Without a clone the kernel still copies; the result is the same file either way.
TEST_F(AtomicWrite, RangeWriteWithoutCloneUsesTheKernelCopy) {
    const auto path = dir.path() / "game.exe";
    writeFileAtomically(path, Bytes(100000, 3));
    WriteFault fault;
    fault.noClone = true;
    setWriteFaultForTesting(fault);
    EXPECT_EQ(writeFileRangesAtomically(path, {{99999, {4}}}), RangeCopy::KernelCopy);
    Bytes expected(100000, 3);
    expected.back() = 4;
    EXPECT_EQ(readWholeFile(path), expected);
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
    EXPECT_TRUE(isReadOnlyFile(b));
#ifndef _WIN32  // Windows keeps a read-only attribute, not modes
    EXPECT_EQ(fs::status(b).permissions(), fs::perms::owner_read);
#endif
    EXPECT_EQ(dir.fileCount(), 2u);
}

}  // namespace
}  // namespace tarn
