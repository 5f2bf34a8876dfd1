// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool exe budget, exe check and obj check on generated executables and object files.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/exe_profile.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_writer.h"
#include "objfiles/sample_objects.h"
#include "spelling/spell_checker.h"
#include "spelling/tests/test_dictionary.h"
#include "tests/run_child.h"
#include "textcodes/code_table.h"

namespace tarn {
namespace {

class CheckCommandsTest : public ::testing::Test {
protected:
    TempDir dir;
    TempDir scratch;

    ChildResult run(const std::string& args) {
        return runIn(dir.path(), tarntool(args), "", scratch.path());
    }
    void writeExe(const char* name, const std::vector<std::string>& texts) {
        writeFileAtomically(dir.path() / name, makeSampleExecutable(1, texts));
    }
};

TEST_F(CheckCommandsTest, BudgetOfTheFileAndOfATextsFile) {
    writeExe("trans.exe", sampleTexts());
    const ChildResult own = run("exe budget trans.exe");
    EXPECT_EQ(own.code, 0);
    // The figure the save reports for the same texts.
    const SaveResult saved = saveStrings(dir.path() / "trans.exe", sampleTexts(), {});
    EXPECT_EQ(own.out, std::to_string(saved.freeSpace) + " bytes free\n");

    std::string lines = run("exe export trans.exe").out;
    lines.replace(0, lines.find('\n'), "");  // text 1 empty: the room it leaves to the others
    writeFileAtomically(dir.path() / "texts.txt", toBytes(lines));
    const ChildResult without = run("exe budget trans.exe texts.txt");
    ASSERT_EQ(without.code, 0);
    const long long room = std::stoll(without.out);

    lines.insert(0, std::string(70000, 'x'));  // text 1 cannot fit anywhere
    writeFileAtomically(dir.path() / "texts.txt", toBytes(lines));
    const Bytes before = readWholeFile(dir.path() / "trans.exe");
    const ChildResult over = run("exe budget trans.exe texts.txt --code-page 1252");
    EXPECT_EQ(over.code, 1);
    // Its bytes and terminator less the unused bytes the other texts leave.
    EXPECT_EQ(over.out,
              "over by " + std::to_string(70001 - room) + " bytes: 1 texts do not fit\n1\n");
    // Every figure as JSON; growing, the text goes to an added section.
    const ChildResult json = run("exe budget trans.exe texts.txt --json");
    EXPECT_EQ(json.code, 1);
    const auto figures = nlohmann::json::parse(json.out);
    EXPECT_EQ(figures["over"], 70001 - room);
    EXPECT_EQ(figures["at_least"], false);  // the unused bytes lie in one run
    EXPECT_EQ(figures["too_long"][0]["text"], 1);
    EXPECT_EQ(figures["unplaced"], nlohmann::json::array({1}));
    const ChildResult grown = run("exe budget trans.exe texts.txt --grow --json");
    EXPECT_EQ(grown.code, 0);
    EXPECT_EQ(nlohmann::json::parse(grown.out)["added_section"],
              (nlohmann::json{{"texts", 1}, {"bytes", 70001}}));
    EXPECT_EQ(run("exe budget trans.exe texts.txt --grow").out,
              std::to_string(room) + " bytes free\n");
    EXPECT_EQ(readWholeFile(dir.path() / "trans.exe"), before);  // nothing written
}

TEST_F(CheckCommandsTest, BudgetRefusals) {
    writeExe("trans.exe", sampleTexts());
    EXPECT_EQ(run("exe budget missing.exe").code, 2);
    EXPECT_EQ(run("exe budget trans.exe --code-page 437").out,
              "tarntool: unknown code page 437; supported: 874, 1250, 1251, 1252, 1253, 1254, "
              "1255, 1256, 1257, 1258\n");
    EXPECT_EQ(run("exe budget").code, 2);
    writeFileAtomically(dir.path() / "short.txt", toBytes("one line\n"));
    const ChildResult r = run("exe budget trans.exe short.txt");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "tarntool: short.txt: the texts file has 1 lines instead of 3453\n");
}

const std::string kChecked =
    "0001 error value-codes: no value codes, the original has %N\n"
    "0002 info untranslated: the text is the same as the original\n"
    "0003 warning colours: 2 colour codes, the original has 0\n"
    "0003 warning typed-code: \xE2\x80\x9C is the colour code \\c5 (Yellow), not a character\n"
    "0003 warning typed-code: \xE2\x80\x9D is the colour code \\c6 (Orange), not a character\n"
    "0003 info longer: longer than the original by 5 bytes\n"
    "0004 error value-data: %S data \"ax\", the original has \"ab\"\n";

TEST_F(CheckCommandsTest, CheckListsFindingsAsLinesOrJson) {
    std::vector<std::string> original(kTextCount);
    std::vector<std::string> translated(kTextCount);
    original[0] = "Coins: " + rawText({123});
    translated[0] = "Muenzen:";
    original[1] = translated[1] = "Hello";
    original[2] = "Say hi";
    translated[2] = "Sag \x93hallo\x94";
    original[3] = rawText({131}) + "ab is here";  // %S and its two bytes of data
    translated[3] = rawText({131}) + "ax ist da";
    writeExe("orig.exe", original);
    writeExe("trans.exe", translated);

    const ChildResult lines = run("exe check orig.exe trans.exe");
    EXPECT_EQ(lines.code, 1);
    EXPECT_EQ(lines.out, kChecked);

    const ChildResult json = run("exe check orig.exe trans.exe --json --code-page 1252");
    EXPECT_EQ(json.code, 1);
    const auto parsed = nlohmann::json::parse(json.out);
    ASSERT_EQ(parsed.size(), 7u);
    EXPECT_EQ(parsed[0], (nlohmann::json{{"text", 1},
                                         {"severity", "error"},
                                         {"check", "value-codes"},
                                         {"message", "no value codes, the original has %N"}}));
    EXPECT_EQ(parsed[4]["message"],
              "\xE2\x80\x9D is the colour code \\c6 (Orange), not a character");
    EXPECT_EQ(parsed[5], (nlohmann::json{{"text", 3},
                                         {"severity", "info"},
                                         {"check", "longer"},
                                         {"message", "longer than the original by 5 bytes"}}));
    EXPECT_EQ(parsed[6]["check"], "value-data");
    EXPECT_EQ(parsed[6]["severity"], "error");

    // Information alone is no failure.
    const ChildResult same = run("exe check orig.exe orig.exe");
    EXPECT_EQ(same.code, 0);
    EXPECT_EQ(same.out,
              "0001 info untranslated: the text is the same as the original\n"
              "0002 info untranslated: the text is the same as the original\n"
              "0003 info untranslated: the text is the same as the original\n"
              "0004 info untranslated: the text is the same as the original\n");
    EXPECT_EQ(run("exe check orig.exe").code, 2);
    EXPECT_EQ(run("exe check orig.exe nothing.exe").code, 2);
}

// Byte 0x8F is the letter Ź in code page 1250 but unassigned in 1252, and 0xB9 the letter
// ą in 1250 but a superscript one in 1252: which findings a text gets depends on the page.
TEST_F(CheckCommandsTest, CheckSeesTheLettersOfTheChosenCodePage) {
    std::vector<std::string> original(kTextCount);
    std::vector<std::string> translated(kTextCount);
    original[0] = "Tak";
    translated[0] = rawText({0x8F, 'a', 'k'});
    original[1] = translated[1] = rawText({0xB9});
    writeExe("orig.exe", original);
    writeExe("trans.exe", translated);

    const ChildResult central = run("exe check orig.exe trans.exe --code-page 1250");
    EXPECT_EQ(central.code, 0);
    const std::string colours = "0001 warning colours: 1 colour code, the original has 0\n";
    EXPECT_EQ(central.out,
              colours +
                  "0001 warning typed-code: \xC5\xB9 is the colour code \\c1 (Grey), not a "
                  "character\n"
                  "0002 info untranslated: the text is the same as the original\n");
    const ChildResult western = run("exe check orig.exe trans.exe");
    EXPECT_EQ(western.code, 0);
    EXPECT_EQ(western.out, colours);
    EXPECT_EQ(run("exe check orig.exe trans.exe --code-page 1254").out, colours);

    const ChildResult refused = run("exe check orig.exe trans.exe --code-page 65001");
    EXPECT_EQ(refused.code, 2);
    EXPECT_EQ(refused.out.rfind("tarntool: unknown code page 65001; supported: 874, 1250", 0), 0u);
    EXPECT_EQ(run("obj check . --source-id 0 --target-id 7 --code-page x").code, 2);
}

TEST_F(CheckCommandsTest, ObjCheckComparesEachGroupsSourceAndTarget) {
    const std::filesystem::path objData = dir.path() / "ObjData";
    std::filesystem::create_directory(objData);
    const std::array<std::uint8_t, 8> name{'B', 'R', 'I', 'D', 'G', 'E', ' ', ' '};
    const ObjectFileTexts texts{
        {{0, "Cost " + rawText({128})}, {7, "Kosten"}},
        {{0, "Bridge"}, {7, "Bridge"}},
        {{0, "Only the source"}},
    };
    writeFileAtomically(objData / "BRIDGE.DAT", makeSampleObjectFile(0, 0, texts, name, 9));

    const ChildResult lines = run("obj check . --source-id 0 --target-id 7");
    EXPECT_EQ(lines.code, 1);
    EXPECT_EQ(lines.out,
              "BRIDGE.DAT 0 error value-codes: no value codes, the original has %M\n"
              "BRIDGE.DAT 1 info untranslated: the text is the same as the original\n");
    const ChildResult json = run("obj check . --source-id 0 --target-id 7 --json");
    const auto parsed = nlohmann::json::parse(json.out);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[1], (nlohmann::json{{"file", "BRIDGE.DAT"},
                                         {"group", 1},
                                         {"severity", "info"},
                                         {"check", "untranslated"},
                                         {"message", "the text is the same as the original"}}));
    // No target texts: nothing to compare.
    EXPECT_EQ(run("obj check . --source-id 0 --target-id 9").out, "");
    EXPECT_EQ(run("obj check . --source-id 0 --target-id 9").code, 0);
    EXPECT_EQ(run("obj check ObjData --source-id 0 --target-id 7").code, 2);  // no ObjData inside
    EXPECT_EQ(run("obj check . --source-id 0").code, 2);
    EXPECT_EQ(run("obj check . --source-id 0 --target-id 255").code, 2);
}

