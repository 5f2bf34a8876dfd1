// SPDX-License-Identifier: GPL-3.0-or-later
// The originals TarnPatch keeps and puts back: what a run keeps, what a later run leaves alone,
// --restore, and every way keeping or writing a file can fail without losing the file.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "enduser/end_user_program.h"
#include "objfiles/sample_objects.h"
#include "patcher/tarn_patch.h"
#include "patcher/tests/console_text.h"
#include "patcher/tests/end_user_resources.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'N', 'A', 'M', 'E', '0', '0', '0', '2'};

ObjectFile textsFor(const std::string& name, ObjectFileTexts texts) {
    ObjectFile f;
    f.fileName = name;
    f.texts = std::move(texts);
    return f;
}

// A game with three object files and their bytes before any patch.
class OriginalsBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        objData = game.path() / "ObjData";
        backup = game.path() / "TarnPatch-backup";
        fs::create_directory(objData);
        writeFileAtomically(objData / "A.DAT",
                            makeSampleObjectFile(1, 1, {{{0, "Sword"}, {1, "Epee"}}}, kName, 1));
        writeFileAtomically(objData / "b.dat",
                            makeSampleObjectFile(10, 3, {{{0, "x"}}, {}, {{0, "z"}}}, kName, 2));
        writeFileAtomically(objData / "C.DAT",
                            makeSampleObjectFile(2, 0, {{{0, "Cup"}}}, kName, 3));
        for (const char* name : {"A.DAT", "b.dat", "C.DAT"}) {
            originals[name] = readWholeFile(objData / name);
        }
    }

    void TearDown() override { setWriteFaultForTesting({}); }

    int patch(const std::vector<ObjectFile>& files, const std::string& answers,
              const std::function<void(const fs::path&)>& afterReplace = {}) {
        std::istringstream in(answers);
        std::ostringstream out;
        TarnPatch run(endUserResources(files), {}, game.path(), in, out);
        run.setAfterReplaceForTesting(afterReplace);
        const int code = run.run();
        console = comparableConsole(out.str());
        return code;
    }

    int restore(const std::string& answers, EndUserOptions options = {}) {
        std::istringstream in(answers);
        std::ostringstream out;
        TarnPatch run(endUserResources({}, options), {}, game.path(), in, out);
        const int code = run.restore();
        console = comparableConsole(out.str());
        return code;
    }

    // The backup folder's entries and the bytes of those that are files.
    std::map<std::string, Bytes> kept() const {
        std::map<std::string, Bytes> files;
        for (const auto& entry : fs::directory_iterator(backup)) {
            files[entry.path().filename().string()] =
                entry.is_regular_file() ? readWholeFile(entry.path()) : Bytes();
        }
        return files;
    }

    void expectOriginal(const std::string& name) {
        EXPECT_EQ(readWholeFile(objData / name), originals[name]) << name;
    }

    std::size_t count(const std::string& text) const {
        std::size_t n = 0;
        for (auto at = console.find(text); at != std::string::npos;
             at = console.find(text, at + 1)) {
            ++n;
        }
        return n;
    }

    TempDir game;
    fs::path objData;
    fs::path backup;
    std::map<std::string, Bytes> originals;
    std::string console;
};

const std::string kKeptLine = "The original files are kept in the \"TarnPatch-backup\" directory.";

TEST_F(OriginalsBackupTest, RunsKeepTheFilesAsTheyWereBeforeAnyPatch) {
    // C.DAT is named with the texts it has: unchanged, so neither kept nor written.
    EXPECT_EQ(patch({textsFor("a.dat", {{{1, "Schwert"}}}), textsFor("B.DAT", {{{0, "y"}}}),
                     textsFor("C.DAT", {{{0, "Cup"}}})},
                    "y\n\n"),
              0);
    EXPECT_EQ(kept(), (std::map<std::string, Bytes>{{"A.DAT", originals["A.DAT"]},
                                                    {"b.dat", originals["b.dat"]}}));
    expectOriginal("C.DAT");
    EXPECT_EQ(count(kKeptLine), 1u);
    EXPECT_NE(console.find("All OK\n" + kKeptLine), std::string::npos) << console;

    // Another patch: A.DAT's backup stays the original, C.DAT is kept as it is now.
    EXPECT_EQ(
        patch({textsFor("A.DAT", {{{1, "Miecz"}}}), textsFor("C.DAT", {{{0, "Kelch"}}})}, "y\n\n"),
        0);
    EXPECT_EQ(kept(), (std::map<std::string, Bytes>{{"A.DAT", originals["A.DAT"]},
                                                    {"b.dat", originals["b.dat"]},
                                                    {"C.DAT", originals["C.DAT"]}}));
    EXPECT_EQ(count(kKeptLine), 1u);

    // A run that keeps nothing new does not repeat where the originals are.
    EXPECT_EQ(patch({textsFor("A.DAT", {{{1, "Spada"}}})}, "y\n\n"), 0);
    EXPECT_EQ(count(kKeptLine), 0u);
    EXPECT_EQ(kept().at("A.DAT"), originals["A.DAT"]);
}

