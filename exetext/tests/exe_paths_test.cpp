// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/exe_paths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/exe_profile.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;
using F = ExePathCheck::Failure;

// A file of the given size, holding zeros (sparse, so large sizes cost nothing).
fs::path sizedFile(const TempDir& dir, const char* name, std::int64_t size) {
    const fs::path path = dir.path() / name;
    std::ofstream(path).put('M');
    fs::resize_file(path, static_cast<std::uintmax_t>(size));
    return path;
}

void expectFailure(const ExePathCheck& check, F failure, const char* caption, const char* text) {
    EXPECT_EQ(check.failure, failure);
    EXPECT_FALSE(check.ok());
    EXPECT_EQ(check.caption, caption);
    EXPECT_EQ(check.text, text);
}

const std::int64_t kSizeA = 6802895;
const std::int64_t kSizeC = 6868431;

TEST(checkExePaths, AcceptsKnownBuildsEvenOfDifferentLayouts) {
    TempDir dir;
    const auto orig = sizedFile(dir, "orig.exe", kSizeA);
    const auto trans = sizedFile(dir, "trans.exe", kSizeC);
    EXPECT_TRUE(checkExePaths(orig, trans).ok());
}

TEST(checkExePaths, MissingOriginal) {
    TempDir dir;
    const auto trans = sizedFile(dir, "trans.exe", kSizeA);
    expectFailure(checkExePaths(dir.path() / "orig.exe", trans), F::OriginalMissing, "Invalid path",
                  "The file you specified for the original executable doesn't exist.\n\r"
                  "Please enter a valid filename.");
    // A folder is no file either.
    EXPECT_EQ(checkExePaths(dir.path(), trans).failure, F::OriginalMissing);
}

TEST(checkExePaths, SizesOneByteOffAreUnknown) {
    TempDir dir;
    const auto good = sizedFile(dir, "good.exe", kSizeA);
    const auto longer = sizedFile(dir, "longer.exe", kSizeA + 1);
    const auto shorter = sizedFile(dir, "shorter.exe", 17006592 - 1);
    expectFailure(checkExePaths(longer, good), F::OriginalUnknownSize, "Unknown filesize",
                  "The file you specified for the original executable has an unknown size.\n\r"
                  "If you are sure that it's a Tarn executable, please send it to the author.");
    expectFailure(checkExePaths(good, shorter), F::TranslatedUnknownSize, "Unknown filesize",
                  "The file you specified for the translated executable has an unknown size.\n\r"
                  "If you are sure that it's a Tarn executable, please send it to the author.");
}

TEST(checkExePaths, MissingTranslatedFileIsCopiedFromTheOriginal) {
    TempDir dir;
    const auto orig = sizedFile(dir, "orig.exe", kSizeA);
    const auto trans = dir.path() / "trans.exe";
    EXPECT_TRUE(checkExePaths(orig, trans).ok());
    EXPECT_EQ(readWholeFile(trans), readWholeFile(orig));
}

TEST(checkExePaths, CopyFailure) {
    TempDir dir;
    const auto orig = sizedFile(dir, "orig.exe", kSizeA);
    expectFailure(checkExePaths(orig, dir.path() / "no-such-folder" / "trans.exe"), F::CopyFailed,
                  "Error copying file",
                  "The file you specified for the translated executable doesn't exist\n\r"
                  "and an error occured while copying the original file.\n\r"
                  "Please enter another path or try to copy the file yourself.");
}

TEST(checkExePaths, ReadOnlyTranslatedFileIsRefusedWhateverItsSize) {
    TempDir dir;
    const auto orig = sizedFile(dir, "orig.exe", kSizeA);
    const auto trans = sizedFile(dir, "trans.exe", kSizeA);
    fs::permissions(trans, fs::perms::owner_read | fs::perms::group_read);
    expectFailure(checkExePaths(orig, trans), F::TranslatedReadOnly, "Read-only translated file",
                  "The file you specified for the translated executable is read-only.\n\r"
                  "Please remove the read-only flag from it or enter another filename.");
}

TEST(checkExePaths, CopyStaysWhenALaterCheckFails) {
    TempDir dir;
    const auto orig = sizedFile(dir, "orig.exe", kSizeA);
    fs::permissions(orig, fs::perms::owner_read);
    const auto trans = dir.path() / "trans.exe";
    // The copy keeps the original's read-only permissions, so the read-only test refuses it.
    EXPECT_EQ(checkExePaths(orig, trans).failure, F::TranslatedReadOnly);
    EXPECT_TRUE(fileExists(trans));
}

}  // namespace
}  // namespace tarn
