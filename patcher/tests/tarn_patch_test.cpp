// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/tarn_patch.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "enduser/end_user_program.h"
#include "objfiles/object_folder.h"
#include "objfiles/sample_objects.h"
#include "patcher/tests/console_text.h"
#include "patcher/tests/end_user_resources.h"
#include "platform/core/console.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'N', 'A', 'M', 'E', '0', '0', '0', '1'};

ObjectFile textsFor(const std::string& name, ObjectFileTexts texts) {
    ObjectFile f;
    f.fileName = name;
    f.texts = std::move(texts);
    return f;
}

// A game folder with ObjData/A.DAT (RLE) and ObjData/B.DAT (scrambled), and a patch run.
class TarnPatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        objData = game.path() / "objdata";
        fs::create_directory(objData);
        writeFileAtomically(objData / "A.DAT",
                            makeSampleObjectFile(1, 1, {{{0, "Sword"}, {1, "Epee"}}}, kName, 1));
        writeFileAtomically(objData / "b.dat",
                            makeSampleObjectFile(10, 3, {{{0, "x"}}, {}, {{0, "z"}}}, kName, 2));
    }

    int run(const std::vector<ObjectFile>& files, const std::string& answers,
            EndUserOptions options = {}) {
        return runWith(endUserResources(files, options), answers);
    }

    int runWith(ResourceBundle bundle, const std::string& answers) {
        std::istringstream in(answers);
        std::ostringstream out;
        TarnPatch patch(std::move(bundle), {}, game.path(), in, out);
        const int code = patch.run();
        console = comparableConsole(out.str());
        return code;
    }

    ObjectFile load(const std::string& name) { return loadObjectFile(objData / name); }

    TempDir game;
    fs::path objData;
    std::string console;
};

const std::string kHeader = "Tarn Object Text Changer\n------------------------\n\n";
const std::string kBlank = std::string(79, ' ') + "\r";

TEST_F(TarnPatchTest, AppliesTheTextsAndShowsTheWholeDialogue) {
    const Bytes bBefore = readWholeFile(objData / "b.dat");
    // The game reads a file storing a wrong checksum: it is patched like any other.
    Bytes damaged = readWholeFile(objData / "A.DAT");
    writeU32LE(damaged.data() + 12, 0x0000ABCD);
    writeFileAtomically(objData / "A.DAT", damaged);
    const int code = run({textsFor("a.dat", {{{1, "Schwert"}, {7, "Miecz"}}}),
                          textsFor("B.DAT", {{}, {{4, "new"}}, {}})},
                         "yes\n\n");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(load("A.DAT").texts, (ObjectFileTexts{{{0, "Sword"}, {1, "Schwert"}, {7, "Miecz"}}}));
    EXPECT_FALSE(load("A.DAT").wrongChecksum);
    EXPECT_EQ(load("b.dat").texts, (ObjectFileTexts{{{0, "x"}}, {{4, "new"}}, {{0, "z"}}}));
    EXPECT_NE(readWholeFile(objData / "b.dat"), bBefore);
    EXPECT_EQ(load("b.dat").encoding, 3);

    // Each line breaks at its last space once it reaches 80 characters.
    const std::string question =
        "This program is going to modify some Tarn files so that they include texts\n"
        "needed for the translation to work. Before it changes a file for the first\n"
        "time, it keeps the original in the \"TarnPatch-backup\" directory; to put the\n"
        "original files back, run this program again with --restore. Do you want to\n"
        "continue? [Y/N]";
    EXPECT_EQ(console, kHeader + question + "Processing files, please be patient...\n\n" + kBlank +
                           "Processing a.dat (1 file(s) left)\r" + kBlank +
                           "Processing B.DAT (0 file(s) left)\r" + kBlank +
                           "All OK\nThe original files are kept in the \"TarnPatch-backup\" "
                           "directory. To put them\nback, run this program again with "
                           "--restore.\n\nPress ENTER to continue\n");
}

TEST_F(TarnPatchTest, StartUpFailuresEndWithExitCodeOne) {
    EXPECT_EQ(runWith(ResourceBundle(), "\n"), 1);
    EXPECT_EQ(console, kHeader +
                           "ERROR: No language resources were found, the executable file may be "
                           "corrupt!\n\nPress Enter to finish program.\n");

    ResourceBundle noTexts;
    noTexts.put({6, ResourceName::number(1), 0}, buildMessageTableBlock(defaultMessages(), "y"));
    EXPECT_EQ(runWith(noTexts, "\n"), 1);
    EXPECT_EQ(console, kHeader +
                           "Cannot find new texts - the executable may be corrupt!\n\n"
                           "Press ENTER to continue\n");

    fs::remove_all(objData);
    EXPECT_EQ(run({}, "\n"), 1);
    EXPECT_NE(console.find("The \"ObjData\" directory isn't found - make sure that you run this "
                           "file from\nyour Tarn directory!\n\nPress ENTER to continue\n"),
              std::string::npos);
}

