// SPDX-License-Identifier: GPL-3.0-or-later
// Every sample executable is the stand-in game, a 32-bit Windows program, run here under the
// 32-bit Wine: Windows' loader maps it, and the program follows its own pointers as the game
// does. What it reads must be what tarntool says the file stores, before and after a rewrite.
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/added_section.h"
#include "exetext/exe_profile.h"
#include "exetext/sample_executable.h"
#include "exetext/sample_texts.h"
#include "exetext/stand_in_image.h"
#include "exetext/string_table_writer.h"
#include "tests/windows/stand_in_run.h"

namespace tarn {
namespace {

const auto* const kWine = ::testing::AddGlobalTestEnvironment(new WinePrefix(WINESERVER_PATH));

class StandIn : public ::testing::Test {
protected:
    ChildResult tool(const std::string& args) {
        return runIn(scratch.path(), tarntool(args), "", scratch.path(),
                     scratch.path() / "tool-errors.txt");
    }

    StandInRun run(const std::string& exe) { return runStandIn(scratch.path(), exe); }
    std::string storedHex(const std::string& exe) {
        std::string hex = tarn::storedHex(scratch.path(), exe);
        EXPECT_NE(hex, "");
        return hex;
    }

    // What `file` says of it: a 32-bit Windows console program.
    void expectConsoleProgram(const std::string& exe) {
        const ChildResult described =
            runIn(scratch.path(), "file -b " + shellQuoted(exe), "", scratch.path());
        EXPECT_EQ(described.out.rfind("PE32 executable (console) Intel 80386", 0), 0u)
            << described.out;
    }

    TempDir scratch;
};

TEST_F(StandIn, EverySampleIsAWindowsProgramThatReadsWhatTheFileStores) {
    struct Case {
        const char* make;
        const char* exe;
        int profile;
    };
    for (const Case& c :
         {Case{"sample-game game", "game/Tarn.exe", 2}, Case{"exe sample 1 s1.exe", "s1.exe", 1},
          Case{"exe sample 2 s2.exe", "s2.exe", 2}, Case{"exe sample 3 s3.exe", "s3.exe", 3},
          Case{"exe sample 4 s4.exe", "s4.exe", 4}}) {
        SCOPED_TRACE(c.make);
        ASSERT_EQ(tool(c.make).code, 0);
        const fs::path exe = scratch.path() / c.exe;
        EXPECT_EQ(fs::file_size(exe),
                  static_cast<std::uintmax_t>(profileByNumber(c.profile).fileSize));
        expectConsoleProgram(exe.string());

        // Layouts A and B are as full as the game's; layout C is larger.
        if (c.profile != 4) {
            std::int64_t areas = 0;
            for (const TextArea& area : profileByNumber(c.profile).textAreas) {
                areas += area.last - area.first + 1;
            }
            const ChildResult budget = tool("exe budget " + shellQuoted(exe.string()));
            ASSERT_EQ(budget.code, 0);
            EXPECT_LE(std::stoll(budget.out) * 50, areas) << budget.out;
            EXPECT_EQ(budget.out.substr(budget.out.find(' ')), " bytes free\n");
        }

        const StandInRun game = run(exe.string());
        EXPECT_EQ(game.code, 0);
        EXPECT_EQ(game.texts, storedHex(exe.string()));
        ASSERT_FALSE(game.rest.empty());
        EXPECT_EQ(game.rest[0], "ids 00 00");
        EXPECT_TRUE(game.allChecksHeld()) << ::testing::PrintToString(game.rest);
    }
}

// Changed texts, some shorter and some longer, and new language IDs: the game reads exactly
// what the import stored, and every pointer and fix-up still holds.
TEST_F(StandIn, ImportedTextsAndIdsAreWhatTheGameReads) {
    ASSERT_EQ(tool("exe sample 1 game.exe").code, 0);
    ASSERT_EQ(tool("exe export game.exe -o texts.txt").code, 0);
    std::vector<std::string> texts = lines(toString(readWholeFile(scratch.path() / "texts.txt")));
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(kTextCount));
    std::size_t changed = 0;
    for (std::size_t i = 0; i < texts.size(); i += 5) {
        std::string& text = texts[i];
        if (text.find_first_of("\\%") == std::string::npos && text.size() > 3) {
            text = i % 2 == 0 ? text.substr(0, text.size() / 2)
                              : "Nowy " + text.substr(text.size() / 2);
            ++changed;
        }
    }
    ASSERT_GT(changed, 300u);
    std::string changedFile;
    for (const std::string& text : texts) {
        changedFile += text + "\n";
    }
    writeFileAtomically(scratch.path() / "changed.txt", toBytes(changedFile));
    const std::string before = storedHex("game.exe");

