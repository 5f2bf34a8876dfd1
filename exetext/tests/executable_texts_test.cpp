// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/executable_texts.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"

namespace tarn {
namespace {

TEST(readExecutableTexts, ReadsTheBuildTextsAndIdsOrNamesTheFileInItsError) {
    TempDir dir;
    const fs::path good = dir.path() / "t.exe";
    writeFileAtomically(good, makeSampleExecutable(4, sampleTexts(), 7, 9));
    ExecutableTexts read;
    readExecutableTexts(good, read);
    EXPECT_EQ(read.profile, 4);
    EXPECT_EQ(read.texts, sampleTexts());
    EXPECT_TRUE(read.notFound.empty());
    EXPECT_EQ(read.languageIds, (LanguageIds{7, 9}));
    EXPECT_EQ(executableProfile(good), 4);

    const fs::path small = dir.path() / "small.exe";
    writeFileAtomically(small, Bytes{'M', 'Z'});
    try {
        readExecutableTexts(small, read);
        FAIL();
    } catch (const UnknownExecutableError& e) {
        EXPECT_EQ(e.size(), 2u);
        EXPECT_EQ(std::string(e.what()),
                  small.string() + ": unknown file size 2, not a known Tarn executable");
    }
    EXPECT_EQ(read.profile, -1);
    EXPECT_THROW(executableProfile(small), UnknownExecutableError);

    const fs::path missing = dir.path() / "missing.exe";
    for (auto reads : {+[](const fs::path& p) {
                           ExecutableTexts r;
                           readExecutableTexts(p, r);
                       },
                       +[](const fs::path& p) { executableProfile(p); }}) {
        try {
            reads(missing);
            FAIL();
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(missing.string()), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace tarn
