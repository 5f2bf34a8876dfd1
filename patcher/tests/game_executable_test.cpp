// SPDX-License-Identifier: GPL-3.0-or-later
// The executable's texts reaching a player's build: written where the player's text is the
// translator's original, kept where it differs, the executable left alone for another version
// or where the texts do not fit, and put back byte for byte by --restore.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "enduser/end_user_program.h"
#include "exetext/executable_texts.h"
#include "exetext/sample_executable.h"
#include "exetext/sample_texts.h"
#include "objfiles/sample_objects.h"
#include "patcher/tarn_patch.h"
#include "patcher/tests/console_text.h"
#include "patcher/tests/end_user_resources.h"
#include "patcher/tests/killed_run.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kTroll{'T', 'R', 'O', 'L', 'L', '0', '0', '1'};
constexpr std::uint8_t kPolish = 14;

std::string flat(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// The translator's texts: the first translated ones shorter than their originals (Polish
// stand-ins), the longer ones grown by extra bytes each.
std::vector<std::string> translatedTexts(const std::vector<std::string>& original, int count,
                                         std::size_t extra) {
    std::vector<std::string> texts = original;
    for (int i = 0; i < count; ++i) {
        std::string& text = texts[static_cast<std::size_t>(i)];
        text =
            "PL" + text.substr(0, text.size() > 3 ? text.size() - 3 : 0) + std::string(extra, '+');
    }
    return texts;
}

// The game's texts with room to spare in every build: the last texts shortened, so that other
// versions' texts (and the sharing of their tails) still fit.
std::vector<std::string> gameTexts() {
    std::vector<std::string> texts = sampleTexts();
    for (std::size_t i = 2000; i < 3100; ++i) {
        texts[i].clear();
    }
    return texts;
}

class GameExecutableTest : public ::testing::Test {
public:
    void SetUp() override {
        game = root.path() / "game";
        fs::create_directories(game / "ObjData");
        writeFileAtomically(game / "ObjData" / "A.DAT",
                            makeSampleObjectFile(1, 1, {{{0, "Troll"}}}, kTroll, 1));
        objectOriginal = readWholeFile(game / "ObjData" / "A.DAT");
        ObjectFile file;
        file.fileName = "A.DAT";
        file.name = kTroll;
        file.flags = 1;
        file.texts = {{{kPolish, "Troll PL"}}};
        files = {file};
    }

    ResourceBundle patch(const CarriedExeTexts& exe) {
        ResourceBundle bundle = endUserResources({});
        for (Resource& data : carriedDataResources(files, writeObjectTexts(files, {}), &exe)) {
            bundle.put(data.key, std::move(data.data));
        }
        return bundle;
    }

    int run(ResourceBundle bundle, const std::string& answers, bool restoring = false) {
        std::istringstream in(answers);
        std::ostringstream out;
        TarnPatch program(std::move(bundle), {}, game, in, out);
        const int code = restoring ? program.restore() : program.run();
        console = flat(comparableConsole(out.str()));
        return code;
    }

    TempDir root;
    fs::path game;
    Bytes objectOriginal;
    std::vector<ObjectFile> files;
    std::string console;
};

TEST_F(GameExecutableTest, TextsAreWrittenOnlyOverTheTranslatorsOriginals) {
    struct Case {
        const char* what;
        int playerProfile;
        int translatedCount;  // texts 1..N translated
        std::size_t extra;    // bytes each translated text grows by
        int differing;        // of those, the player's texts that differ from the original
        bool mayGrow;
        const char* answers;
        bool exeChanged;
        bool objectsChanged;
        const char* shown;
        bool noHeaderRoom = false;  // the player's file has no room for another section header
    };
    const Case cases[] = {
        {"another build, same original texts", 4, 3453, 0, 0, false, "y\n\n", true, true,
         "Tarn.exe: 3453 texts and the game's language were translated."},
        {"300 texts of another version kept", 4, 3453, 0, 300, false, "y\n\n", true, true,
         "300 texts of your executable differ from the translator's original and were kept"},
        {"below 90% matches", 2, 3453, 0, 500, false, "y\n\n", false, true,
         "Tarn.exe is not the game this translation was made for (only 85% of its texts"},
        {"needs growth, not allowed: declined", 2, 800, 40, 0, false, "y\nn\n\n", false, false,
         "The translated texts do not fit into Tarn.exe (over by"},
        {"needs growth, not allowed: objects only", 2, 800, 40, 0, false, "y\ny\n\n", false, true,
         "on with the object files only? [Y/N]"},
        {"needs growth, allowed", 4, 800, 40, 0, true, "y\n\n", true, true,
         "Tarn.exe: 800 texts and the game's language were translated."},
        {"needs growth, allowed, the file cannot grow: objects only", 2, 800, 40, 0, true,
         "y\ny\n\n", false, true,
         "texts do not fit; the executable has no room for another section header)", true},
    };
    const std::vector<std::string> original = gameTexts();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::string> translated =
            translatedTexts(original, c.translatedCount, c.extra);
        CarriedExeTexts carried = differingExeTexts(original, translated);
        carried.primaryLangId = kPolish;
        carried.mayGrow = c.mayGrow;
        // The player's build holds the same texts, but for those of another version.
        std::vector<std::string> player = original;
        std::vector<std::size_t> changed;
        for (std::size_t i = 0; static_cast<int>(changed.size()) < c.differing; i += 3) {
            // A letter for a letter: the stored length stays, codes stay codes.
            if (!player[i].empty() && std::isalpha(static_cast<unsigned char>(player[i][0]))) {
                player[i][0] = player[i][0] == 'Q' ? 'R' : 'Q';
                changed.push_back(i);
            }
        }
        const fs::path exe = game / "Tarn.exe";
        Bytes image = makeSampleExecutable(c.playerProfile, player);
        if (c.noHeaderRoom) {
            // A byte in the slot after the last section header.
            const std::uint32_t pe = readU32LE(image.data() + 0x3C);
            const std::size_t slot = pe + 24 + readU16LE(image.data() + pe + 20) +
                                     40 * std::size_t{readU16LE(image.data() + pe + 6)};
            image[slot + 39] = 1;
        }
        writeFileAtomically(exe, image);
        writeFileAtomically(game / "ObjData" / "A.DAT", objectOriginal);
        const Bytes before = readWholeFile(exe);

        run(patch(carried), c.answers);
        EXPECT_NE(console.find(c.shown), std::string::npos) << console;
        EXPECT_EQ(readWholeFile(game / "ObjData" / "A.DAT") != objectOriginal, c.objectsChanged);
        ExecutableTexts after;
        readExecutableTexts(exe, after);
        if (!c.exeChanged) {
            EXPECT_EQ(readWholeFile(exe), before);
        } else {
            std::vector<std::string> expected = translated;
            for (const std::size_t i : changed) {
                expected[i] = player[i];
            }
            EXPECT_EQ(after.texts, expected);
            EXPECT_EQ(after.languageIds.primary, kPolish);
        }
        if (c.exeChanged || c.objectsChanged) {
            EXPECT_EQ(run(endUserResources({}), "y\n\n", true), 0) << console;
            EXPECT_EQ(readWholeFile(exe), before);
            EXPECT_EQ(readWholeFile(game / "ObjData" / "A.DAT"), objectOriginal);
            EXPECT_FALSE(fs::exists(game / kExeBackupFolderName));
        }
    }
}

