// SPDX-License-Identifier: GPL-3.0-or-later
// The end-user program as players get it: built by tarntool from a translator's game folder,
// then run as a child process in another game folder with answers on its standard input.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "tests/run_child.h"

namespace tarn {
namespace {

using Result = ChildResult;

std::string tool(const std::string& args) {
    return tarntool(args);
}

std::vector<ObjectFile> loadAll(const fs::path& game) {
    ObjectTextsDocument document;
    EXPECT_TRUE(document.loadFolder(game / "ObjData").empty());
    return document.files();
}

class PatchEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        translator = scratch.path() / "translator";
        player = scratch.path() / "player";
        ASSERT_EQ(runIn(scratch.path(), tool("sample-game translator"), "", scratch.path()).code,
                  0);
        ASSERT_EQ(runIn(scratch.path(), tool("sample-game player"), "", scratch.path()).code, 0);
        // The translator adds Polish (ID 9) to the sword and changes the German door.
        ASSERT_EQ(runIn(translator,
                        tool("obj set ObjData/ITEM_SWORD.DAT --group 0 --id 9 --hex 4d69656378"),
                        "", scratch.path())
                      .code,
                  0);
        ASSERT_EQ(runIn(translator, tool("obj set ObjData/Door.dat --group 0 --id 1 --hex 546f72"),
                        "", scratch.path())
                      .code,
                  0);
    }

    Result build(const std::string& options) {
        return runIn(scratch.path(),
                     tool("patch build --target native --game translator -o patch.bin " + options),
                     "", scratch.path());
    }

    Result patch(const std::string& answers) {
        return runIn(player, "'" + (scratch.path() / "patch.bin").string() + "'", answers,
                     scratch.path());
    }

    TempDir scratch;
    fs::path translator;
    fs::path player;
};

TEST_F(PatchEndToEnd, TheBuiltProgramIsTarnPatchAndAppliesEveryText) {
    ASSERT_EQ(build("").code, 0);
    const Bytes program = readWholeFile(scratch.path() / "patch.bin");
    const Bytes tarnPatch = readWholeFile(TARNPATCH_PATH);
    ASSERT_GT(program.size(), tarnPatch.size());
    EXPECT_TRUE(std::equal(tarnPatch.begin(), tarnPatch.end(), program.begin()));

    const Result r = patch("y\n\n");
    EXPECT_EQ(r.code, 0);
    const auto want = loadAll(translator);
    const auto got = loadAll(player);
    ASSERT_EQ(want.size(), got.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].texts, want[i].texts) << want[i].fileName;
    }
    EXPECT_EQ(r.out.rfind("Tarn Object Text Changer\n------------------------\n\nThis program", 0),
              0u);
    EXPECT_NE(r.out.find("continue? [Y/N]Processing files, please be patient...\n\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\rProcessing spell_ice.DAT (0 file(s) left)\r" + std::string(79, ' ') +
                         "\rAll OK\nThe original files are kept in the \"TarnPatch-backup\" "
                         "directory. To put them\nback, run this program again with --restore.\n"
                         "\nPress ENTER to continue\n"),
              std::string::npos);
}

TEST_F(PatchEndToEnd, OneLanguageWithTranslatedMessagesAndYesCharacters) {
    std::string messages;
    for (int k = 0; k < 11; ++k) {
        messages += k == 2   ? "Weiter? [J/N]\n"
                    : k == 8 ? "Alles gut \xE2\x9C\x93\n"
                             : "Nachricht\n";
    }
    std::ofstream(scratch.path() / "de.txt", std::ios::binary) << messages;
    // The restore questions keep their English [Y/N]: built only when allowed.
    ASSERT_EQ(build("--id 9 --yes-chars j --messages de.txt --normal-rle").code, 2);
    ASSERT_EQ(
        build("--id 9 --yes-chars j --messages de.txt --normal-rle --allow-answer-letters").code,
        0);
    EXPECT_EQ(patch("y\n\n").code, 1);  // y is no longer yes
    const Result r = patch("J\n\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Weiter? [J/N]Nachricht\n\n"), std::string::npos);
    EXPECT_NE(r.out.find("Alles gut \xE2\x9C\x93\n"), std::string::npos);
    const auto got = loadAll(player);
    const auto sword = std::find_if(
        got.begin(), got.end(), [](const ObjectFile& f) { return f.fileName == "ITEM_SWORD.DAT"; });
    ASSERT_NE(sword, got.end());
    EXPECT_EQ(sword->texts[0].back(), (ObjectText{9, "Miecx"}));
    // Only the sword carries ID 9: the door keeps its old German text.
    const auto door = std::find_if(got.begin(), got.end(),
                                   [](const ObjectFile& f) { return f.fileName == "Door.dat"; });
    EXPECT_EQ(door->texts[0][1].text, "Holzt\xFCr");
}

