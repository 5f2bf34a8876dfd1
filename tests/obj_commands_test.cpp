// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool obj info|recode|set on generated object files.
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exchange/po_file.h"
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
    ObjectFile object = loadObjectFile(dir.path() / "x.dat");
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
    EXPECT_EQ(loadObjectFile(path).texts, (ObjectFileTexts{{{0, "a"}}, {{1, "BC"}}, {{9, "Z"}}}));
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
    ObjectFile object = loadObjectFile(path);
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

// A file storing a wrong checksum is read like any other and named as damaged; the commands
// that save it refuse (status 1) unless --repair-checksum, which stores the right one.
TEST(ObjCommands, AWrongChecksumIsNamedAndWrittenOnlyWithRepairChecksum) {
    TempDir dir;
    const fs::path objData = dir.path() / "ObjData";
    fs::create_directory(objData);
    Bytes damaged = makeSampleObjectFile(3, 0, {{{0, "Hi"}}}, kName, 0x120, 0);
    writeU32LE(damaged.data() + 12, 0x0000ABCD);
    writeFileAtomically(objData / "y.dat", makeSampleObjectFile(3, 0, {{{0, "Yo"}}}, kName, 0, 0));
    writePoFile(dir.path() / "de.po", {{"Content-Type", "text/plain; charset=UTF-8"}},
                {{"obj/x.dat/1", true, "Hi", "Hallo", {}, false},
                 {"obj/y.dat/1", true, "Yo", "Jo", {}, false}});
    const std::string wrong =
        "ObjData/x.dat: the stored checksum 0000abcd does not match the data (";
    const struct {
        const char* command;
        int status;
        std::string output;  // found in what the command printed
        bool written;
    } cases[] = {
        {"obj info ObjData/x.dat", 0, "\"checksum_ok\": false", false},
        {"obj info ObjData/y.dat", 0, "\"checksum_ok\": true", false},
        {"obj check . --source-id 0 --target-id 7", 0,
         "x.dat warning checksum: the stored checksum 0000abcd does not match the data (", false},
        {"obj set ObjData/x.dat --group 0 --id 7 --hex 41", 1, "tarntool: " + wrong, false},
        {"obj set ObjData/x.dat --group 0 --id 7 --hex 41", 1,
         "); --repair-checksum writes it with the right checksum\n", false},
        {"obj set ObjData/x.dat --group 0 --id 7 --hex 41 --repair-checksum", 0, "", true},
        {"obj import-po . de.po --target-id 7", 1, wrong.substr(8), false},
        {"obj import-po . de.po --target-id 7", 1,
         ")\ntarntool: --repair-checksum writes such files with the right checksum\n", false},
        {"obj import-po . de.po --target-id 7 --repair-checksum", 0, "applied 2", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        writeFileAtomically(objData / "x.dat", damaged);
        const Bytes y = readWholeFile(objData / "y.dat");
        const ChildResult r = runIn(dir.path(), tarntool(c.command), "", dir.path());
        EXPECT_EQ(r.code, c.status) << r.out;
        EXPECT_NE(r.out.find(c.output), std::string::npos) << r.out;
        const ObjectFile x = loadObjectFile(objData / "x.dat");
        EXPECT_EQ(x.wrongChecksum.has_value(), !c.written);
        if (!c.written) {
            EXPECT_EQ(readWholeFile(objData / "x.dat"), damaged);
            EXPECT_EQ(readWholeFile(objData / "y.dat"), y);  // nothing is written
        }
    }
}

}  // namespace
}  // namespace tarn