TEST_F(GameExecutableTest, AnExecutableChangedSinceThePatchGoesBackOnlyOnYes) {
    const std::vector<std::string> original = gameTexts();
    CarriedExeTexts carried = differingExeTexts(original, translatedTexts(original, 100, 0));
    const fs::path exe = game / "Tarn.exe";
    writeFileAtomically(exe, makeSampleExecutable(2, original));
    const Bytes before = readWholeFile(exe);
    ASSERT_EQ(run(patch(carried), "y\n\n"), 0) << console;
    Bytes updated = readWholeFile(exe);
    updated[0x200] ^= 1;  // an update of the game since
    writeFileAtomically(exe, updated);

    EXPECT_EQ(run(endUserResources({}), "y\nn\n\n", true), 1);
    EXPECT_NE(console.find("Tarn.exe has changed since this program wrote it"), std::string::npos)
        << console;
    EXPECT_EQ(readWholeFile(exe), updated);
    // The executable replaced by a link: refused and named, the file it leads to untouched.
    const fs::path outside = root.path() / "outside.exe";
    fs::rename(exe, outside);
    std::error_code noLinks;
    fs::create_symlink(outside, exe, noLinks);
    if (!noLinks) {
        EXPECT_EQ(run(endUserResources({}), "y\n\n", true), 1);
        EXPECT_NE(console.find("Tarn.exe is a link"), std::string::npos) << console;
        EXPECT_EQ(readWholeFile(outside), updated);
        fs::remove(exe);
    }
    fs::rename(outside, exe);
    EXPECT_EQ(run(endUserResources({}), "y\ny\n\n", true), 0) << console;
    EXPECT_EQ(readWholeFile(exe), before);
}