// Each question takes the answers the yes characters allow and no other; declining ends with
// message 16 and waits for ENTER like every other ending; message 17 is the header.
TEST_F(TarnPatchTest, AnswersDecliningAndTheHeaderFollowTheMessageTable) {
    struct Case {
        const char* what;
        std::string yesChars;
        std::string answers;
        int code;
        bool changed;
        bool openErrorFirst;  // a missing file before A.DAT asks the error question
        std::vector<std::string> shown;
        std::function<void(EndUserOptions&)> messages = {};
    };
    const std::string declined = "[Y/N]Nothing was changed.\n\nPress ENTER to continue\n";
    const std::vector<Case> cases = {
        {"no", "y", "n\n", 1, false, false, {declined}},
        {"end of input is no", "y", "", 1, false, false, {declined}},
        {"tT takes t", "tT", "t\n\n", 0, true, false, {"[Y/N]Processing files"}},
        {"tT takes T at the error question too",
         "tT",
         "T\nt\n\n",
         1,
         true,
         true,
         {"remaining files? [Y/N]"}},
        {"tT refuses y", "tT", "y\n\n", 1, false, false, {declined}},
        {"translated ending",
         "y",
         "n\n",
         1,
         false,
         false,
         {"[Y/N]Nic nie zmieniono.\n\nPress ENTER to continue\n"},
         [](EndUserOptions& o) { o.messages[15] = "Nic nie zmieniono."; }},
        {"translated header",
         "y",
         "n\n",
         1,
         false,
         false,
         {"Zmieniacz tekst\xC3\xB3w Tarn\n----------------------\n\nThis program"},
         [](EndUserOptions& o) { o.messages[16] = "Zmieniacz tekst\xC3\xB3w Tarn"; }},
        {"empty header",
         "y",
         "n\n",
         1,
         false,
         false,
         {kHeader + "This program"},
         [](EndUserOptions& o) { o.messages[16].clear(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(game.path() / "TarnPatch-backup");
        SetUp();
        const Bytes before = readWholeFile(objData / "A.DAT");
        EndUserOptions options;
        options.yesChars = c.yesChars;
        if (c.messages) {
            c.messages(options);
        }
        std::vector<ObjectFile> files = {textsFor("A.DAT", {{{0, "changed"}}})};
        if (c.openErrorFirst) {
            files.insert(files.begin(), textsFor("missing.dat", {{{0, "x"}}}));
        }
        EXPECT_EQ(run(files, c.answers, options), c.code);
        EXPECT_EQ(readWholeFile(objData / "A.DAT") != before, c.changed);
        for (const std::string& text : c.shown) {
            // The console takes the system's own encoding of the message table's letters.
            EXPECT_NE(console.find(comparableConsole(platform::nativeToConsoleText(text))),
                      std::string::npos)
                << console;
        }
        if (!c.changed) {
            EXPECT_EQ(console.find("Processing"), std::string::npos);
        }
    }
}

TEST_F(TarnPatchTest, AProgramBuiltBeforeTheSecondBlockShowsTheBuiltInHeaderAndEnding) {
    ResourceBundle bundle;
    bundle.put({kStringTableType, ResourceName::number(kMessageTableName), 0},
               buildMessageTableBlock(defaultMessages(), "y"));
    bundle.put({kRawDataType, ResourceName::string(kObjectTextsName), 0},
               writeObjectTexts({textsFor("A.DAT", {{{0, "changed"}}})}, {}));
    EXPECT_EQ(runWith(bundle, "n\n"), 1);
    EXPECT_EQ(console.rfind(kHeader + "This program", 0), 0u);
    EXPECT_NE(console.find("[Y/N]Nothing was changed.\n\nPress ENTER to continue\n"),
              std::string::npos);
}

TEST_F(TarnPatchTest, OpenErrorAnsweredYesGoesOnWithTheNextFile) {
    const int code =
        run({textsFor("missing.dat", {{{0, "a"}}, {{1, "b"}}}), textsFor("A.DAT", {{{0, "new"}}})},
            "y\ny\n\n");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(load("A.DAT").texts[0][0].text, "new");
    EXPECT_NE(
        console.find("\nThe following error occured while trying to open ObjData/missing.dat:\n"
                     "Cannot open file"),
        std::string::npos);
    EXPECT_NE(console.find("Do you want to ignore the error and try to process the remaining "
                           "files? [Y/N]"),
              std::string::npos);
    EXPECT_NE(console.find("Processing finished with 1 error(s)\nThe original files are kept"),
              std::string::npos);
}

TEST_F(TarnPatchTest, OpenErrorAnsweredNoStopsWithTheSummary) {
    const Bytes before = readWholeFile(objData / "A.DAT");
    EXPECT_EQ(
        run({textsFor("missing.dat", {{{0, "a"}}}), textsFor("A.DAT", {{{0, "new"}}})}, "y\nn\n\n"),
        1);
    EXPECT_EQ(readWholeFile(objData / "A.DAT"), before);
    EXPECT_EQ(console.find("Processing A.DAT"), std::string::npos);
    EXPECT_NE(console.find("[Y/N]Processing finished with 1 error(s)\n"), std::string::npos);
}

TEST_F(TarnPatchTest, NamesThatLeaveObjDataAreRefusedAsOpenErrors) {
    writeFileAtomically(game.path() / "outside.dat",
                        makeSampleObjectFile(2, 0, {{{0, "o"}}}, kName, 3));
    const Bytes outside = readWholeFile(game.path() / "outside.dat");
    const std::vector<std::string> names = {
        "../outside.dat", "..",
        "sub/A.DAT",      "sub\\A.DAT",
        "C:outside.dat",  (game.path() / "outside.dat").string()};
    std::vector<ObjectFile> files;
    for (const std::string& name : names) {
        files.push_back(textsFor(name, {{{0, "evil"}}}));
    }
    files.push_back(textsFor("A.DAT", {{{0, "good"}}}));
    std::string answers = "y\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        answers += "y\n";
    }
    EXPECT_EQ(run(files, answers + "\n"), 1);
    EXPECT_EQ(readWholeFile(game.path() / "outside.dat"), outside);
    EXPECT_EQ(load("A.DAT").texts[0][0].text, "good");
    EXPECT_NE(console.find("Processing finished with 6 error(s)"), std::string::npos);
    EXPECT_NE(console.find("is not a plain file name"), std::string::npos);
    EXPECT_FALSE(isPlainFileName(""));
    EXPECT_TRUE(isPlainFileName("A.DAT"));
}

TEST_F(TarnPatchTest, TextsEndingEarlyAreAnOpenErrorThatStopsCleanly) {
    const Bytes full = writeObjectTexts(
        {textsFor("A.DAT", {{{0, "first"}}}), textsFor("b.dat", {{{0, "second"}}, {}, {}})}, {});
    const Bytes before = readWholeFile(objData / "b.dat");
    // Cut inside the second record's text, then inside its name.
    for (std::size_t cut : {full.size() - 3, std::size_t{5} + 1 + 5 + 1 + 1 + 4 + 5 + 1 + 2}) {
        ResourceBundle bundle;
        bundle.put({6, ResourceName::number(1), 0}, buildMessageTableBlock(defaultMessages(), "y"));
        bundle.put({10, ResourceName::string("OBJTEXTS"), 0},
                   Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut)));
        EXPECT_EQ(runWith(bundle, "y\n\n"), 1);
        EXPECT_EQ(load("A.DAT").texts[0][0].text, "first");
        EXPECT_EQ(readWholeFile(objData / "b.dat"), before);
        EXPECT_NE(console.find("The attached texts end early"), std::string::npos);
        EXPECT_NE(console.find("Processing finished with 1 error(s)"), std::string::npos);
        EXPECT_EQ(console.find("ignore the error"), std::string::npos);
    }
}

