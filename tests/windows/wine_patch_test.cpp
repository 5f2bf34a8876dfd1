// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows end-user program under Wine (the 32-bit one, the default, where a 32-bit Wine is
// installed, else the 64-bit one), beside the native one: the same game, the
// same answers, the same rewritten object files and the same console dialogue, but for what
// differs between the systems (CR LF line ends, "\" in paths and the system's own error texts).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <regex>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "tests/run_child.h"
#include "tests/windows/wine_prefix.h"

namespace tarn {
namespace {

const auto* const kWine =
    ::testing::AddGlobalTestEnvironment(new WinePrefix(WINESERVER_PATH));

// The Windows dialogue in the native form: LF line ends, "/" in paths.
std::string nativeForm(const std::string& windows) {
    std::string out;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (windows[i] == '\r' && i + 1 < windows.size() && windows[i + 1] == '\n') {
            continue;
        }
        out.push_back(windows[i] == '\\' ? '/' : windows[i]);
    }
    return out;
}

// The system's own reason after an error's file or folder name differs between the systems.
std::string withoutSystemReasons(const std::string& dialogue) {
    static const std::regex reason(
        R"((Cannot (open|read|create|write|replace) (file|folder) "[^"\n]*"\.) [^\n]*)");
    return std::regex_replace(dialogue, reason, "$1 <reason>");
}

// How a program is started besides its answers: " --restore", "TARNPATCH_TEST_FAULT=disk-full".
struct Command {
    std::string arguments;
    std::string environment;
};

bool everyLineEndIsCrLf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}

class WinePatch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(tool("sample-game translator").code, 0);
        for (const char* player : {"native", "windows"}) {
            ASSERT_EQ(tool(std::string("sample-game ") + player).code, 0);
        }
        const fs::path objData = scratch.path() / "translator" / "ObjData";
        ASSERT_EQ(tool("obj set " + (objData / "ITEM_SWORD.DAT").string() +
                       " --group 0 --id 9 --hex 4d69656378")
                      .code,
                  0);
        ASSERT_EQ(
            tool("obj set " + (objData / "Door.dat").string() + " --group 0 --id 1 --hex 546f72")
                .code,
            0);
    }

    ChildResult tool(const std::string& args) {
        return runIn(scratch.path(), tarntool(args), "", scratch.path());
    }

    // Builds native.bin and windows.exe from the translator's game with the same options.
    void buildBoth(const std::string& options = {}) {
        ASSERT_EQ(
            tool("patch build --game translator --target native -o native.bin " + options).code, 0);
        ASSERT_EQ(
            tool(std::string("patch build --game translator --target ") + WINDOWS_TARGET +
                 " -o windows.exe " + options)
                .code,
            0);
    }

    // command: the program's arguments and an environment assignment before it.
    ChildResult runNative(const fs::path& folder, const std::string& program,
                          const std::string& answers, const Command& command = {}) {
        return runIn(folder, command.environment + " " + shellQuoted(program) + command.arguments,
                     answers, scratch.path());
    }

    ChildResult runWindows(const fs::path& folder, const std::string& program,
                           const std::string& answers, const Command& command = {}) {
        return runIn(folder,
                     command.environment + " " + shellQuoted(WINE_PATH) + " " + shellQuoted(program) +
                         command.arguments,
                     answers, scratch.path(), scratch.path() / "wine-errors.txt");
    }

    // Runs the built programs on the two players' games with the same answers and expects the
    // same outcome.
    // windowsCommand, when given, starts the Windows program instead of command.
    void expectSameRun(const std::string& answers, int code, const Command& command = {},
                       const std::optional<Command>& windowsCommand = {}) {
        const ChildResult native = runNative(
            scratch.path() / "native", (scratch.path() / "native.bin").string(), answers, command);
        const ChildResult windows =
            runWindows(scratch.path() / "windows", (scratch.path() / "windows.exe").string(),
                       answers, windowsCommand.value_or(command));
        EXPECT_EQ(native.code, code) << native.out;
        EXPECT_EQ(windows.code, code) << windows.out;
        EXPECT_TRUE(everyLineEndIsCrLf(windows.out)) << windows.out;
        EXPECT_EQ(withoutSystemReasons(nativeForm(windows.out)), withoutSystemReasons(native.out));
        lastWindowsOut = windows.out;
        expectSameObjectFiles();
    }

    void expectSameObjectFiles() {
        const fs::path a = scratch.path() / "native" / "ObjData";
        const fs::path b = scratch.path() / "windows" / "ObjData";
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(a)) {
            const fs::path other = b / entry.path().filename();
            ASSERT_TRUE(fileExists(other)) << other;
            EXPECT_EQ(readWholeFile(entry.path()), readWholeFile(other)) << other;
            ++count;
        }
        EXPECT_EQ(count, static_cast<std::size_t>(
                             std::distance(fs::directory_iterator(b), fs::directory_iterator())));
    }

    Bytes sampleFile(const std::string& name) {
        const fs::path fresh = scratch.path() / "fresh";
        if (!fs::exists(fresh)) {
            EXPECT_EQ(tool("sample-game fresh").code, 0);
        }
        return readWholeFile(fresh / "ObjData" / name);
    }

    // The files of a player's backup folder and their bytes.
    std::map<std::string, Bytes> kept(const char* player) {
        std::map<std::string, Bytes> files;
        const fs::path folder = scratch.path() / player / "TarnPatch-backup";
        for (const auto& entry : fs::directory_iterator(folder)) {
            files[entry.path().filename().string()] = readWholeFile(entry.path());
        }
        return files;
    }

    // The object files of a player that differ from the fresh sample game's.
    std::map<std::string, Bytes> changedFilesAsTheyWere(const char* player) {
        std::map<std::string, Bytes> files;
        for (const auto& entry : fs::directory_iterator(scratch.path() / player / "ObjData")) {
            const std::string name = entry.path().filename().string();
            if (readWholeFile(entry.path()) != sampleFile(name)) {
                files[name] = sampleFile(name);
            }
        }
        return files;
    }

    void expectUnchanged(const char* player) {
        EXPECT_TRUE(changedFilesAsTheyWere(player).empty()) << player;
    }

    TempDir scratch;
    std::string lastWindowsOut;
};