TEST_F(PatchEndToEnd, OpenErrorAnsweredYesAndNo) {
    ASSERT_EQ(build("").code, 0);
    fs::remove(player / "ObjData" / "Creature.dat");        // the second file
    const fs::path door = player / "ObjData" / "Door.dat";  // comes after the missing file

    Result r = patch("y\nn\n\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(
        r.out.find("\nThe following error occured while trying to open ObjData/Creature.dat:\n"),
        std::string::npos);
    EXPECT_NE(r.out.find("remaining files? [Y/N]Processing finished with 1 error(s)\n"),
              std::string::npos);
    EXPECT_EQ(loadObjectFile(door).texts[0][1].text, "Holzt\xFCr");

    r = patch("y\ny\n\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Processing finished with 1 error(s)\nThe original files are kept"),
              std::string::npos);
    EXPECT_EQ(loadObjectFile(door).texts[0][1].text, "Tor");
}

TEST_F(PatchEndToEnd, RestoreGivesBackTheOriginalsInTheTranslatorsWords) {
    std::map<std::string, Bytes> originals;
    for (const auto& entry : fs::directory_iterator(player / "ObjData")) {
        originals[entry.path().filename().string()] = readWholeFile(entry.path());
    }
    std::string messages;
    for (int k = 0; k < 15; ++k) {
        messages += k == 11   ? "Originale zur\xC3\xBC"
                                "ckholen? [J/N]\n"
                    : k == 12 ? "%1 Datei(en) wiederhergestellt\n"
                              : "Nachricht\n";
    }
    std::ofstream(scratch.path() / "de.txt", std::ios::binary) << messages;
    ASSERT_EQ(build("--yes-chars j --messages de.txt --allow-answer-letters").code, 0);
    ASSERT_EQ(patch("j\n\n").code, 0);
    ASSERT_NE(readWholeFile(player / "ObjData" / "Door.dat"), originals["Door.dat"]);

    const std::string program = "'" + (scratch.path() / "patch.bin").string() + "' --restore";
    EXPECT_EQ(runIn(player, program, "n\n", scratch.path()).code, 1);
    EXPECT_TRUE(fs::exists(player / "TarnPatch-backup"));
    const auto kept = std::distance(fs::directory_iterator(player / "TarnPatch-backup"),
                                    fs::directory_iterator());
    EXPECT_GT(kept, 1);
    const Result r = runIn(player, program, "j\n\n", scratch.path());
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Originale zur\xC3\xBC"
                         "ckholen? [J/N]" +
                         std::to_string(kept) + " Datei(en) wiederhergestellt\n"),
              std::string::npos)
        << r.out;
    for (const auto& [name, bytes] : originals) {
        EXPECT_EQ(readWholeFile(player / "ObjData" / name), bytes) << name;
    }
    EXPECT_FALSE(fs::exists(player / "TarnPatch-backup"));
    EXPECT_EQ(runIn(player, program, "\n", scratch.path()).code, 1);
}

