// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool patch build writing the end-user program when the disk refuses: each failing step
// leaves the old program whole, ends with status 1 and says on standard error what failed.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "enduser/resource_bundle.h"
#include "objfiles/sample_objects.h"
#include "tarntool/commands.h"

namespace tarn {
namespace {

// Runs tarntool with the given arguments in this process, capturing standard error.
int patchCommand(const std::vector<std::string>& args, std::string& errors) {
    std::ostringstream captured;
    std::streambuf* old = std::cerr.rdbuf(captured.rdbuf());
    const int status = tool::runTarntool(args);
    std::cerr.rdbuf(old);
    errors = captured.str();
    return status;
}

TEST(PatchBuildFaults, EveryFailingStepKeepsTheOldProgramAndSaysWhy) {
    TempDir dir;
    const fs::path objData = dir.path() / "ObjData";
    fs::create_directory(objData);
    writeFileAtomically(objData / "SWORD.DAT",
                        makeSampleObjectFile(1, 1, {{{0, "Sword"}, {9, "Miecz"}}},
                                             {'S', 'W', 'O', 'R', 'D', '0', '0', '1'}, 5));
    const fs::path out = dir.path() / "patch.exe";
    const std::vector<std::string> args = {"patch", "build", "--game", dir.path().string(), "-o", out.string()};
    std::string errors;
    ASSERT_EQ(patchCommand(args, errors), 0) << errors;
    const Bytes built = readWholeFile(out);
    ASSERT_FALSE(ResourceBundle::parse(built).resources().empty());
    // The old program differs from what the next build writes.
    const Bytes old(built.begin(), built.begin() + static_cast<std::ptrdiff_t>(built.size() / 2));
    writeFileAtomically(out, old);

    const struct {
        WriteFault fault;
        const char* message;
    } cases[] = {
        {{WriteFault::Step::CreateTemporary, 0}, "tarntool: Cannot create file \""},
        {{WriteFault::Step::WriteData, 4096}, "tarntool: Cannot write file \""},
        {{WriteFault::Step::Rename, 0}, "tarntool: Cannot replace file \""},
    };
    for (const auto& c : cases) {
        setWriteFaultForTesting(c.fault);
        const int status = patchCommand(args, errors);
        setWriteFaultForTesting({});
        EXPECT_EQ(status, 1);
        EXPECT_EQ(errors.rfind(c.message + out.string() + "\"", 0), 0u) << errors;
        EXPECT_EQ(readWholeFile(out), old);
        EXPECT_EQ(dir.fileCount(), 2u);  // ObjData and the old program, no temporary file
    }
    ASSERT_EQ(patchCommand(args, errors), 0);
    EXPECT_EQ(readWholeFile(out), built);
}

}  // namespace
}  // namespace tarn