TEST_F(WinePatch, SameFilesAndDialogueAsTheNativeProgram) {
    buildBoth();
    expectSameRun("y\n\n", 0);
    EXPECT_NE(readWholeFile(scratch.path() / "windows" / "ObjData" / "Door.dat"),
              sampleFile("Door.dat"));
    // The progress line still ends in a bare carriage return.
    EXPECT_NE(lastWindowsOut.find(std::string(79, ' ') + "\rProcessing "), std::string::npos);
    EXPECT_NE(lastWindowsOut.find("All OK\r\nThe original files are kept in the "
                                  "\"TarnPatch-backup\" directory."),
              std::string::npos);

    // Answers typed on Windows end in CR LF; one language, normal run-length encoding.
    buildBoth("--id 9 --normal-rle");
    expectSameRun("Y\r\n\r\n", 0);
}

TEST_F(WinePatch, OpenErrorAnsweredNoThenYes) {
    buildBoth();
    for (const char* player : {"native", "windows"}) {
        fs::remove(scratch.path() / player / "ObjData" / "Creature.dat");
    }
    expectSameRun("y\nn\n\n", 1);
    EXPECT_NE(lastWindowsOut.find("while trying to open ObjData\\Creature.dat:\r\n"
                                  "Cannot open file \".\\ObjData\\Creature.dat\". "),
              std::string::npos)
        << lastWindowsOut;
    EXPECT_EQ(readWholeFile(scratch.path() / "windows" / "ObjData" / "Door.dat"),
              sampleFile("Door.dat"));
    expectSameRun("y\ny\n\n", 1);
    EXPECT_NE(readWholeFile(scratch.path() / "windows" / "ObjData" / "Door.dat"),
              sampleFile("Door.dat"));
}

