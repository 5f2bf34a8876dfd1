// SPDX-License-Identifier: GPL-3.0-or-later
// The background writer tells how each request ended, so that a lasting failure can be shown,
// and leaves no temporary file behind.
#include "common/background_writer.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

TEST(BackgroundWriter, ReportsAFailureAndTheSuccessThatEndsIt) {
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "later";
    std::mutex mutex;
    std::vector<std::optional<std::string>> reports;
    BackgroundWriter writer(folder / "journal", [&](const std::optional<std::string>& failure) {
        std::lock_guard lock(mutex);
        reports.push_back(failure);
    });

    writer.write(toBytes("edits"));  // its folder does not exist yet
    writer.flush();
    std::filesystem::create_directory(folder);
    writer.write(toBytes("edits"));
    writer.flush();
    writer.remove();
    writer.flush();

    std::lock_guard lock(mutex);
    ASSERT_EQ(reports.size(), 3u);
    ASSERT_TRUE(reports[0]);
    EXPECT_NE(reports[0]->find("journal"), std::string::npos) << *reports[0];
    EXPECT_FALSE(reports[1]);
    EXPECT_FALSE(reports[2]);
    EXPECT_TRUE(std::filesystem::is_empty(folder));  // no temporary file, the journal removed
}

}  // namespace
}  // namespace tarn