TEST_F(OriginalsBackupTest, RestorePutsBackEveryOriginalAndRemovesTheFolder) {
    ASSERT_EQ(
        patch({textsFor("A.DAT", {{{1, "Schwert"}}}), textsFor("b.dat", {{{0, "y"}}})}, "y\n\n"),
        0);
    ASSERT_EQ(
        patch({textsFor("C.DAT", {{{0, "Kelch"}}}), textsFor("A.DAT", {{{0, "S"}}})}, "y\n\n"), 0);
    ASSERT_NE(readWholeFile(objData / "A.DAT"), originals["A.DAT"]);

    // No changes nothing.
    const auto before = kept();
    const Bytes patchedA = readWholeFile(objData / "A.DAT");
    EXPECT_EQ(restore("n\n"), 1);
    EXPECT_EQ(kept(), before);
    EXPECT_EQ(readWholeFile(objData / "A.DAT"), patchedA);

    EXPECT_EQ(restore("Y\n\n"), 0);
    for (const char* name : {"A.DAT", "b.dat", "C.DAT"}) {
        expectOriginal(name);
    }
    EXPECT_FALSE(fs::exists(backup));
    EXPECT_EQ(console,
              "Tarn Object Text Changer\n------------------------\n\n"
              "This program is going to put back the original Tarn files that it kept before\n"
              "it changed them, undoing the translation. Do you want to continue? [Y/N]"
              "3 file(s) restored\n\nPress ENTER to continue\n");

    // Nothing left to restore.
    EXPECT_EQ(restore("\n"), 1);
    EXPECT_NE(console.find("No backup found - the \"TarnPatch-backup\" directory with the "
                           "original files does\nnot exist.\n\nPress ENTER to continue\n"),
              std::string::npos)
        << console;
}