// The original is kept as a second name of the file the save replaces. Where the old file is
// written in place instead (here: changed behind the run's back right after the replacement),
// the backup gets the original's bytes all the same.
TEST_F(GameExecutableTest, TheKeptOriginalOutlivesAFileWrittenInPlace) {
    const std::vector<std::string> original = gameTexts();
    const CarriedExeTexts carried = differingExeTexts(original, translatedTexts(original, 100, 0));
    const fs::path exe = game / "Tarn.exe";
    const fs::path kept = game / kExeBackupFolderName / "Tarn.exe";
    writeFileAtomically(exe, makeSampleExecutable(2, original));
    const Bytes before = readWholeFile(exe);
    std::istringstream in("y\n\n");
    std::ostringstream out;
    TarnPatch program(patch(carried), {}, game, in, out);
    program.setAfterReplaceForTesting([&](const fs::path& path) {
        if (path == exe) {
            std::ofstream(kept, std::ios::binary | std::ios::trunc) << "overwritten";
        }
    });
    ASSERT_EQ(program.run(), 0) << out.str();
    EXPECT_EQ(readWholeFile(kept), before);
    EXPECT_FALSE(fs::equivalent(kept, exe));
    EXPECT_EQ(run(endUserResources({}), "y\n\n", true), 0) << console;
    EXPECT_EQ(readWholeFile(exe), before);
}

// Swapped for a link after its checks, just before the save writes it, the executable is
// refused and named, and nothing is written through the link.
TEST_F(GameExecutableTest, AnExecutableSwappedForALinkBeforeTheSaveIsNotWrittenThrough) {
    const std::vector<std::string> original = gameTexts();
    const CarriedExeTexts carried = differingExeTexts(original, translatedTexts(original, 100, 0));
    const fs::path exe = game / "Tarn.exe";
    const fs::path outside = root.path() / "outside.exe";
    writeFileAtomically(exe, makeSampleExecutable(2, original));
    const Bytes before = readWholeFile(exe);
    std::istringstream in("y\n\n");
    std::ostringstream out;
    TarnPatch program(patch(carried), {}, game, in, out);
    std::error_code noLinks;
    program.setBeforeWriteForTesting([&](const std::string& name) {
        if (name == "Tarn.exe") {
            fs::rename(exe, outside);
            fs::create_symlink(outside, exe, noLinks);
        }
    });
    const int code = program.run();
    if (noLinks) {
        GTEST_SKIP() << "no symbolic links here";
    }
    EXPECT_EQ(code, 1) << out.str();
    EXPECT_NE(flat(comparableConsole(out.str())).find("Tarn.exe is a link"), std::string::npos)
        << out.str();
    EXPECT_EQ(readWholeFile(outside), before);
    EXPECT_TRUE(fs::is_symlink(exe));
}

