// SPDX-License-Identifier: GPL-3.0-or-later
// Two tarntool writers on one file at the same moment: each holds the file's lock from before
// it reads until it has written, the second waiting for the first, so that neither run's work
// is lost.
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "objfiles/object_folder.h"
#include "objfiles/sample_objects.h"
#include "tests/run_child.h"

namespace tarn {
namespace {

TEST(ConcurrentWriters, TwoObjSetRunsAtOnceKeepBothTexts) {
    TempDir dir;
    const fs::path objData = dir.path() / "ObjData";
    fs::create_directory(objData);
    const std::array<std::uint8_t, 8> name{'T', 'R', 'O', 'L', 'L', 0, 0, 0};
    const std::string both = "{ " + tarntool("obj set ObjData/y.dat --group 0 --id 7 --hex 41") +
                             " & first=$!; " +
                             tarntool("obj set ObjData/y.dat --group 1 --id 7 --hex 42") +
                             "; second=$?; wait $first; echo $? $second; }";
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        writeFileAtomically(objData / "y.dat",
                            makeSampleObjectFile(0, 1, {{{0, "a"}}, {{0, "b"}}}, name, 5));
        const ChildResult r = runIn(dir.path(), both, "", dir.path());
        ASSERT_EQ(r.code, 0);
        EXPECT_EQ(r.out.substr(r.out.size() - 4), "0 0\n") << r.out;
        EXPECT_EQ(loadObjectFile(objData / "y.dat").texts,
                  (ObjFileTexts{{{0, "a"}, {7, "A"}}, {{0, "b"}, {7, "B"}}, {}}));
        EXPECT_FALSE(fs::exists(objData.parent_path() / ".ObjData.tarnlock"));
    }
}

}  // namespace
}  // namespace tarn
