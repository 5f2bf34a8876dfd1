// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_identity.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

void put(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Moves the modification time on by a second, so that a change with the same size and inode
// is seen even on a coarse clock.
void touchLater(const std::filesystem::path& path) {
    const auto now = std::filesystem::last_write_time(path);
    std::filesystem::last_write_time(path, now + std::chrono::seconds(1));
}

TEST(FileIdentity, NoticesChangesToThePartsReadAndNothingElse) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path&)> change;
        bool changed;
    };
    const Case cases[] = {
        {"untouched", [](const auto&) {}, false},
        {"touched, same bytes", [](const auto& p) { touchLater(p); }, false},
        {"replaced by a copy of itself",
         [](const auto& p) { writeFileAtomically(p, toBytes("0123456789abcdef")); }, false},
        {"a read part rewritten in place",
         [](const auto& p) {
             put(p, "0123X56789abcdef");
             touchLater(p);
         },
         true},
        {"a part not read rewritten",
         [](const auto& p) {
             put(p, "0123456789abcdeX");
             touchLater(p);
         },
         false},
        {"replaced by another file",
         [](const auto& p) { writeFileAtomically(p, toBytes("0123456789abcdeX!")); }, true},
        {"removed", [](const auto& p) { std::filesystem::remove(p); }, true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto path = dir.path() / "Tarn.exe";
        put(path, "0123456789abcdef");
        const FileIdentity known = takeFileIdentity(path, {{2, 4}, {8, 4}});
        c.change(path);
        EXPECT_EQ(changedOnDisk(path, known), c.changed) << c.what;
    }
}

TEST(FileIdentity, WholeFileReadAndMissingFile) {
    TempDir dir;
    const auto path = dir.path() / "A.dat";
    put(path, "abc");
    FileIdentity known;
    EXPECT_EQ(readWholeFile(path, known), toBytes("abc"));
    EXPECT_FALSE(changedOnDisk(path, known));
    put(path, "abd");
    touchLater(path);
    EXPECT_TRUE(changedOnDisk(path, known));

    // A file that was missing when loaded counts as changed once it appears.
    const auto absent = dir.path() / "B.dat";
    const FileIdentity none = takeFileIdentity(absent);
    EXPECT_FALSE(none.known);
    EXPECT_FALSE(changedOnDisk(absent, none));
    put(absent, "x");
    EXPECT_TRUE(changedOnDisk(absent, none));
}

// Every writer, given the identity of the file as read, replaces it only while it is still that
// file: another program's write between the read and the rename is refused, nothing written.
TEST(FileIdentity, WritersReplaceOnlyTheFileTheyRead) {
    const std::string shown =
        "Tarn.exe was changed by another program since it was read; "
        "nothing written";
    struct Writer {
        const char* what;
        std::function<void(const std::filesystem::path&, const FileIdentity&)> write;
        const char* written;
    };
    const Writer writers[] = {
        {"whole",
         [](const auto& p, const FileIdentity& read) {
             WriteOptions options;
             options.expected = read;
             writeFileAtomically(p, toBytes("ours"), options);
         },
         "ours"},
        {"ranges",
         [](const auto& p, const FileIdentity& read) {
             WriteOptions options;
             options.expected = read;
             writeFileRangesAtomically(p, {{0, toBytes("ours")}}, std::nullopt, options);
         },
         "ours456789"},
        {"ranges through the whole file",
         [](const auto& p, const FileIdentity& read) {
             WriteFault fault;
             fault.noClone = fault.noKernelCopy = true;
             setWriteFaultForTesting(fault);
             WriteOptions options;
             options.expected = read;
             writeFileRangesAtomically(p, {{0, toBytes("ours")}}, std::nullopt, options);
         },
         "ours456789"},
    };
    for (const Writer& w : writers) {
        for (const bool theirs : {false, true}) {
            SCOPED_TRACE(std::string(w.what) + (theirs ? ", another write" : ""));
            TempDir dir;
            const auto path = dir.path() / "Tarn.exe";
            put(path, "0123456789");
            const FileIdentity read = takeFileIdentity(path, {{0, 4}});
            if (theirs) {
                put(path, "theirs6789");
                touchLater(path);
            }
            try {
                w.write(path, read);
                EXPECT_FALSE(theirs);
            } catch (const FileChangedError& e) {
                EXPECT_TRUE(theirs);
                EXPECT_EQ(std::string(e.what()), (dir.path() / shown).string());
            }
            setWriteFaultForTesting({});
            EXPECT_EQ(readWholeFile(path), toBytes(theirs ? "theirs6789" : w.written));
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                    std::filesystem::directory_iterator()),
                      1);
        }
    }
}

// The whole file is hashed in one piece when loaded and in the pieces a partial read gives when
// checked: the split must not matter, and no change of a byte or of the length may go unseen.
TEST(FileIdentity, HashIgnoresHowTheBytesAreSplitAndSeesEveryByteAndTheLength) {
    Bytes data(45);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i * 37 + 1);
    }
    const std::span<const std::uint8_t> all(data);
    const std::uint64_t whole = hashBytes(all);
    for (const std::size_t first : {0u, 1u, 7u, 8u, 9u, 20u}) {
        for (const std::size_t second : {0u, 3u, 8u, 16u}) {
            ByteHash hash;
            hash.add(all.first(first));
            hash.add(all.subspan(first, second));
            hash.add(all.subspan(first + second));
            EXPECT_EQ(hash.value(), whole) << first << "+" << second;
        }
    }
    for (std::size_t i = 0; i < data.size(); ++i) {
        Bytes changed = data;
        changed[i] ^= 0x80;
        EXPECT_NE(hashBytes(changed), whole) << i;
    }
    Bytes longer = data;
    longer.push_back(0);
    EXPECT_NE(hashBytes(longer), whole);
    EXPECT_NE(hashBytes(Bytes{}), hashBytes(Bytes{0}));
}

}  // namespace
}  // namespace tarn
