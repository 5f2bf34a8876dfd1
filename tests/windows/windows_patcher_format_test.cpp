// SPDX-License-Identifier: GPL-3.0-or-later
// The cross-built Windows end-user programs: what their headers say they run on, that they
// need none of the compiler's run-time libraries, and that tarntool builds players' programs
// from the 32-bit one unless told otherwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "enduser/resource_bundle.h"
#include "tests/run_child.h"
#include "tests/windows/pe_header.h"

namespace tarn {
namespace {

void expectStaticConsoleProgram(const Bytes& exe, std::uint16_t machine, std::uint16_t magic) {
    const auto pe = readPeHeader(exe);
    ASSERT_TRUE(pe);
    EXPECT_EQ(pe->machine, machine);
    EXPECT_EQ(pe->magic, magic);
    EXPECT_EQ(pe->subsystem, 3);  // console
    // Only DLLs every Windows has: none of the compiler's run-time libraries.
    for (const std::string& dll : pe->imports) {
        std::string upper;
        for (const char c : dll) {
            upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }
        EXPECT_TRUE(upper == "KERNEL32.DLL" || upper == "MSVCRT.DLL" || upper == "USER32.DLL")
            << "needs " << dll;
    }
    EXPECT_FALSE(pe->imports.empty());
}

TEST(WindowsPatcher, ThirtyTwoAndSixtyFourBitStaticConsolePrograms) {
    const Bytes win32 = readWholeFile(TARNPATCH_WIN32_PATH);
    const Bytes win64 = readWholeFile(TARNPATCH_WIN64_PATH);
    expectStaticConsoleProgram(win32, 0x14C, 0x10B);
    expectStaticConsoleProgram(win64, 0x8664, 0x20B);
    // As built, neither carries any data: the builder attaches it.
    EXPECT_TRUE(ResourceBundle::parse(win32).resources().empty());
}

TEST(WindowsPatcher, PatchBuildTakesThe32BitProgramByDefault) {
    TempDir dir;
    const auto run = [&](const std::string& args) {
        return runIn(dir.path(), std::string("'") + TARNTOOL_PATH + "' " + args, "", dir.path())
            .code;
    };
    ASSERT_EQ(run("sample-game game"), 0);
    ASSERT_EQ(run("patch build --game game -o default.exe"), 0);
    ASSERT_EQ(run("patch build --game game -o windows.exe --target windows"), 0);
    ASSERT_EQ(run("patch build --game game -o windows64.exe --target windows64"), 0);
    EXPECT_EQ(run("patch build --game game -o x.exe --target dos"), 2);

    const Bytes win32 = readWholeFile(TARNPATCH_WIN32_PATH);
    const Bytes built = readWholeFile(dir.path() / "default.exe");
    EXPECT_EQ(built, readWholeFile(dir.path() / "windows.exe"));
    ASSERT_GT(built.size(), win32.size());
    EXPECT_TRUE(std::equal(win32.begin(), win32.end(), built.begin()));
    // The two string blocks of the messages, the texts and their objects' identities.
    EXPECT_EQ(ResourceBundle::parse(built).resources().size(), 4u);
    EXPECT_EQ(readPeHeader(readWholeFile(dir.path() / "windows64.exe"))->machine, 0x8664);
}

}  // namespace
}  // namespace tarn
