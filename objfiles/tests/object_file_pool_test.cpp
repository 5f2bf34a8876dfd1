// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_file_pool.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

// Files that fail at once keep the threads racing the caller for each outcome: every round
// must hand over every file, in order, and return (a lost wake-up would hang here).
TEST(ObjectFilePool, HandsEveryOutcomeOverInOrderRoundAfterRound) {
    TempDir dir;
    std::vector<fs::path> paths;
    for (int i = 0; i < 64; ++i) {
        paths.push_back(dir.path() / (std::to_string(i) + ".dat"));
        writeFileAtomically(paths.back(), Bytes(static_cast<std::size_t>(i % 5), 0x41));
    }
    for (int round = 0; round < 100; ++round) {
        std::size_t expected = 0;
        loadObjectFilesInOrder(paths, [&](std::size_t i, LoadedObjectFile& loaded) {
            EXPECT_EQ(i, expected++);
            EXPECT_TRUE(loaded.error || loaded.file);
        });
        ASSERT_EQ(expected, paths.size()) << "round " << round;
    }
}

}  // namespace
}  // namespace tarn
