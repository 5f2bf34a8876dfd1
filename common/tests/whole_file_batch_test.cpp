// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/whole_file_batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

std::string errorOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    }
}

// Every kind of entry a folder of game files may hold, read by both ways of reading, must give
// what reading each file alone gives: the same bytes, the same identity, the same error.
TEST(WholeFileBatch, ReadsEveryFileAsReadingItAloneDoes) {
    TempDir dir;
    const auto file = [&](const std::string& name, std::size_t size) {
        Bytes bytes(size);
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 7 + name.size());
        }
        writeFileAtomically(dir.path() / name, bytes);
        return dir.path() / name;
    };
    std::vector<fs::path> paths = {file("big.dat", 3 << 20), file("empty.dat", 0),
                                   dir.path() / "missing.dat", file("small.dat", 17), dir.path()};
#ifndef _WIN32
    fs::create_symlink("small.dat", dir.path() / "link.dat");
    paths.push_back(dir.path() / "link.dat");
#endif
    // A later batch of fewer, smaller files in the same reader: only its own bytes count.
    const std::vector<fs::path> later = {file("tiny.dat", 3), dir.path() / "missing.dat"};

    for (const auto mode : {WholeFileBatch::Mode::Fastest, WholeFileBatch::Mode::OneByOne}) {
        WholeFileBatch batch(mode);
        for (const auto* round :
             std::initializer_list<const std::vector<fs::path>*>{&paths, &later}) {
            batch.read(*round);
            for (std::size_t i = 0; i < round->size(); ++i) {
                SCOPED_TRACE((*round)[i].string() + (batch.usesRing() ? " (ring)" : ""));
                WholeFileBatch::File& got = batch.file(i);
                Bytes alone;
                FileIdentity identity;
                try {
                    alone.resize(readWholeFile((*round)[i], alone, identity));
                } catch (const FileError& e) {
                    ASSERT_TRUE(got.error);
                    EXPECT_EQ(errorOf(got.error), e.what());
                    continue;
                }
                ASSERT_FALSE(got.error) << errorOf(got.error);
                EXPECT_EQ(Bytes(got.bytes().begin(), got.bytes().end()), alone);
                EXPECT_TRUE(got.identity.sameMetadata(identity));
                EXPECT_EQ(got.identity.hash, identity.hash);
            }
        }
    }
}

}  // namespace
}  // namespace tarn