    ASSERT_EQ(tool("exe import game.exe changed.txt --primary-id 14 --secondary-id 3").code, 0)
        << toString(readWholeFile(scratch.path() / "tool-errors.txt"));
    const std::string after = storedHex("game.exe");
    EXPECT_NE(after, before);
    const StandInRun game = run("game.exe");
    EXPECT_EQ(game.code, 0);
    EXPECT_EQ(game.texts, after);
    ASSERT_FALSE(game.rest.empty());
    EXPECT_EQ(game.rest[0], "ids 0e 03");
}

// The translator's executable is one build, the player's another with the same original texts:
// the Windows end-user program, run under the 32-bit Wine, writes the Polish texts and IDs into
// the player's build, the stand-in game reads them, the object file holds its Polish text, and
// --restore gives back every byte.
TEST_F(StandIn, ThePlayersProgramCarriesTheTranslationIntoAnotherBuild) {
    ASSERT_EQ(tool("sample-game translator").code, 0);
    ASSERT_EQ(tool("sample-game game").code, 0);
    ASSERT_EQ(tool("exe sample 4 game/Tarn.exe").code, 0);
    ASSERT_EQ(tool("exe sample 2 original.exe").code, 0);
    ASSERT_EQ(tool("exe export original.exe -o texts.txt").code, 0);
    std::vector<std::string> texts = lines(toString(readWholeFile(scratch.path() / "texts.txt")));
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(kTextCount));
    for (std::size_t i = 0; i < texts.size(); i += 3) {
        if (texts[i].find_first_of("\\%") == std::string::npos && texts[i].size() > 3) {
            texts[i] = "Pl " + texts[i].substr(texts[i].size() / 2);
        }
    }
    std::string polish;
    for (const std::string& text : texts) {
        polish += text + "\n";
    }
    writeFileAtomically(scratch.path() / "polish.txt", toBytes(polish));
    fs::copy_file(scratch.path() / "original.exe", scratch.path() / "translated.exe");
    ASSERT_EQ(tool("exe import translated.exe polish.txt --primary-id 14").code, 0);
    const fs::path sword = scratch.path() / "translator" / "ObjData" / "ITEM_SWORD.DAT";
    ASSERT_EQ(tool("obj set " + shellQuoted(sword.string()) + " --group 0 --id 14 --hex 4d69656378")
                  .code,
              0);
    if (tool("patch build --game translator --target windows -o patch.exe --exe translated.exe "
             "--original original.exe")
            .code != 0) {
        GTEST_SKIP() << "this tarntool carries no Windows end-user program";
    }
    const fs::path game = scratch.path() / "game";
    const Bytes exeBefore = readWholeFile(game / "Tarn.exe");
    const Bytes swordBefore = readWholeFile(game / "ObjData" / "ITEM_SWORD.DAT");
    auto runPatch = [&](const std::string& arguments) {
        return runIn(game,
                     shellQuoted(WINE32_PATH) + " " +
                         shellQuoted((scratch.path() / "patch.exe").string()) + arguments,
                     "y\n\n", scratch.path(), scratch.path() / "wine-errors.txt");
    };
    const ChildResult patched = runPatch("");
    ASSERT_EQ(patched.code, 0) << patched.out;
    EXPECT_NE(patched.out.find("Tarn.exe:"), std::string::npos) << patched.out;

    ASSERT_EQ(tool("exe export game/Tarn.exe -o player.txt").code, 0);
    EXPECT_EQ(toString(readWholeFile(scratch.path() / "player.txt")), polish);
    const StandInRun stand = run("game/Tarn.exe");
    EXPECT_EQ(stand.code, 0);
    EXPECT_EQ(stand.texts, storedHex("game/Tarn.exe"));
    ASSERT_FALSE(stand.rest.empty());
    EXPECT_EQ(stand.rest[0], "ids 0e 00");
    EXPECT_TRUE(stand.allChecksHeld()) << ::testing::PrintToString(stand.rest);
    EXPECT_NE(readWholeFile(game / "ObjData" / "ITEM_SWORD.DAT"), swordBefore);

    const ChildResult restored = runPatch(" --restore");
    EXPECT_EQ(restored.code, 0) << restored.out;
    EXPECT_EQ(readWholeFile(game / "Tarn.exe"), exeBefore);
    EXPECT_EQ(readWholeFile(game / "ObjData" / "ITEM_SWORD.DAT"), swordBefore);
}

// A translation a quarter longer than the original, imported with --grow into builds with and
// without an overlay: Windows still loads the program, and the game reads every text, from the
// build's areas and from the added section alike.
TEST_F(StandIn, GrownExecutablesAreReadWhole) {
    for (const char* profile : {"1", "2", "4"}) {
        SCOPED_TRACE(profile);
        ASSERT_EQ(tool(std::string("exe sample ") + profile + " grown.exe").code, 0);
        ASSERT_EQ(tool("exe pseudo grown.exe -o long.txt --expand 25").code, 0);
        ASSERT_EQ(tool("exe import grown.exe long.txt --grow").code, 0)
            << toString(readWholeFile(scratch.path() / "tool-errors.txt"));
        expectConsoleProgram("grown.exe");
        const StandInRun game = run("grown.exe");
        EXPECT_EQ(game.code, 0);
        EXPECT_EQ(game.texts, storedHex("grown.exe"));
        EXPECT_TRUE(game.allChecksHeld()) << ::testing::PrintToString(game.rest);
    }
}