// The digest of the written executable is begun with the plan, before the object files are
// written; a file changed in between gets the digest of what was written into it, so that a
// restore does not take the patch's own write for a later change.
TEST_F(GameExecutableTest, AnExecutableChangedAfterThePlanGetsTheDigestOfWhatWasWritten) {
    const std::vector<std::string> original = gameTexts();
    const CarriedExeTexts carried = differingExeTexts(original, translatedTexts(original, 100, 0));
    const fs::path exe = game / "Tarn.exe";
    writeFileAtomically(exe, makeSampleExecutable(2, original));
    Bytes changed = readWholeFile(exe);
    changed[0x50] ^= 1;  // the DOS stub: the placement is the same
    std::istringstream in("y\n\n");
    std::ostringstream out;
    TarnPatch program(patch(carried), {}, game, in, out);
    program.setBeforeWriteForTesting([&](const std::string& name) {
        if (name == "A.DAT") {
            writeFileAtomically(exe, changed);
        }
    });
    ASSERT_EQ(program.run(), 0) << out.str();
    EXPECT_EQ(readWholeFile(exe)[0x50], changed[0x50]);

    EXPECT_EQ(run(endUserResources({}), "y\n\n", true), 0) << console;
    EXPECT_EQ(console.find("has changed since"), std::string::npos) << console;
    EXPECT_EQ(readWholeFile(exe), changed);
}

TEST_F(GameExecutableTest, NoneOrSeveralExecutablesLeaveOnlyTheObjectFilesChanged) {
    const std::vector<std::string> original = gameTexts();
    const CarriedExeTexts carried = differingExeTexts(original, translatedTexts(original, 10, 0));
    writeFileAtomically(game / "readme.exe", toBytes("MZ not the game"));
    run(patch(carried), "y\n\n");
    EXPECT_NE(console.find("No game executable was found"), std::string::npos) << console;
    EXPECT_NE(readWholeFile(game / "ObjData" / "A.DAT"), objectOriginal);

    const Bytes sample = makeSampleExecutable(2, original);
    writeFileAtomically(game / "Tarn.exe", sample);
    writeFileAtomically(game / "TARN-1.2.EXE", sample);
    run(patch(carried), "y\n\n");
    EXPECT_NE(console.find("More than one game executable was found (TARN-1.2.EXE, Tarn.exe)"),
              std::string::npos)
        << console;
    EXPECT_EQ(readWholeFile(game / "Tarn.exe"), sample);
    EXPECT_EQ(readWholeFile(game / "TARN-1.2.EXE"), sample);

    // Named on the command line, the one is changed.
    std::istringstream in("y\n\n");
    std::ostringstream out;
    TarnPatch program(patch(carried), {}, game, in, out);
    program.setNamedExecutable(namedExecutableOf({"/games/tarn.exe"}));
    EXPECT_EQ(program.run(), 0) << out.str();
    EXPECT_NE(readWholeFile(game / "Tarn.exe"), sample);
    EXPECT_EQ(readWholeFile(game / "TARN-1.2.EXE"), sample);
}

#ifndef _WIN32
// The run is killed before each of its renames in turn: the executable is the original or fully
// translated, never between, and whenever it changed its original is kept; --restore brings
// back every byte.
TEST_F(GameExecutableTest, AKilledRunNeverLeavesTheExecutableHalfWrittenOrWithoutItsOriginal) {
    const std::vector<std::string> original = gameTexts();
    const std::vector<std::string> translated = translatedTexts(original, 3453, 0);
    CarriedExeTexts carried = differingExeTexts(original, translated);
    carried.primaryLangId = kPolish;
    const fs::path exe = game / "Tarn.exe";
    bool finished = false;
    for (std::size_t writes = 0; !finished && writes < 20; ++writes) {
        SCOPED_TRACE(writes);
        fs::remove_all(game);
        SetUp();
        writeFileAtomically(exe, makeSampleExecutable(4, original));
        const Bytes before = readWholeFile(exe);
        finished = runKilledBeforeRename(writes, [&] { return run(patch(carried), "y\n\n"); });
        if (readWholeFile(exe) != before) {
            ExecutableTexts after;
            readExecutableTexts(exe, after);
            EXPECT_EQ(after.texts, translated);
            EXPECT_EQ(readWholeFile(game / kExeBackupFolderName / "Tarn.exe"), before);
        }
        run(endUserResources({}), "y\ny\ny\n\n", true);
        EXPECT_EQ(readWholeFile(exe), before);
        EXPECT_EQ(readWholeFile(game / "ObjData" / "A.DAT"), objectOriginal);
    }
    EXPECT_TRUE(finished);
}
#endif

}  // namespace
}  // namespace tarn