TEST_F(WinePatch, StartUpFailuresAsNatively) {
    // Without attached data.
    const fs::path game = scratch.path() / "windows";
    ChildResult native = runNative(scratch.path() / "native", TARNPATCH_PATH, "\n");
    ChildResult windows = runWindows(game, TARNPATCH_WINDOWS_PATH, "\n");
    EXPECT_EQ(native.code, 1);
    EXPECT_EQ(windows.code, 1);
    EXPECT_NE(native.out.find("ERROR: No language resources were found"), std::string::npos);
    EXPECT_EQ(nativeForm(windows.out), native.out);

    // From a folder without "ObjData".
    buildBoth();
    const fs::path empty = scratch.path() / "empty";
    fs::create_directory(empty);
    native = runNative(empty, (scratch.path() / "native.bin").string(), "\n");
    windows = runWindows(empty, (scratch.path() / "windows.exe").string(), "\n");
    EXPECT_EQ(windows.code, 1);
    EXPECT_NE(native.out.find("The \"ObjData\" directory isn't found"), std::string::npos);
    EXPECT_EQ(nativeForm(windows.out), native.out);

    // Answered no: nothing changes.
    expectSameRun("n\n", 1);
    EXPECT_EQ(readWholeFile(game / "ObjData" / "Door.dat"), sampleFile("Door.dat"));
}

TEST_F(WinePatch, MessagesInUtf8ThroughAPipe) {
    std::string messages;
    for (int k = 0; k < 11; ++k) {
        messages += k == 2 ? "Weiter? [J/N]\n" : k == 8 ? "Fertig \xC3\xBC\n" : "Nachricht\n";
    }
    std::ofstream(scratch.path() / "de.txt", std::ios::binary) << messages;
    buildBoth("--messages de.txt --yes-chars j --allow-answer-letters");
    const ChildResult windows =
        runWindows(scratch.path() / "windows", (scratch.path() / "windows.exe").string(), "j\n\n");
    EXPECT_EQ(windows.code, 0);
    // To a pipe, UTF-8 whatever the console's code page.
    EXPECT_NE(windows.out.find("Weiter? [J/N]Nachricht\r\n\r\n"), std::string::npos);
    EXPECT_NE(windows.out.find("Fertig \xC3\xBC\r\n"), std::string::npos) << windows.out;
}

TEST_F(WinePatch, KeepsTheOriginalsAndRestoresThemWithEitherSwitch) {
    buildBoth();
    expectSameRun("y\n\n", 0);
    const auto changed = changedFilesAsTheyWere("windows");
    EXPECT_FALSE(changed.empty());
    EXPECT_EQ(kept("windows"), changed);
    EXPECT_EQ(kept("native"), kept("windows"));

    // A second patch leaves the kept originals as they were.
    buildBoth("--id 9 --normal-rle");
    expectSameRun("y\n\n", 0);
    EXPECT_EQ(kept("windows"), changed);

    // No changes nothing; yes puts every original back and removes the folder.
    const Bytes patched = readWholeFile(scratch.path() / "windows" / "ObjData" / "Door.dat");
    expectSameRun("n\n", 1, {" --restore", ""}, Command{" /restore", ""});
    EXPECT_EQ(readWholeFile(scratch.path() / "windows" / "ObjData" / "Door.dat"), patched);
    EXPECT_EQ(kept("windows"), changed);
    expectSameRun("y\n\n", 0, {" --restore", ""}, Command{" /RESTORE", ""});
    EXPECT_NE(lastWindowsOut.find(std::to_string(changed.size()) + " file(s) restored\r\n"),
              std::string::npos)
        << lastWindowsOut;
    for (const char* player : {"native", "windows"}) {
        expectUnchanged(player);
        EXPECT_FALSE(fs::exists(scratch.path() / player / "TarnPatch-backup")) << player;
    }
    // Nothing more to restore; the Windows program takes the long switch too.
    expectSameRun("\n", 1, {" --restore", ""});
    EXPECT_NE(lastWindowsOut.find("No backup found"), std::string::npos);
}