// The game may write a padded text's 31 spare bytes while it runs: a stand-in whose texts lie in
// memory that cannot be written says so and fails, rather than faulting.
TEST_F(StandIn, SpareBytesThatCannotBeWrittenFailItsCheck) {
    ASSERT_EQ(tool("exe sample 2 game.exe").code, 0);
    Bytes image = readWholeFile(scratch.path() / "game.exe");
    const auto textArea = static_cast<std::uint32_t>(profileByNumber(2).textAreas[0].first);
    for (const PeSection& s : peSections(image)) {
        if (s.rawOffset <= textArea && textArea - s.rawOffset < s.rawSize) {
            writeU32LE(image.data() + s.headerOffset + 36, s.characteristics & ~kSectionWritable);
        }
    }
    writeFileAtomically(scratch.path() / "game.exe", image);

    const StandInRun game = run("game.exe");
    EXPECT_EQ(game.code, 1);
    EXPECT_EQ(game.texts, storedHex("game.exe"));
    std::string failures;
    for (const std::string& line : game.rest) {
        if (line.rfind("failed: ", 0) == 0) {
            failures += line + "\n";
        }
    }
    EXPECT_EQ(failures,
              "failed: the 31 spare bytes after text 3166 lie in memory the game can write\n"
              "failed: the 31 spare bytes after text 3169 lie in memory the game can write\n");
}

// The file offset of text n's pointer in its pointer block.
std::size_t pointerOffset(const ExeProfile& profile, int n) {
    for (const PointerBlock& block : profile.pointerBlocks) {
        if (n <= block.pointerCount()) {
            return static_cast<std::size_t>(block.first) + 4 * static_cast<std::size_t>(n - 1);
        }
        n -= block.pointerCount();
    }
    throw std::out_of_range("no such text");
}

// Texts whose pointers lead into a section added to the file are read from there as from the
// build's own text areas, a padded text's spare bytes included; the grown file is still a
// program that Windows runs. A pointer into the section's record leads to no text.
TEST_F(StandIn, TextsInAnAddedSectionAreReadFromThere) {
    const std::vector<std::string> texts = sampleTexts();
    for (const int profile : {1, 2}) {
        SCOPED_TRACE(profile);
        const ExeProfile& p = profileByNumber(profile);
        const Bytes original = makeSampleExecutable(profile, texts);
        writeFileAtomically(scratch.path() / "original.exe", original);
        const StandInRun before = run("original.exe");
        ASSERT_EQ(before.code, 0);

        Bytes grown = withAddedSection(original, profile, 4096);
        const std::optional<AddedSection> added = findAddedSection(grown);
        ASSERT_TRUE(added);
        std::int32_t next = added->area.first;
        // Places stored bytes and a terminator in the added area; their address.
        const auto place = [&](std::string stored) {
            stored.push_back('\0');
            std::copy(stored.begin(), stored.end(), grown.begin() + next);
            const auto address = static_cast<std::uint32_t>(next + added->area.delta);
            next += static_cast<std::int32_t>(stored.size());
            return address;
        };
        // Text 5 gets new bytes; texts 3166 (padded, its end reference follows) and 3453 (the
        // last pointer block) are moved as they are.
        writeU32LE(grown.data() + pointerOffset(p, 5), place("Tarn"));
        const std::string padded = expandPictures(texts[kPaddedText1 - 1]);
        const std::uint32_t paddedAddress = place(padded + std::string(kTextPadding, '\0'));
        writeU32LE(grown.data() + pointerOffset(p, kPaddedText1), paddedAddress);
        writeU32LE(grown.data() + p.fixupSpot(FixupSpot::TextEndRef1),
                   paddedAddress + static_cast<std::uint32_t>(padded.size()));
        writeU32LE(grown.data() + pointerOffset(p, kTextCount),
                   place(expandPictures(texts[kTextCount - 1])));
        ASSERT_LE(next, added->area.last + 1);
        writeFileAtomically(scratch.path() / "grown.exe", grown);

        expectConsoleProgram("grown.exe");
        const StandInRun game = run("grown.exe");
        EXPECT_EQ(game.code, 0);
        std::vector<std::string> expected = lines(before.texts);
        expected[4] = "5461726e";
        EXPECT_EQ(lines(game.texts), expected);
        EXPECT_TRUE(game.allChecksHeld()) << ::testing::PrintToString(game.rest);

        // The record is not text.
        writeU32LE(grown.data() + pointerOffset(p, 6),
                   static_cast<std::uint32_t>(added->area.first - 1 + added->area.delta));
        writeFileAtomically(scratch.path() / "grown.exe", grown);
        const StandInRun record = run("grown.exe");
        EXPECT_EQ(record.code, 1);
        ASSERT_GT(lines(record.texts).size(), 5u);
        EXPECT_EQ(lines(record.texts)[5], "-- Not found! --");
    }
}

}  // namespace
}  // namespace tarn