TEST_F(OriginalsBackupTest, RestoreTakesOnlyObjectFilesThatObjDataHas) {
    fs::create_directory(backup);
    const Bytes damaged = readWholeFile(objData / "C.DAT");
    writeFileAtomically(objData / "A.DAT", Bytes{'n', 'e', 'w'});
    writeFileAtomically(objData / "C.DAT", Bytes{'n', 'e', 'w'});
    writeFileAtomically(objData / "x..dat", Bytes{'n', 'e', 'w'});
    writeFileAtomically(backup / "a.dat", originals["A.DAT"]);     // found whatever the case
    writeFileAtomically(backup / "notes.txt", Bytes{'h', 'i'});    // ObjData has no such file
    writeFileAtomically(backup / "GONE.DAT", originals["b.dat"]);  // nor this one
    writeFileAtomically(backup / "C.DAT", Bytes(damaged.begin(), damaged.begin() + 10));
    writeFileAtomically(backup / "x..dat", originals["b.dat"]);  // not a plain name
    fs::create_directory(backup / "b.dat");

    EXPECT_EQ(restore("y\n\n"), 1);
    EXPECT_EQ(readWholeFile(objData / "A.DAT"), originals["A.DAT"]);
    EXPECT_EQ(readWholeFile(objData / "C.DAT"), (Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(readWholeFile(objData / "x..dat"), (Bytes{'n', 'e', 'w'}));
    EXPECT_FALSE(fs::exists(objData / "GONE.DAT"));
    EXPECT_FALSE(fs::exists(objData / "notes.txt"));
    // Everything refused stays where it was, and so does the folder.
    EXPECT_EQ(kept().size(), 6u);
    EXPECT_NE(console.find("trying to open TarnPatch-backup/notes.txt:\nThe ObjData directory has "
                           "no file of this name"),
              std::string::npos)
        << console;
    EXPECT_NE(console.find("open TarnPatch-backup/C.DAT:\nIt is not an object file"),
              std::string::npos);
    EXPECT_NE(console.find("open TarnPatch-backup/b.dat:\nIt is not a file that this program"),
              std::string::npos);
    EXPECT_NE(console.find("1 file(s) restored\nProcessing finished with 5 error(s)\n"),
              std::string::npos);
}

TEST_F(OriginalsBackupTest, RestoreLeavesARefusedFileAndItsBackup) {
    ASSERT_EQ(
        patch({textsFor("A.DAT", {{{1, "Schwert"}}}), textsFor("b.dat", {{{0, "y"}}})}, "y\n\n"),
        0);
    const Bytes patchedB = readWholeFile(objData / "b.dat");
    fs::permissions(objData / "b.dat", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(restore("y\n\n"), 1);
    expectOriginal("A.DAT");
    EXPECT_EQ(readWholeFile(objData / "b.dat"), patchedB);
    EXPECT_EQ(kept().at("b.dat"), originals["b.dat"]);
    EXPECT_NE(console.find("while trying to save ObjData/b.dat:\nCannot write file"),
              std::string::npos)
        << console;
    EXPECT_NE(console.find("The file is read-only"), std::string::npos);
}

// Each way keeping the original can fail: the object file is not touched, and the failure is a
// save error with its question.
TEST_F(OriginalsBackupTest, AnOriginalThatCannotBeKeptLeavesTheFileUntouched) {
    std::vector<std::pair<const char*, std::function<void()>>> faults = {
        {"a file in the folder's place", [&] { writeFileAtomically(backup, Bytes{'x'}); }},
        {"full disk",
         [] {
             setWriteFaultForTesting({WriteFault::Step::WriteData, 100});
         }},
    };
#ifndef _WIN32
    // Windows has no permission bits on folders that would refuse a new file.
    faults.push_back({"read-only folder", [&] {
                          fs::create_directory(backup);
                          fs::permissions(backup, fs::perms::owner_read | fs::perms::owner_exec);
                      }});
    // Links in the originals' places, to a file a write through them would change.
    faults.push_back({"links in the originals' places", [&] {
                          fs::create_directory(backup);
                          fs::create_symlink(objData / "C.DAT", backup / "A.DAT");
                          fs::create_symlink(objData / "C.DAT", backup / "b.dat");
                      }});
#endif
    for (const auto& [what, inject] : faults) {
        SCOPED_TRACE(what);
        inject();
        EXPECT_EQ(patch({textsFor("A.DAT", {{{1, "Schwert"}}}), textsFor("b.dat", {{{0, "y"}}})},
                        "y\ny\ny\n\n"),
                  1);
        expectOriginal("A.DAT");
        expectOriginal("b.dat");
        expectOriginal("C.DAT");
        EXPECT_NE(console.find("\nThe following error occured while trying to save ObjData/A.DAT:\n"
                               "Cannot "),
                  std::string::npos)
            << console;
        EXPECT_NE(console.find("Processing finished with 2 error(s)\n\n"), std::string::npos);
        EXPECT_EQ(count(kKeptLine), 0u);
        setWriteFaultForTesting({});
        std::error_code ec;
        fs::permissions(backup, fs::perms::owner_all, ec);
        fs::remove_all(backup);
    }
}

TEST_F(OriginalsBackupTest, AReadOnlyObjectFileIsRefusedAndNotKept) {
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(objData / "A.DAT", readOnly);
    EXPECT_EQ(
        patch({textsFor("A.DAT", {{{1, "Schwert"}}}), textsFor("b.dat", {{{0, "y"}}})}, "y\ny\n\n"),
        1);
    expectOriginal("A.DAT");
    EXPECT_EQ(fs::status(objData / "A.DAT").permissions(), readOnly);
    EXPECT_NE(console.find("while trying to save ObjData/A.DAT:\nCannot write file \"" +
                           comparableConsole((objData / "A.DAT").string()) +
                           "\". The file is read-only.\nDo you want"),
              std::string::npos)
        << console;
    EXPECT_EQ(kept().count("A.DAT"), 0u);
    EXPECT_EQ(kept().count("b.dat"), 1u);
}

TEST_F(OriginalsBackupTest, AFileThatDoesNotReadBackAsWrittenIsPutBack) {
    auto damage = [](const fs::path& path) {
        if (path.filename() == "A.DAT") {
            Bytes data = readWholeFile(path);
            data[data.size() / 2] ^= 0x01;
            writeFileAtomically(path, data);
        }
    };
    EXPECT_EQ(patch({textsFor("A.DAT", {{{1, "Schwert"}}}), textsFor("b.dat", {{{0, "y"}}})},
                    "y\ny\n\n", damage),
              1);
    expectOriginal("A.DAT");
    EXPECT_NE(readWholeFile(objData / "b.dat"), originals["b.dat"]);
    EXPECT_NE(console.find("while trying to save ObjData/A.DAT:\nThe file \"" +
                           comparableConsole((objData / "A.DAT").string()) +
                           "\" did not read back as written; the file as it was has been put "
                           "back\n"),
              std::string::npos)
        << console;
    EXPECT_NE(console.find("Processing finished with 1 error(s)\n" + kKeptLine), std::string::npos);
}

TEST_F(OriginalsBackupTest, EmptyRestoreMessagesShowTheirEnglishDefaults) {
    ASSERT_EQ(patch({textsFor("A.DAT", {{{1, "Schwert"}}})}, "y\n\n"), 0);
    EndUserOptions options;
    for (std::size_t row = kFirstMessageCount; row < kMessageCount; ++row) {
        options.messages[row].clear();  // as programs built before the backup existed
    }
    options.messages[kMsgPressEnter] = "Weiter mit ENTER";
    options.yesChars = "j";
    EXPECT_EQ(restore("j\n\n", options), 0);
    EXPECT_NE(console.find("undoing the translation. Do you want to continue? [Y/N]"
                           "1 file(s) restored\n\nWeiter mit ENTER\n"),
              std::string::npos)
        << console;
}

// A game update changed b.dat after the patch wrote it: restoring its original would undo the
// update, so the player is asked, with the yes characters as at every question.
TEST_F(OriginalsBackupTest, RestoreAsksBeforeUndoingAChangeMadeSinceThePatch) {
    struct Case {
        std::string yesChars;
        std::string answers;
        int code;
        bool restoresUpdate;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"y", "n\n", 1, false, "[Y/N]Nothing was changed.\n\nPress ENTER to continue\n"},
        {"tT", "y\n", 1, false, "[Y/N]Nothing was changed."},
        {"y", "y\nn\n\n", 1, false,
         "\nObjData/b.dat has changed since this program wrote it, perhaps by an update of\n"
         "the game. Putting back the original undoes that change.\nRestore anyway? [Y/N]"
         "1 file(s) restored\nThe original files are kept in the \"TarnPatch-backup\""},
        {"tT", "t\nn\n\n", 1, false, "Przywrocic mimo to? [T/N]1 file(s) restored"},
        {"tT", "T\nt\n\n", 0, true, "Przywrocic mimo to? [T/N]2 file(s) restored\n\nPress"},
        // Untranslated, or built before it could be: the English one with the yes letter.
        {"tT", "T\nt\n\n", 0, true, "Restore anyway? [T/N]2 file(s) restored\n\nPress"},
    };
    const Bytes update = makeSampleObjectFile(10, 3, {{{0, "patched"}}, {}, {}}, kName, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers);
        for (const char* name : {"A.DAT", "b.dat"}) {
            writeFileAtomically(objData / name, originals[name]);
        }
        ASSERT_EQ(patch({textsFor("A.DAT", {{{1, "Schwert"}}}), textsFor("b.dat", {{{0, "y"}}})},
                        "y\n\n"),
                  0);
        // The digests lie beside the folder, so that programs built before still restore.
        ASSERT_TRUE(fs::exists(game.path() / "TarnPatch-backup.sums"));
        EXPECT_EQ(kept().size(), 2u);
        writeFileAtomically(objData / "b.dat", update);

        EndUserOptions options;
        options.yesChars = c.yesChars;
        if (c.yesChars == "tT") {
            options.messages[kMsgRestoreAnyway - 1] =
                &c == &cases.back() ? "" : "Przywrocic mimo to? [T/N]";
        }
        EXPECT_EQ(restore(c.answers, options), c.code);
        EXPECT_NE(console.find(c.shown), std::string::npos) << console;
        EXPECT_EQ(readWholeFile(objData / "b.dat"), c.restoresUpdate ? originals["b.dat"] : update);
        if (c.code == 0) {
            expectOriginal("A.DAT");
            EXPECT_FALSE(fs::exists(backup));
            EXPECT_FALSE(fs::exists(game.path() / "TarnPatch-backup.sums"));
        } else {
            EXPECT_EQ(kept().at("b.dat"), originals["b.dat"]);
            EXPECT_TRUE(fs::exists(game.path() / "TarnPatch-backup.sums"));
        }
    }
}

// Temporary files of writes that were cut off are no originals: they neither stop the restore
// nor keep the folder.
TEST_F(OriginalsBackupTest, RestoreRemovesItsOwnLeftovers) {
    ASSERT_EQ(patch({textsFor("A.DAT", {{{1, "Schwert"}}})}, "y\n\n"), 0);
    writeFileAtomically(backup / ".b.dat.tmp-Xy12Ab", Bytes{'x'});
    writeFileAtomically(backup / ".A.DAT.tarn-4242-k3Jd.tmp", Bytes{'x'});
    writeFileAtomically(game.path() / ".TarnPatch-backup.sums.tmp-abc", Bytes{'x'});
    writeFileAtomically(game.path() / ".Other.tmp-abc", Bytes{'x'});  // not ours to remove
    EXPECT_EQ(restore("y\n\n"), 0);
    EXPECT_NE(console.find("[Y/N]1 file(s) restored\n\nPress ENTER"), std::string::npos) << console;
    expectOriginal("A.DAT");
    EXPECT_FALSE(fs::exists(backup));
    EXPECT_FALSE(fs::exists(game.path() / ".TarnPatch-backup.sums.tmp-abc"));
    EXPECT_TRUE(fs::exists(game.path() / ".Other.tmp-abc"));
}

// The restore in its long form and in the Windows form in any case; help; any other option is
// unknown; anything else (a file dropped on the program) is ignored.
TEST(CommandLine, OptionsAreKnownBeforeAnythingIsAsked) {
    const std::vector<std::pair<std::vector<std::string>, Command>> cases = {
        {{}, Command::Patch},
        {{"--restore"}, Command::Restore},
        {{"/restore"}, Command::Restore},
        {{"/Restore"}, Command::Restore},
        {{"C:\\Games\\Tarn\\ObjData\\A.DAT"}, Command::Patch},
        {{"/home/player/tarn/A.DAT"}, Command::Patch},
        {{"restore"}, Command::Patch},
        {{"--help"}, Command::Help},
        {{"/?"}, Command::Help},
        {{"--Restore"}, Command::Unknown},
        {{"--restor"}, Command::Unknown},
        {{"/restor"}, Command::Unknown},
        {{"-x", "--restore"}, Command::Unknown},
    };
    for (const auto& [arguments, command] : cases) {
        EXPECT_EQ(commandOf(arguments), command) << (arguments.empty() ? "" : arguments[0]);
    }
}

TEST(CommandLine, UsageWaitsForEnterOnlyInAConsoleOfItsOwn) {
    for (const bool own : {false, true}) {
        std::istringstream in("\n");
        std::ostringstream out;
        TarnPatch patch(endUserResources({}), {}, ".", in, out);
        patch.setOwnConsole(own);
        EXPECT_EQ(patch.usage("TarnPatch.exe", true), 0);
        EXPECT_EQ(patch.usage("TarnPatch.exe", false), 2);
        const std::string console = comparableConsole(out.str());
        EXPECT_EQ(console.rfind("Usage: TarnPatch.exe [--restore | --help]\n", 0), 0u) << console;
        EXPECT_EQ(console.find("Press ENTER") != std::string::npos, own);
    }
}

TEST(CommandLine, ObjDataIsFoundBesideTheProgramWhenNotInTheCurrentFolder) {
    TempDir current;
    TempDir program;
    EXPECT_EQ(chooseGameFolder(current.path(), program.path()), current.path());
    fs::create_directory(program.path() / "objdata");
    EXPECT_EQ(chooseGameFolder(current.path(), program.path()), program.path());
    fs::create_directory(current.path() / "ObjData");
    EXPECT_EQ(chooseGameFolder(current.path(), program.path()), current.path());
}

}  // namespace
}  // namespace tarn