TEST_F(TarnPatchTest, SaveErrorLeavesTheOldFileWhole) {
    const Bytes before = readWholeFile(objData / "A.DAT");
    setWriteFaultForTesting({WriteFault::Step::WriteData, 10});
    const int code =
        run({textsFor("A.DAT", {{{0, "new"}}}), textsFor("b.dat", {{{0, "x2"}}})}, "y\ny\n\n");
    setWriteFaultForTesting({});
    EXPECT_EQ(code, 1);
    EXPECT_EQ(readWholeFile(objData / "A.DAT"), before);
    EXPECT_NE(console.find("The following error occured while trying to save ObjData/A.DAT:\n"
                           "Cannot write file"),
              std::string::npos);
    EXPECT_NE(console.find("Processing finished with 2 error(s)"), std::string::npos);
    EXPECT_EQ(game.fileCount(), 1u);
}

TEST_F(TarnPatchTest, EmptyMessagesAndNoFilesStillGiveAFullDialogue) {
    EndUserOptions options;
    options.messages[8] = "";
    options.messages[3] = "Bitte %3 warten";  // names an insert nobody supplies
    EXPECT_EQ(run({}, "y\n\n", options), 0);
    EXPECT_NE(console.find("[Y/N]--Text not found!--\n\n" + kBlank + "--Text not found!--\n\n"),
              std::string::npos);
}

}  // namespace
}  // namespace tarn
