// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool obj info|recode|set on generated object files.
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "objfiles/object_folder.h"
#include "objfiles/sample_objects.h"
#include "tests/run_child.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};

TEST(ObjCommands, InfoPrintsTheHeaderChecksumsAndTextsAsJson) {
    TempDir dir;
    Bytes file = makeSampleObjectFile(3, 0, {{{0, "Hi"}, {7, ""}}}, kName, 0x120, 0);
    writeU32LE(file.data() + 12, 0x0000ABCD);  // a wrong stored checksum is shown as it is
    writeFileAtomically(dir.path() / "x.dat", file);
    const ChildResult r = runIn(dir.path(), tarntool("obj info x.dat"), "", dir.path());
    EXPECT_EQ(r.code, 0);
    ObjFile object = loadObjectFile(dir.path() / "x.dat");
    EXPECT_EQ(r.out.substr(0, r.out.find("\"checksum\"")),
              "{\"flags\": 291, \"type\": 3, \"name\": \"4142434445464748\", \"encoding\": 0, "
              "\"length\": " +
                  std::to_string(file.size() - 21) + ", \"stored_checksum\": \"0000abcd\", ");
    EXPECT_NE(
        r.out.find("\"groups\": [[{\"id\": 0, \"hex\": \"4869\"}, {\"id\": 7, \"hex\": \"\"}]]}\n"),
        std::string::npos);
    EXPECT_EQ(runIn(dir.path(), tarntool("obj info missing.dat"), "", dir.path()).code, 2);
    EXPECT_EQ(runIn(dir.path(), tarntool("obj info"), "", dir.path()).code, 2);
}

TEST(ObjCommands, SetAppendsOrReplacesAndRecodeRewritesAsASaveDoes) {
    TempDir dir;
    const fs::path path = dir.path() / "y.dat";
    writeFileAtomically(path, makeSampleObjectFile(0, 1, {{{0, "a"}}, {{1, "b"}}, {}}, kName, 5));
    EXPECT_EQ(
        runIn(dir.path(), tarntool("obj set y.dat --group 1 --id 1 --hex 4243"), "", dir.path())
            .code,
        0);
    EXPECT_EQ(runIn(dir.path(), tarntool("obj set y.dat --group 2 --id 9 --hex 5a --normal-rle"),
                    "", dir.path())
                  .code,
              0);
    EXPECT_EQ(loadObjectFile(path).texts, (ObjFileTexts{{{0, "a"}}, {{1, "BC"}}, {{9, "Z"}}}));
    EXPECT_EQ(
        runIn(dir.path(), tarntool("obj set y.dat --group 3 --id 1 --hex 41"), "", dir.path()).code,
        2);  // the file has no group 3: bad use
    EXPECT_EQ(
        runIn(dir.path(), tarntool("obj set y.dat --group 0 --id 1 --hex 4100"), "", dir.path())
            .code,
        2);
    EXPECT_EQ(
        runIn(dir.path(), tarntool("obj set y.dat --group 0 --id 255 --hex 41"), "", dir.path())
            .code,
        2);
    EXPECT_EQ(
        runIn(dir.path(), tarntool("obj set y.dat --group 0 --id 1 --hex 4"), "", dir.path()).code,
        2);

    EXPECT_EQ(
        runIn(dir.path(), tarntool("obj recode y.dat -o z.dat --normal-rle"), "", dir.path()).code,
        0);
    ObjFile object = loadObjectFile(path);
    EXPECT_EQ(readWholeFile(dir.path() / "z.dat"),
              rewriteObjectFile(readWholeFile(path), object, false));
}

TEST(ObjCommands, ReadOnlyFilesAreRefusedAndLeftAsTheyAre) {
    TempDir dir;
    const fs::path path = dir.path() / "y.dat";
    writeFileAtomically(path, makeSampleObjectFile(0, 1, {{{0, "a"}}}, kName, 5));
    writeFileAtomically(dir.path() / "z.dat", Bytes{'o', 'l', 'd'});
    const Bytes before = readWholeFile(path);
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read;
    fs::permissions(path, readOnly);
    fs::permissions(dir.path() / "z.dat", readOnly);
    const ChildResult set =
        runIn(dir.path(), tarntool("obj set y.dat --group 0 --id 1 --hex 41"), "", dir.path());
    EXPECT_EQ(set.code, 1);
    EXPECT_NE(set.out.find("The file is read-only"), std::string::npos) << set.out;
    EXPECT_EQ(
        runIn(dir.path(), tarntool("obj recode y.dat -o z.dat"), "", dir.path()).code, 1);
    EXPECT_EQ(readWholeFile(path), before);
    EXPECT_EQ(readWholeFile(dir.path() / "z.dat"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(fs::status(path).permissions(), readOnly);
}

}  // namespace
}  // namespace tarn
