// SPDX-License-Identifier: GPL-3.0-or-later
// The digest list beside the backup folder and the names of the leftovers --restore removes.
#include "patcher/backup_sums.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "common/sha256.h"

namespace tarn {
namespace {

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(BackupSums, Sha256MatchesTheStandardsVectors) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the block the data ends in.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000, 'a'),
         "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
    };
    for (const auto& [text, digest] : cases) {
        EXPECT_EQ(sha256Hex(bytesOf(text)), digest) << text.size();
    }
    // The processor's SHA instructions, where there are any, agree with the portable rounds over
    // every length of tail and over many blocks.
    if (processorHasSha256Instructions()) {
        std::string data(1 << 16, '\0');
        std::uint32_t seed = 1;
        for (char& c : data) {
            seed = seed * 1664525 + 1013904223;
            c = static_cast<char>(seed >> 24);
        }
        for (std::size_t size = 0; size <= data.size(); size += size < 200 ? 1 : 4099) {
            const std::string_view part(data.data(), size);
            EXPECT_EQ(sha256(part, Sha256Engine::ProcessorInstructions),
                      sha256(part, Sha256Engine::Portable))
                << size;
        }
    }
}

TEST(BackupSums, RecordsKeepEarlierEntriesAndReadingSkipsWhatIsNoDigest) {
    TempDir game;
    BackupSums sums(game.path());
    EXPECT_EQ(sums.file(), game.path() / "TarnPatch-backup.sums");
    sums.record("A.DAT", bytesOf("abc"));
    sums.record("b.dat", bytesOf(""));

    // Each name is kept as it is: another letter case may be another file (on Linux).
    BackupSums later(game.path());
    later.record("a.dat", bytesOf("new"));
    EXPECT_EQ(toString(readWholeFile(later.file())), sha256Hex(bytesOf("abc")) + "  A.DAT\n" +
                                                         sha256Hex(bytesOf("new")) + "  a.dat\n" +
                                                         sha256Hex(bytesOf("")) + "  b.dat\n");
    later.load();
    EXPECT_EQ(later.digestOf("A.DAT"), sha256Hex(bytesOf("abc")));
    EXPECT_FALSE(later.digestOf("A.dat"));  // either could be meant
    EXPECT_EQ(later.digestOf("B.DAT"), sha256Hex(bytesOf("")));

    // A pending digest is no confirmed one until confirmed; both lists stay apart.
    later.recordPending("c.dat", bytesOf("c"));
    BackupSums reread(game.path());
    reread.load();
    EXPECT_FALSE(reread.digestOf("c.dat"));
    EXPECT_EQ(reread.pendingDigestOf("C.DAT"), sha256Hex(bytesOf("c")));
    reread.confirm("c.dat");
    EXPECT_FALSE(fs::exists(reread.pendingFile()));
    BackupSums confirmed(game.path());
    confirmed.load();
    EXPECT_EQ(confirmed.digestOf("c.dat"), sha256Hex(bytesOf("c")));
    EXPECT_FALSE(confirmed.pendingDigestOf("c.dat"));

    // A write whose digest is taken while it is written is pending as zeros, the digest of no
    // content, and confirmed with its digest.
    confirmed.recordPendingWrite("d.dat");
    BackupSums writing(game.path());
    writing.load();
    EXPECT_EQ(writing.pendingDigestOf("d.dat"), std::string(64, '0'));
    writing.confirm("d.dat", sha256("d"));
    writing.load();
    EXPECT_EQ(writing.digestOf("d.dat"), sha256Hex(bytesOf("d")));
    EXPECT_EQ(writing.digestOf("c.dat"), sha256Hex(bytesOf("c")));
    EXPECT_FALSE(writing.pendingDigestOf("d.dat"));

    const std::string good(64, 'f');
    writeFileAtomically(later.file(), bytesOf("not a digest  X.DAT\n" + good + " one space\n" +
                                              std::string(64, 'F') + "  upper hex\n" + good +
                                              "  C.DAT\r\n" + good + "  \n"));
    BackupSums read(game.path());
    read.load();
    EXPECT_EQ(read.digestOf("c.dat"), good);
    EXPECT_FALSE(read.digestOf("X.DAT"));
    EXPECT_FALSE(read.digestOf("one space"));
    EXPECT_FALSE(read.digestOf("upper hex"));
    EXPECT_FALSE(read.digestOf(""));
}

TEST(BackupSums, OwnTemporaryFilesAreKnownByName) {
    const std::vector<std::pair<const char*, bool>> cases = {
        {".A.DAT.tmp-Xy12Ab", true},          // today's temporary names
        {".A.DAT.tmp-123456789", true},       // on Windows
        {".A.DAT.tarn-4242-k3Jd.tmp", true},  // a name that carries the process id
        {".TarnPatch-backup.sums.tmp-abc", true},
        {"A.DAT", false},
        {"A.TMP", false},
        {"A.DAT.tmp-1", false},  // not hidden
        {".tmp", false},
        {".hidden", false},
        {".notes.tmp", false},  // a player's own file
        {".A.DAT.tmp", false},
        {".A.DAT.tmp-", false},
        {".A.DAT.tarn-x-k3Jd.tmp", false},
    };
    for (const auto& [name, own] : cases) {
        EXPECT_EQ(isOwnTemporaryFile(name), own) << name;
    }
}

}  // namespace
}  // namespace tarn
