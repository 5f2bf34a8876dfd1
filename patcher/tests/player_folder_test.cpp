// SPDX-License-Identifier: GPL-3.0-or-later
// What TarnPatch refuses in a player's game folder (another object under a file's name, links,
// names differing only in letter case, damaged carried data, a folder without the game's
// files), with nothing changed outside the game folder; and runs killed at every write, after
// which --restore never undoes a later change without asking.
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
#include "patcher/tests/killed_run.h"
#include "tests/folder_snapshot.h"


namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kTroll{'T', 'R', 'O', 'L', 'L', '0', '0', '1'};
const std::array<std::uint8_t, 8> kDoor{'D', 'O', 'O', 'R', '0', '0', '0', '1'};

// The translator's copy of an object file with new texts.
ObjectFile translated(const std::string& name, unsigned type, ObjectFileTexts texts) {
    ObjectFile f;
    f.fileName = name;
    f.name = kTroll;
    f.flags = type;
    f.texts = std::move(texts);
    return f;
}

// The resources of a patch built now: the texts with their objects' identities, and the
// executable's texts when given.
ResourceBundle builtPatch(const std::vector<ObjectFile>& files,
                          const CarriedExeTexts* exeTexts = nullptr) {
    ResourceBundle bundle = endUserResources({});
    for (Resource& data : carriedDataResources(files, writeObjectTexts(files, {}), exeTexts)) {
        bundle.put(data.key, std::move(data.data));
    }
    return bundle;
}

// Whether this system lets the tests make links (Wine does not).
bool linksCanBeMade(const fs::path& folder) {
    std::error_code ec;
    fs::create_symlink(folder / "missing", folder / ".link-probe", ec);
    fs::remove(folder / ".link-probe");
    return !ec;
}

// Whether this file system holds names that differ only in letter case (Windows does not).
bool caseMattersIn(const fs::path& folder) {
    writeFileAtomically(folder / ".case-probe", {});
    const bool matters = !fs::exists(folder / ".CASE-PROBE");
    fs::remove(folder / ".case-probe");
    return matters;
}

// The console with its lines joined, so that a message is found wherever it was wrapped.
std::string flat(std::string text) {
    for (char& c : text) {
        c = c == '\n' ? ' ' : c;
    }
    return text;
}

// A game folder with A.DAT and b.dat, and beside it a folder of another user that nothing may
// change.
class PlayerFolderTest : public ::testing::Test {
public:
    void SetUp() override {
        game = root.path() / "game";
        objData = game / "ObjData";
        other = root.path() / "other";
        fs::create_directories(objData);
        fs::create_directories(other);
        writeFileAtomically(objData / "A.DAT",
                            makeSampleObjectFile(1, 1, {{{0, "Troll"}}}, kTroll, 1));
        writeFileAtomically(objData / "b.dat",
                            makeSampleObjectFile(10, 3, {{{0, "x"}}, {}, {{0, "z"}}}, kTroll, 2));
        writeFileAtomically(other / "owned.dat", readWholeFile(objData / "A.DAT"));
        for (const char* name : {"A.DAT", "b.dat"}) {
            originals[name] = readWholeFile(objData / name);
        }
        files = {translated("A.DAT", 1, {{{7, "Troll PL"}}}),
                 translated("b.dat", 10, {{{7, "x PL"}}, {}, {}})};
        beforeWrite = nullptr;
    }

    void TearDown() override { setWriteFaultForTesting({}); }

    int run(ResourceBundle bundle, const std::string& answers, const fs::path& folder = {}) {
        std::istringstream in(answers);
        std::ostringstream out;
        TarnPatch patch(std::move(bundle), {}, folder.empty() ? game : folder, in, out);
        patch.setBeforeWriteForTesting(beforeWrite);
        const int code = patch.run();
        console = flat(comparableConsole(out.str()));
        return code;
    }

