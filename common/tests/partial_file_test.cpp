// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/partial_file.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

Bytes numbered(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i % 253);
    }
    return bytes;
}

// Reads count bytes at pos through source.read, or nothing when the source ends first.
Bytes readThrough(ByteSource& source, std::uint64_t pos, std::size_t count) {
    Bytes out(count);
    return source.read(pos, out) ? out : Bytes{};
}

TEST(PartialFile, ReadsAnyPartAsTheWholeFileHoldsIt) {
    TempDir dir;
    const auto path = dir.path() / "big.exe";
    const Bytes whole = numbered(300000);
    writeFileAtomically(path, whole);

    PartialFile file(path);
    EXPECT_EQ(file.size(), whole.size());
    // Parts close together are read as one piece; one far off stays apart.
    file.prefetch({{1000, 10}, {1020, 5}, {250000, 4}, {0, 0}, {999999, 5}});
    EXPECT_EQ(file.from(1000).size(), 25u);
    EXPECT_EQ(file.from(250000).size(), 4u);

    // Reads cross from prefetched pieces into pieces read on demand and back.
    MemoryBytes memory(whole);
    const std::pair<std::uint64_t, std::size_t> reads[] = {
        {1020, 100}, {0, 2000}, {249990, 20}, {200000, 70000}, {299990, 10}, {5, 1}};
    for (const auto& [pos, count] : reads) {
        EXPECT_EQ(readThrough(file, pos, count), readThrough(memory, pos, count))
            << pos << " " << count;
        EXPECT_EQ(readThrough(file, pos, count),
                  Bytes(whole.begin() + static_cast<long>(pos),
                        whole.begin() + static_cast<long>(pos + count)));
    }
    // The end of the file ends every read, in memory and on disk alike.
    EXPECT_TRUE(readThrough(file, 299990, 11).empty());
    EXPECT_TRUE(readThrough(memory, 299990, 11).empty());
    EXPECT_TRUE(file.from(300000).empty());
    EXPECT_TRUE(memory.from(400000).empty());
}

TEST(PartialFile, MissingFileOrFolderIsReportedWithThePath) {
    TempDir dir;
    for (const auto& path : {dir.path() / "missing.exe", dir.path()}) {
        try {
            PartialFile file(path);
            FAIL() << path;
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + path.string(), 0), 0u)
                << e.what();
        }
    }
}

}  // namespace
}  // namespace tarn