// Words are taken between the codes: %N and \c4 give none, a word beside them counts.
TEST_F(CheckCommandsTest, CheckFindsInconsistentTranslationsAndMisspeltWords) {
    std::filesystem::create_directory(dir.path() / "dict");
    writeTestDictionary(dir.path() / "dict", "de_DE", {"Spiel", "sichern", "Kosten"});
    std::vector<std::string> original(kTextCount);
    std::vector<std::string> translated(kTextCount);
    original[0] = original[1] = original[2] = "Save game";
    translated[0] = translated[2] = "Spiel sichern";
    translated[1] = "Spiel speichern";
    original[3] = rawText({'C', 'o', 's', 't', 's', ' ', 123, 146});
    translated[3] = rawText({'K', 'o', 's', 't', 'e', 'n', ' ', 123, 146});
    original[4] = rawText({123, 'C', 'o', 's', 't', 's', 146});
    translated[4] = rawText({123, 'K', 'o', 's', 't', 'n', 146});
    writeExe("orig.exe", original);
    writeExe("trans.exe", translated);

    // Within a text, its own findings come first (longer among them), then those across texts,
    // then spelling.
    const std::string inconsistent =
        "0001 info longer: longer than the original by 4 bytes\n"
        "0002 info longer: longer than the original by 6 bytes\n"
        "0002 warning inconsistent: text 1 has the same original, translated otherwise\n";
    const std::string longer =
        "0003 info longer: longer than the original by 4 bytes\n"
        "0004 info longer: longer than the original by 1 byte\n";
    EXPECT_EQ(run("exe check orig.exe trans.exe").out, inconsistent + longer);
    const ChildResult spelt =
        run("exe check orig.exe trans.exe --spelling de --dictionary-dir dict");
    EXPECT_EQ(spelt.code, 0);  // findings of spelling are information
    EXPECT_EQ(spelt.out, inconsistent + "0002 info spelling: unknown word: speichern\n" + longer +
                             "0005 info spelling: unknown word: Kostn\n");

    EXPECT_EQ(run("exe check orig.exe trans.exe --dictionary-dir dict").out,
              "tarntool: --dictionary-dir needs --spelling LANG\n");
    EXPECT_EQ(run("exe check orig.exe trans.exe --spelling ../de --dictionary-dir dict").code, 2);
    // A language whose dictionary the machine lacks (those of the Windows package are installed).
    if (!findDictionary("eo", {"/usr/share/hunspell"})) {
        // Every folder looked in, and what to do.
        const ChildResult missing =
            runIn(dir.path(),
                  "XDG_DATA_HOME=/data " +
                      tarntool("exe check orig.exe trans.exe --spelling eo --dictionary-dir dict"),
                  "", scratch.path());
        EXPECT_EQ(missing.code, 2);
        const std::string programFolder =
            std::filesystem::path(TARNTOOL_PATH).parent_path().string();
        EXPECT_EQ(missing.out, "tarntool: no spelling dictionary for eo in dict, " + programFolder +
                                   "/dictionaries, /data/TarnEdit/dictionaries, "
                                   "/usr/share/hunspell: install the Debian package hunspell-eo, "
                                   "or put eo.aff and eo.dic into /data/TarnEdit/dictionaries\n");
    }

    const std::filesystem::path objData = dir.path() / "ObjData";
    std::filesystem::create_directory(objData);
    const std::array<std::uint8_t, 8> name{'B', 'R', 'I', 'D', 'G', 'E', ' ', ' '};
    const ObjectFileTexts texts{
        {{0, "Save game"}, {7, "Spiel sichern"}},
        {{0, "Save game"}, {7, "Spiel speichern"}},
        {{0, "Save game"}, {7, "Save game"}},
    };
    writeFileAtomically(objData / "BRIDGE.DAT", makeSampleObjectFile(0, 0, texts, name, 9));
    const ChildResult objects =
        run("obj check . --source-id 0 --target-id 7 --spelling de_DE --dictionary-dir dict");
    EXPECT_EQ(objects.code, 0);
    // Object texts are longer here too, but they take no longer check.
    EXPECT_EQ(objects.out,
              "BRIDGE.DAT 1 warning inconsistent: BRIDGE.DAT 0 has the same original, translated "
              "otherwise\n"
              "BRIDGE.DAT 1 info spelling: unknown word: speichern\n"
              "BRIDGE.DAT 2 info untranslated: the text is the same as the original\n");
}

}  // namespace
}  // namespace tarn