    int restore(const std::string& answers) {
        std::istringstream in(answers);
        std::ostringstream out;
        TarnPatch patch(endUserResources({}), {}, game, in, out);
        patch.setBeforeWriteForTesting(beforeWrite);
        const int code = patch.restore();
        console = flat(comparableConsole(out.str()));
        return code;
    }

    bool patched(const std::string& name) {
        return readWholeFile(objData / name) != originals[name];
    }

    TempDir root;
    fs::path game;
    fs::path objData;
    fs::path other;
    std::map<std::string, Bytes> originals;
    std::vector<ObjectFile> files;
    std::string console;
    std::function<void(const std::string&)> beforeWrite;  // called with each object file's name

    // Plants a link to the other user's file at path once A.DAT passed its checks, before
    // anything of it is written.
    void plantLinkBeforeWriting(const fs::path& path) {
        beforeWrite = [this, path](const std::string& name) {
            if (name == "A.DAT") {
                fs::rename(path, root.path() / "moved", ec);
                fs::create_symlink(other / "owned.dat", path);
            }
        };
    }
    std::error_code ec;
};

TEST_F(PlayerFolderTest, WhatIsNotTheGamesOwnIsNamedAndLeftUnchanged) {
    enum class Needs { Nothing, Links, CaseNames };
    struct Case {
        const char* what;
        Needs needs;
        std::function<void(PlayerFolderTest&)> prepare;
        int code;
        std::string shown;
        bool aPatched;
        bool bPatched;
    };
    const std::vector<Case> cases = {
        {"another object under the file's name", Needs::Nothing,
         [](PlayerFolderTest& t) {
             writeFileAtomically(t.objData / "A.DAT",
                                 makeSampleObjectFile(2, 1, {{{0, "Door"}}, {}}, kDoor, 1));
             t.originals["A.DAT"] = readWholeFile(t.objData / "A.DAT");
         },
         1,
         "ObjData/A.DAT is not the object this translation was made for (object name \"DOOR0001\" "
         "instead of \"TROLL001\", object type 2 instead of 1",
         false, true},
        {"an object file that is a link", Needs::Links,
         [](PlayerFolderTest& t) {
             fs::remove(t.objData / "A.DAT");
             fs::create_symlink(t.other / "owned.dat", t.objData / "A.DAT");
         },
         1, "ObjData/A.DAT is a link; this program writes nothing through a link", false, true},
        {"ObjData a link", Needs::Links,
         [](PlayerFolderTest& t) {
             fs::rename(t.objData, t.other / "ObjData");
             fs::create_directory_symlink(t.other / "ObjData", t.objData);
         },
         1, "ObjData is a link", false, false},
        {"the backup folder a link", Needs::Links,
         [](PlayerFolderTest& t) {
             fs::create_directory_symlink(t.other, t.game / "TarnPatch-backup");
         },
         1, "TarnPatch-backup is a link", false, false},
        {"the sums a link", Needs::Links,
         [](PlayerFolderTest& t) {
             fs::create_symlink(t.other / "owned.dat", t.game / "TarnPatch-backup.sums");
         },
         1, "TarnPatch-backup.sums is a link", false, false},
        {"the pending sums a link", Needs::Links,
         [](PlayerFolderTest& t) {
             fs::create_symlink(t.other / "new.dat", t.game / "TarnPatch-backup.pending");
         },
         1, "TarnPatch-backup.pending is a link", false, false},
        // Links planted after the checks, between them and the writes.
        {"an object file swapped for a link", Needs::Links,
         [](PlayerFolderTest& t) { t.plantLinkBeforeWriting(t.objData / "A.DAT"); }, 1,
         "ObjData/A.DAT is a link; this program writes nothing through a link", false, true},
        {"the backup folder swapped for a link", Needs::Links,
         [](PlayerFolderTest& t) { t.plantLinkBeforeWriting(t.game / "TarnPatch-backup"); }, 1,
         "TarnPatch-backup is a link", true, false},
        {"the sums planted as a link", Needs::Links,
         [](PlayerFolderTest& t) { t.plantLinkBeforeWriting(t.game / "TarnPatch-backup.sums"); }, 1,
         "TarnPatch-backup.sums is a link", false, false},
        {"names differing only in case", Needs::CaseNames,
         [](PlayerFolderTest& t) {
             writeFileAtomically(t.objData / "a.dat", t.originals["A.DAT"]);
         },
         1,
         "ObjData/A.DAT and ObjData/a.dat differ only in letter case; neither of them is changed.",
         false, true},
        {"an ObjData without the game's files", Needs::Nothing,
         [](PlayerFolderTest& t) {
             fs::rename(t.objData / "A.DAT", t.game / "A.DAT");
             fs::rename(t.objData / "b.dat", t.game / "b.dat");
         },
         1, "The \"ObjData\" directory holds none of the game's object files", false, false},
    };
    const bool links = linksCanBeMade(root.path());
    const bool caseNames = caseMattersIn(root.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if ((c.needs == Needs::Links && !links) || (c.needs == Needs::CaseNames && !caseNames)) {
            continue;
        }
        TearDown();
        fs::remove_all(root.path());
        fs::create_directory(root.path());
        SetUp();
        c.prepare(*this);
        const auto outside = snapshot(other);
        EXPECT_EQ(run(builtPatch(files), "y\n\n"), c.code);
        EXPECT_NE(console.find(c.shown), std::string::npos) << console;
        EXPECT_EQ(snapshot(other), outside);
        if (fs::exists(objData / "A.DAT")) {
            EXPECT_EQ(patched("A.DAT"), c.aPatched);
            EXPECT_EQ(patched("b.dat"), c.bPatched);
        }
        EXPECT_EQ(console.find("All OK"), std::string::npos);
    }
}