TEST_F(PatchEndToEnd, EveryMessageInPolishWithItsOwnAnswerLetters) {
    std::string messages;
    for (int k = 0; k < 31; ++k) {
        messages += k == 2    ? "Kontynuowa\xC4\x87? [T/N]\n"
                    : k == 27 ? "Dalej tylko z plikami obiekt\xC3\xB3w? [T/N]\n"
                    : k == 11 ? "Przywr\xC3\xB3"
                                "ci\xC4\x87? [T/N]\n"
                    : k == 15 ? "Nic nie zmieniono.\n"
                    : k == 16 ? "Zmieniacz tekst\xC3\xB3w Tarn\n"
                    : k == 17 ? "%1 zmieniono od czasu \xE2\x80\x9E"
                                "tej\xE2\x80\x9D \xC5\x82"
                                "atki.\n"
                    : k == 18 ? "Przywr\xC3\xB3"
                                "ci\xC4\x87 mimo to? [T/N]\n"
                              : "Komunikat\n";
    }
    // The first seventeen alone leave "Restore anyway? [Y/N]", which T does not answer.
    std::ofstream(scratch.path() / "pl17.txt", std::ios::binary)
        << messages.substr(0, messages.find("%1 zmieniono"));
    Result refused = build("--yes-chars tT --messages pl17.txt");
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.out.find("Message 19: Restore anyway? [Y/N]"), std::string::npos)
        << refused.out;
    // The first twenty-five leave the executable's "[Y/N]" question in English likewise.
    std::string first25;
    for (std::size_t at = 0, lines = 0; lines < 25; ++lines) {
        at = messages.find('\n', at) + 1;
        first25 = messages.substr(0, at);
    }
    std::ofstream(scratch.path() / "pl25.txt", std::ios::binary) << first25;
    refused = build("--yes-chars tT --messages pl25.txt");
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.out.find("Message 28: "), std::string::npos) << refused.out;
    std::ofstream(scratch.path() / "pl.txt", std::ios::binary) << messages;
    ASSERT_EQ(build("--yes-chars tT --messages pl.txt").code, 0);

    Result r = patch("n\n\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out,
              "Zmieniacz tekst\xC3\xB3w Tarn\n----------------------\n\nKontynuowa\xC4\x87? "
              "[T/N]Nic nie zmieniono.\n\nKomunikat\n");
    ASSERT_EQ(patch("t\n\n").code, 0);

    // A game update rewrites the door after the patch: restore asks before undoing it.
    const fs::path door = player / "ObjData" / "Door.dat";
    const Bytes update = readWholeFile(translator / "ObjData" / "Creature.dat");
    writeFileAtomically(door, update);
    const std::string program = "'" + (scratch.path() / "patch.bin").string() + "' --restore";
    r = runIn(player, program, "T\nn\n\n", scratch.path());
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("ObjData/Door.dat zmieniono od czasu \xE2\x80\x9E"
                         "tej\xE2\x80\x9D \xC5\x82"
                         "atki.\nPrzywr\xC3\xB3"
                         "ci\xC4\x87 mimo to? [T/N]"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(readWholeFile(door), update);
    EXPECT_TRUE(fs::exists(player / "TarnPatch-backup" / "Door.dat"));
    EXPECT_TRUE(fs::exists(player / "TarnPatch-backup.sums"));
    EXPECT_EQ(runIn(player, program, "t\nt\n\n", scratch.path()).code, 0);
    EXPECT_NE(readWholeFile(door), update);
    EXPECT_FALSE(fs::exists(player / "TarnPatch-backup"));
}

TEST_F(PatchEndToEnd, APatchWithoutTextsIsNotBuilt) {
    const Result r = build("--id 77");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out,
              "tarntool: No object file has a text with language ID 77: the end-user program "
              "would change nothing. Choose a language ID that the texts use, or all texts.\n");
    EXPECT_FALSE(fs::exists(scratch.path() / "patch.bin"));
}

TEST_F(PatchEndToEnd, StartUpFailuresAndBadUse) {
    Result r = runIn(player, std::string("'") + TARNPATCH_PATH + "'", "\n", scratch.path());
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("ERROR: No language resources were found"), std::string::npos);

    ASSERT_EQ(build("").code, 0);
    fs::rename(player / "ObjData", player / "OBJDATA");  // found whatever its letter case
    EXPECT_EQ(patch("y\n\n").code, 0);
    fs::remove_all(player / "OBJDATA");
    r = patch("\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("The \"ObjData\" directory isn't found"), std::string::npos);

    // Help and unknown options before any question; the program beside ObjData is found
    // from anywhere.
    const std::string program = "'" + (scratch.path() / "patch.bin").string() + "'";
    r = runIn(player, program + " --help", "", scratch.path());
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("Usage: patch.bin [--restore | --help]\n", 0), 0u) << r.out;
    r = runIn(player, program + " --restor", "y\n", scratch.path());
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out.find("[Y/N]"), std::string::npos);
    ASSERT_EQ(runIn(scratch.path(), tool("sample-game fresh"), "", scratch.path()).code, 0);
    fs::rename(scratch.path() / "fresh" / "ObjData", scratch.path() / "ObjData");
    r = runIn(player, program, "y\n\n", scratch.path());
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(fs::exists(scratch.path() / "TarnPatch-backup"));

    // A Windows program's name ends in .exe.
    if (runIn(scratch.path(), tool("patch build --target windows64 --game translator -o players"),
              "", scratch.path())
            .code == 0) {
        EXPECT_TRUE(fs::exists(scratch.path() / "players.exe"));
    }

    EXPECT_EQ(build("--id 255").code, 2);
    // A game without ObjData and a missing file are input that cannot be read.
    EXPECT_EQ(
        runIn(scratch.path(), tool("patch build --game player -o x"), "", scratch.path()).code, 2);
    EXPECT_EQ(runIn(scratch.path(), tool("obj info nothing.dat"), "", scratch.path()).code, 2);
}

}  // namespace
}  // namespace tarn