// Seventeen translated messages with the yes characters tT: the translated header, declining
// with message 16 and ENTER, t and T at every question, and a file changed after the patch
// that restore leaves unless the player answers yes to restoring it anyway.
TEST_F(WinePatch, TranslatedHeaderEndingAnswersAndAChangedFileAsNatively) {
    std::string messages;
    for (int k = 0; k < 17; ++k) {
        messages += k == 2    ? "Kontynuowac? [T/N]\n"
                    : k == 11 ? "Przywrocic oryginaly? [T/N]\n"
                    : k == 15 ? "Nic nie zmieniono.\n"
                    : k == 16 ? "Zmieniacz tekstow Tarn\n"
                              : "Komunikat " + std::to_string(k) + "\n";
    }
    std::ofstream(scratch.path() / "pl.txt", std::ios::binary) << messages;
    buildBoth("--messages pl.txt --yes-chars tT --allow-answer-letters");

    expectSameRun("y\n", 1);
    EXPECT_EQ(lastWindowsOut.rfind("Zmieniacz tekstow Tarn\r\n----------------------\r\n\r\n", 0),
              0u)
        << lastWindowsOut;
    EXPECT_NE(lastWindowsOut.find("[T/N]Nic nie zmieniono.\r\n\r\nKomunikat 10\r\n"),
              std::string::npos);
    expectUnchanged("windows");
    expectSameRun("T\n\n", 0);
    const auto changed = changedFilesAsTheyWere("windows");
    ASSERT_FALSE(changed.empty());

    for (const char* player : {"native", "windows"}) {
        writeFileAtomically(scratch.path() / player / "ObjData" / "Door.dat", Bytes{'u', 'p'});
    }
    expectSameRun("t\nn\n\n", 1, {" --restore", ""});
    EXPECT_NE(lastWindowsOut.find("ObjData\\Door.dat has changed since this program wrote it"),
              std::string::npos)
        << lastWindowsOut;
    EXPECT_NE(lastWindowsOut.find("Restore anyway? [T/N]"), std::string::npos);
    EXPECT_EQ(readWholeFile(scratch.path() / "windows" / "ObjData" / "Door.dat"),
              (Bytes{'u', 'p'}));
    EXPECT_EQ(kept("windows").count("Door.dat"), 1u);
    expectSameRun("t\nT\n\n", 0, {" --restore", ""});
    for (const char* player : {"native", "windows"}) {
        expectUnchanged(player);
        EXPECT_FALSE(fs::exists(scratch.path() / player / "TarnPatch-backup")) << player;
        EXPECT_FALSE(fs::exists(scratch.path() / player / "TarnPatch-backup.sums")) << player;
    }
}

TEST_F(WinePatch, FilesThatCannotBeKeptOrDoNotReadBackStayAsTheyWere) {
    buildBoth();
    std::string yes;
    for (int i = 0; i < 12; ++i) {
        yes += "y\n";
    }
    // A full disk while keeping the originals.
    expectSameRun(yes, 1, {"", "TARNPATCH_TEST_FAULT=disk-full"});
    EXPECT_NE(lastWindowsOut.find("while trying to save ObjData\\"), std::string::npos)
        << lastWindowsOut;
    for (const char* player : {"native", "windows"}) {
        expectUnchanged(player);
        EXPECT_FALSE(fs::exists(scratch.path() / player / "TarnPatch-backup")) << player;
    }
    // A file where the backup folder belongs.
    for (const char* player : {"native", "windows"}) {
        writeFileAtomically(scratch.path() / player / "TarnPatch-backup", Bytes{'x'});
    }
    expectSameRun(yes, 1);
    expectUnchanged("native");
    expectUnchanged("windows");
    for (const char* player : {"native", "windows"}) {
        fs::remove(scratch.path() / player / "TarnPatch-backup");
    }
    // Every written file damaged before it is read back: each is put back as it was.
    expectSameRun(yes, 1, {"", "TARNPATCH_TEST_FAULT=corrupt-written-files"});
    EXPECT_NE(lastWindowsOut.find("did not read back as written; the file as it was has been put "
                                  "back\r\n"),
              std::string::npos)
        << lastWindowsOut;
    expectUnchanged("native");
    expectUnchanged("windows");
}

TEST_F(WinePatch, AReadOnlyObjectFileIsRefusedAndStaysReadOnly) {
    buildBoth();
    for (const char* player : {"native", "windows"}) {
        fs::permissions(scratch.path() / player / "ObjData" / "Door.dat",
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    expectSameRun("y\ny\n\n", 1);
    const fs::path door = scratch.path() / "windows" / "ObjData" / "Door.dat";
    EXPECT_EQ(readWholeFile(door), sampleFile("Door.dat"));
    EXPECT_EQ(fs::status(door).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_NE(lastWindowsOut.find("while trying to save ObjData\\Door.dat:\r\nCannot write file"),
              std::string::npos)
        << lastWindowsOut;
    EXPECT_EQ(kept("windows").count("Door.dat"), 0u);
}

}  // namespace
}  // namespace tarn