TEST_F(PlayerFolderTest, DamagedCarriedDataIsRefusedBeforeAnyQuestion) {
    ResourceBundle edited = builtPatch(files);
    const ResourceKey texts{kRawDataType, ResourceName::string(kObjectTextsName), 0};
    Bytes data = *edited.find(texts);
    data.at(data.size() - 6) = 0xFF;  // a language ID 255, out of step
    edited.put(texts, data);
    EXPECT_EQ(run(edited, "y\n\n"), 2);
    EXPECT_NE(console.find("The program's own data is damaged - the executable may be corrupt! "
                           "Nothing was changed."),
              std::string::npos)
        << console;
    EXPECT_EQ(console.find("[Y/N]"), std::string::npos);
    EXPECT_FALSE(patched("A.DAT") || patched("b.dat"));

    // The executable's texts are under the same guard.
    CarriedExeTexts exe;
    exe.texts = {{7, sha256("Sword"), "Miecz"}};
    ResourceBundle editedExe = builtPatch(files, &exe);
    const ResourceKey exeKey{kRawDataType, ResourceName::string(kExeTextsName), 0};
    Bytes exeData = *editedExe.find(exeKey);
    exeData.at(exeData.size() - 6) ^= 0x20;  // a letter of the translation changed
    editedExe.put(exeKey, exeData);
    EXPECT_EQ(run(editedExe, "y\n\n"), 2);
    EXPECT_NE(console.find("The program's own data is damaged"), std::string::npos) << console;
    EXPECT_FALSE(patched("A.DAT") || patched("b.dat"));

    // A patch built before the identities is applied unchecked; one built now, as it was made.
    EXPECT_EQ(run(endUserResources(files), "y\n\n"), 0);
    EXPECT_EQ(run(builtPatch(files), "y\n\n"), 0);
    EXPECT_TRUE(patched("A.DAT") && patched("b.dat"));
}

TEST_F(PlayerFolderTest, AGameFolderReachedThroughThePlayersOwnLinkIsPatched) {
    if (!linksCanBeMade(root.path())) {
        GTEST_SKIP() << "no links on this system";
    }
    fs::create_directory_symlink(game, root.path() / "shortcut");
    EXPECT_EQ(run(builtPatch(files), "y\n\n", root.path() / "shortcut"), 0) << console;
    EXPECT_TRUE(patched("A.DAT") && patched("b.dat"));
    EXPECT_TRUE(fileExists(game / "TarnPatch-backup" / "A.DAT"));
}

// A link planted after the restore's checks is refused too, and its original stays kept.
TEST_F(PlayerFolderTest, ALinkPlantedWhileRestoringIsRefused) {
    if (!linksCanBeMade(root.path())) {
        GTEST_SKIP() << "no links on this system";
    }
    ASSERT_EQ(run(builtPatch(files), "y\n\n"), 0);
    plantLinkBeforeWriting(objData / "A.DAT");
    const auto outside = snapshot(other);
    EXPECT_EQ(restore("y\n\n"), 1);
    EXPECT_NE(console.find("ObjData/A.DAT is a link"), std::string::npos) << console;
    EXPECT_NE(console.find("1 file(s) restored"), std::string::npos) << console;
    EXPECT_EQ(snapshot(other), outside);
    EXPECT_TRUE(fileExists(game / "TarnPatch-backup" / "A.DAT"));
    EXPECT_FALSE(patched("b.dat"));
}

// Only the files put back are counted, and only the program's own temporary files are removed.
TEST_F(PlayerFolderTest, RestoreCountsWhatItDidAndKeepsThePlayersFiles) {
    ASSERT_EQ(run(builtPatch(files), "y\n\n"), 0);
    writeFileAtomically(objData / "A.DAT", originals["A.DAT"]);  // a restore cut off half-way
    writeFileAtomically(game / "TarnPatch-backup" / ".notes.tmp", Bytes{'n'});
    EXPECT_EQ(restore("y\n\n"), 1);
    EXPECT_NE(console.find("1 file(s) restored"), std::string::npos) << console;
    EXPECT_TRUE(fileExists(game / "TarnPatch-backup" / ".notes.tmp"));
    EXPECT_FALSE(patched("A.DAT") || patched("b.dat"));
}

#ifndef _WIN32
// The run is killed before each of its renames in turn; then a game update changes every file,
// and --restore is answered no at each "restore anyway": no update may be
// undone.
TEST_F(PlayerFolderTest, AKilledRunLeavesDigestsThatRestoreCanTrust) {
    // Killed in a first run, and in a second one over the files a first run patched.
    for (const bool earlierRun : {false, true}) {
        bool finished = false;
        for (std::size_t writes = 0; !finished && writes < 20; ++writes) {
            SCOPED_TRACE(std::to_string(earlierRun) + " " + std::to_string(writes));
            TearDown();
            fs::remove_all(root.path());
            fs::create_directory(root.path());
            SetUp();
            if (earlierRun) {
                ASSERT_EQ(run(builtPatch(files), "y\n\n"), 0);
                files[0].texts[0][0].text = "Troll PL 2";
                files[1].texts[0][0].text = "x PL 2";
            }
            finished =
                runKilledBeforeRename(writes, [&] { return run(builtPatch(files), "y\n\n"); });
            if (!fs::exists(game / "TarnPatch-backup")) {
                continue;
            }
            std::map<std::string, Bytes> updates;
            for (const char* name : {"A.DAT", "b.dat"}) {
                Bytes update = readWholeFile(objData / name);
                update.push_back(0x42);
                writeFileAtomically(objData / name, update);
                updates[name] = update;
            }
            restore("y\nn\nn\n\n");
            for (const auto& [name, update] : updates) {
                EXPECT_EQ(readWholeFile(objData / name), update) << name;
            }
        }
        EXPECT_TRUE(finished);
    }
}
#endif

}  // namespace
}  // namespace tarn
