// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool exe export-po|import-po and obj export-po|import-po as child processes: round trips,
// gettext's msgfmt on the exported files, and bad input that must leave every file unchanged.
#include <gtest/gtest.h>

#include <unistd.h>

#include <map>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exchange/po_file.h"
#include "exchange/texts_file.h"
#include "exetext/sample_executable.h"
#include "objfiles/object_folder.h"
#include "textcodes/code_table.h"
#include "textcodes/cstyle.h"
#include "tests/folder_snapshot.h"
#include "tests/run_child.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

class PoCommandsTest : public ::testing::Test {
protected:
    TempDir dir;
    TempDir scratch;

    ChildResult run(const std::string& args) {
        return runIn(dir.path(), tarntool(args), "", scratch.path());
    }
    // Standard output alone; standard error goes to errors.
    ChildResult run(const std::string& args, std::string& errors) {
        const fs::path err = scratch.path() / "stderr.txt";
        ChildResult r = runIn(dir.path(), tarntool(args), "", scratch.path(), err);
        errors = toString(readWholeFile(err));
        return r;
    }
    ChildResult msgfmtCheck(const std::string& po) {
        return runIn(dir.path(), "'" MSGFMT_PROGRAM "' --check -o /dev/null " + po, "",
                     scratch.path());
    }
    void rewrite(const std::string& po, const std::map<std::string, std::string>& translations) {
        PoReadResult read = readPoFile(dir.path() / po);
        ASSERT_TRUE(read.problems.empty());
        std::map<std::string, std::string> rest = translations;
        for (PoEntry& e : read.entries) {
            if (const auto it = rest.find(e.context); it != rest.end()) {
                e.translation = it->second;
                e.fuzzy = false;
                rest.erase(it);
            }
        }
        for (const auto& [context, translation] : rest) {
            read.entries.push_back({context, true, "new", translation, {}, false});
        }
        writePoFile(dir.path() / po, {{"Content-Type", "text/plain; charset=UTF-8"}},
                    read.entries);
    }
};

// The sample texts translated in places: line breaks, backslashes, %%, pictures and codes, and
// one whose line breaks at the ends differ from the original's (exported fuzzy).
std::vector<std::string> translatedTexts() {
    std::vector<std::string> texts = sampleTexts();
    texts[1] = rawText({'T', 0xFC, 'r', 5, 'a', 'u', 'f'});
    texts[3] = "C:\\Tarn\\ 100% \\n";
    texts[4] = rawText({23, 1, 5, 23, 255, 146, 'r', 'o', 't', 14, 10, 123, 13});
    texts[5] = rawText({5, 'Z', 'e', 'i', 'l', 'e'});
    return texts;
}

TEST_F(PoCommandsTest, ExeRoundTripIsByteIdenticalToExeImportOfExeExport) {
    writeFileAtomically(dir.path() / "orig.exe", makeSampleExecutable(1, sampleTexts()));
    const Bytes translated = makeSampleExecutable(1, translatedTexts(), 7, 9);
    writeFileAtomically(dir.path() / "a.exe", translated);
    writeFileAtomically(dir.path() / "b.exe", translated);

    ChildResult r = run("exe export-po orig.exe a.exe -o de.po --language de");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "");
    r = msgfmtCheck("de.po");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    const std::string po = toString(readWholeFile(dir.path() / "de.po"));
    EXPECT_NE(po.find("#. text 2\n#: Tarn.exe:2\nmsgctxt \"exe/0002\"\nmsgid \"New game\"\n"
                      "msgstr \"\"\n\"T\xC3\xBCr\\n\"\n\"auf\"\n"),
              std::string::npos);
    EXPECT_NE(po.find("msgstr \"C:\\\\\\\\Tarn\\\\\\\\ 100%% \\\\\\\\n\""), std::string::npos);
    EXPECT_NE(po.find("msgstr \"\\\\p00000005\\\\p00000000\\\\c4rot\\\\d\\\\t%N\\\\x0D\""),
              std::string::npos);
    EXPECT_NE(po.find("#, fuzzy\nmsgctxt \"exe/0006\"\n"), std::string::npos);
    EXPECT_NE(po.find("\"Language: de\\n\"\n"), std::string::npos);

    // As an editor that writes a byte-order mark saves it.
    writeFileAtomically(dir.path() / "bom.po", toBytes("\xEF\xBB\xBF" + po));
    std::string errors;
    r = run("exe import-po a.exe bom.po", errors);
    EXPECT_EQ(r.code, 0) << errors;
    EXPECT_EQ(errors, "");
    ASSERT_EQ(run("exe export b.exe -o b.txt").code, 0);
    const ChildResult lines = run("exe import b.exe b.txt");
    ASSERT_EQ(lines.code, 0);
    EXPECT_EQ(r.out, "applied 0, unchanged 3, untranslated 3449, fuzzy 1, unknown 0\n" + lines.out);
    EXPECT_EQ(readWholeFile(dir.path() / "a.exe"), readWholeFile(dir.path() / "b.exe"));
    EXPECT_EQ(readWholeFile(dir.path() / "a.exe"), translated);
}

TEST_F(PoCommandsTest, ExeImportAppliesTranslationsEditedByGettextTools) {
    writeFileAtomically(dir.path() / "t.exe", makeSampleExecutable(2, sampleTexts()));
    ASSERT_EQ(run("exe export-po t.exe t.exe -o de.po").code, 0);
    rewrite("de.po", {{"exe/0002", "T\xC3\xBCr\nauf"}, {"exe/0004", "50%% \\c3rot\\d"}});
    ASSERT_EQ(runIn(dir.path(), "'" MSGCAT_PROGRAM "' --width=10 -o cat.po de.po", "",
                    scratch.path())
                  .code,
              0);
    const ChildResult r = run("exe import-po t.exe cat.po --primary-id 3 --shares shares.txt");
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "applied 2, unchanged 0, untranslated 3451, fuzzy 0, unknown 0");
    std::vector<std::string> expected = sampleTexts();
    expected[1] = rawText({'T', 0xFC, 'r', 5, 'a', 'u', 'f'});
    expected[3] = rawText({'5', '0', '%', ' ', 145, 'r', 'o', 't', 14});
    EXPECT_EQ(readWholeFile(dir.path() / "t.exe"), makeSampleExecutable(2, expected, 3, 0));
    const Bytes shares = readWholeFile(dir.path() / "shares.txt");
    EXPECT_EQ(std::count(shares.begin(), shares.end(), '\n'), 3453);
    // The same texts saved by exe import give the same file.
    writeFileAtomically(dir.path() / "u.exe", makeSampleExecutable(2, sampleTexts()));
    // Exported to standard output ("-o -") this time.
    std::string errors;
    const ChildResult exported = run("exe export-po u.exe t.exe -o -", errors);
    ASSERT_EQ(exported.code, 0) << errors;
    EXPECT_FALSE(fs::exists(dir.path() / "-"));
    writeFileAtomically(dir.path() / "back.po", toBytes(exported.out));
    ASSERT_EQ(run("exe import-po u.exe back.po --primary-id 3").code, 0);
    EXPECT_EQ(readWholeFile(dir.path() / "u.exe"), readWholeFile(dir.path() / "t.exe"));
}

// A team's round trip: exported, edited by hand (a translator comment, the team's header
// fields, a fuzzy translation), merged by msgmerge with a new template, imported, exported.
TEST_F(PoCommandsTest, NotesReviewStatesAndTeamFieldsSurviveARoundTripThroughMsgmerge) {
    writeFileAtomically(dir.path() / "orig.exe", makeSampleExecutable(2, sampleTexts()));
    writeFileAtomically(dir.path() / "t.exe", makeSampleExecutable(2, sampleTexts()));
    ASSERT_EQ(run("exe export-po orig.exe t.exe -o cs.po --code-page 1250").code, 0);
    ASSERT_EQ(run("exe export-po orig.exe orig.exe -o tarn.pot --code-page 1250").code, 0);
    std::string po = toString(readWholeFile(dir.path() / "cs.po"));
    const auto replace = [&po](const std::string& from, const std::string& to) {
        const std::size_t at = po.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        po.replace(at, from.size(), to);
    };
    replace("\"Last-Translator: \\n\"", "\"Last-Translator: Eva <eva@example.cz>\\n\"");
    replace("#. text 5\n", "# the menu is narrow\n#. text 5\n");
    replace("msgctxt \"exe/0005\"\nmsgid \"Save game\"\nmsgstr \"\"",
            "msgctxt \"exe/0005\"\nmsgid \"Save game\"\nmsgstr \"Ulo\xC5\xBEit a\xC5\x99\"");
    replace("#. text 6\n#: Tarn.exe:6\n", "#. text 6\n#: Tarn.exe:6\n#, fuzzy\n");
    replace("msgid \"Options\"\nmsgstr \"\"", "msgid \"Options\"\nmsgstr \"Volby\"");
    writeFileAtomically(dir.path() / "cs.po", toBytes(po));
    ASSERT_EQ(runIn(dir.path(), "'" MSGMERGE_PROGRAM "' --quiet -o merged.po cs.po tarn.pot", "",
                    scratch.path())
                  .code,
              0);

    ChildResult r = run("exe import-po t.exe merged.po --code-page 1250");
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "applied 1, unchanged 0, untranslated 3451, fuzzy 1, unknown 0");
    EXPECT_EQ(toString(readWholeFile(dir.path() / "t.exe.tarnnotes")),
              "# Notes on a translation of Tarn, written by TarnEdit and tarntool (UTF-8).\n"
              "Last-Translator: Eva <eva@example.cz>\n"
              "\n[exe/0005]\nnote: the menu is narrow\n"
              "\n[exe/0006] needs review\n");
    // Now that text 6 is under review here, its fuzzy translation is taken.
    r = run("exe import-po t.exe merged.po --code-page 1250");
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "applied 1, unchanged 1, untranslated 3451, fuzzy 0, unknown 0");

    ASSERT_EQ(run("exe export-po orig.exe t.exe -o again.po --code-page 1250").code, 0);
    const PoReadResult again = readPoFile(dir.path() / "again.po");
    ASSERT_TRUE(again.problems.empty());
    EXPECT_EQ(again.entries[4].comments, std::vector<std::string>{"the menu is narrow"});
    EXPECT_EQ(again.entries[4].translation, "Ulo\xC5\xBEit a\xC5\x99");
    EXPECT_TRUE(again.entries[5].fuzzy);
    EXPECT_EQ(again.entries[5].translation, "Volby");
    const PoHeaderFields::value_type kept{"Last-Translator", "Eva <eva@example.cz>"};
    EXPECT_NE(std::find(again.header.begin(), again.header.end(), kept), again.header.end());

    // Read under another code page, the file is warned of and still imported.
    std::string errors;
    r = run("exe import-po t.exe again.po", errors);
    EXPECT_EQ(r.code, 2);  // 1252 has no ř: refused
    EXPECT_EQ(errors.substr(0, errors.find('\n')),
              "tarntool: again.po: made with code page 1250 and no character table, read with "
              "code page 1252 and no character table; letters may come out wrong");

    // A damaged notes file is refused before anything is written.
    writeFileAtomically(dir.path() / "t.exe.tarnnotes", toBytes("[exe/0001]\nscribble\n"));
    const auto before = snapshot(dir.path());
    r = run("exe import-po t.exe merged.po --code-page 1250", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors, "tarntool: t.exe.tarnnotes: line 2: expected \"note: \" or the next entry\n");
    EXPECT_EQ(run("exe export-po orig.exe t.exe -o x.po").code, 2);
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST_F(PoCommandsTest, ExeImportRefusesBadInputAndChangesNoFile) {
    writeFileAtomically(dir.path() / "t.exe", makeSampleExecutable(4, sampleTexts()));
    ASSERT_EQ(run("exe export-po t.exe t.exe -o de.po").code, 0);
    writeFileAtomically(dir.path() / "broken.po",
                        toBytes("msgctxt \"exe/0001\"\nmsgid \"Yes\"\nmsgstr \"Ja\" x\n"));
    writeFileAtomically(dir.path() / "small.exe", toBytes("MZ"));
    fs::copy_file(dir.path() / "de.po", dir.path() / "bad.po");
    rewrite("bad.po", {{"exe/0042", "Text %x"}, {"exe/0043", "\xE4\xB8\xAD"}, {"exe/0044", "ok"}});
    fs::copy_file(dir.path() / "de.po", dir.path() / "long.po");
    std::map<std::string, std::string> longTexts;
    for (int n = 1; n <= 3453; ++n) {
        char context[16];
        std::snprintf(context, sizeof context, "exe/%04d", n);
        longTexts[context] = "[" + std::to_string(n) + std::string(40, '.') + "]";
    }
    rewrite("long.po", longTexts);
    const auto before = snapshot(dir.path());

    std::string errors;
    ChildResult r = run("exe import-po t.exe bad.po", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(
        errors,
        "exe/0042: Incorrect % sequence at position 6\n"
        "exe/0043: The character '\xE4\xB8\xAD' (U+4E2D) at position 1 is not in code page 1252\n");
    r = run("exe import-po t.exe broken.po", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors, "broken.po:3: keyword \"x\" unknown\nbroken.po:3: syntax error\n");
    r = run("exe import-po t.exe long.po --shares shares.txt", errors);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");  // nothing was applied, so no summary says so
    EXPECT_EQ(errors,
              "Not enough space in the executable file - try to be shorter\n"
              "With --grow the executable grows by a section for the texts that do not fit.\n");
    fs::remove(dir.path() / "shares.txt");  // written as exe import writes it
    EXPECT_EQ(run("exe import-po t.exe missing.po").code, 2);
    EXPECT_EQ(run("exe import-po missing.exe de.po").code, 2);
    EXPECT_EQ(run("exe import-po small.exe de.po").code, 2);  // an unknown build
    EXPECT_EQ(run("exe import-po t.exe de.po --primary-id 255").code, 2);
    EXPECT_EQ(run("exe import-po t.exe de.po --code-page 437").code, 2);
    EXPECT_EQ(run("exe import-po t.exe de.po --shares no/such/dir/s.txt").code, 2);
    EXPECT_EQ(run("exe export-po t.exe t.exe -o no/such/dir/x.po").code, 2);
    EXPECT_EQ(run("exe export-po t.exe t.exe").code, 2);
    EXPECT_EQ(run("exe export-po t.exe small.exe -o x.po").code, 2);
    EXPECT_EQ(run("exe export-po t.exe t.exe -o x.po --language 'de\nX-Evil: 1'").code, 2);
    fs::permissions(dir.path() / "t.exe", fs::perms::owner_read);
    EXPECT_EQ(run("exe import-po t.exe de.po").code, 1);  // a refused read-only file
    EXPECT_EQ(snapshot(dir.path()), before);

    // --partial takes the good message and lists the others as skipped (status 1); a file that
    // is itself broken is still refused whole.
    fs::permissions(dir.path() / "t.exe", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(run("exe import-po t.exe broken.po --partial").code, 2);
    r = run("exe import-po t.exe bad.po --partial", errors);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "applied 1, unchanged 0, untranslated 3450, fuzzy 0, unknown 0");
    EXPECT_EQ(
        errors,
        "skipped: exe/0042: Incorrect % sequence at position 6\n"
        "skipped: exe/0043: The character '\xE4\xB8\xAD' (U+4E2D) at position 1 is not in code "
        "page 1252\n"
        "tarntool: 2 messages were skipped for their problems\n");
    const std::string lines = run("exe export t.exe").out;
    std::vector<std::string> expected;
    for (const std::string& text : sampleTexts()) {
        expected.push_back(rawToCStyle(text));
    }
    expected[43] = "ok";
    EXPECT_EQ(lines, formatTextsFile(expected));
}

// Polish letters are bytes of code page 1250: exported as those letters, imported back to the
// same bytes, and refused with the default page, which lacks them.
TEST_F(PoCommandsTest, ExeCodePageChoosesTheLettersOfTheBytes) {
    const std::string polish = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
    const std::string polishText = "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 "
                                   "ja\xC5\xBA\xC5\x84";  // Zażółć gęślą jaźń
    std::vector<std::string> translated = sampleTexts();
    translated[1] = polish;
    writeFileAtomically(dir.path() / "orig.exe", makeSampleExecutable(3, sampleTexts()));
    const Bytes translatedExe = makeSampleExecutable(3, translated);
    writeFileAtomically(dir.path() / "pl.exe", translatedExe);

    ASSERT_EQ(run("exe export-po orig.exe pl.exe -o pl.po --language pl --code-page 1250").code, 0);
    EXPECT_EQ(msgfmtCheck("pl.po").code, 0);
    const std::string po = toString(readWholeFile(dir.path() / "pl.po"));
    EXPECT_NE(po.find("msgstr \"" + polishText + "\"\n"), std::string::npos);

    writeFileAtomically(dir.path() / "orig-copy.exe", makeSampleExecutable(3, sampleTexts()));
    std::string errors;
    ChildResult r = run("exe import-po orig-copy.exe pl.po --code-page 1250", errors);
    EXPECT_EQ(r.code, 0) << errors;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "applied 1, unchanged 0, untranslated 3452, fuzzy 0, unknown 0");
    EXPECT_EQ(readWholeFile(dir.path() / "orig-copy.exe"), translatedExe);

    const auto before = snapshot(dir.path());
    r = run("exe import-po orig.exe pl.po", errors);
    EXPECT_EQ(r.code, 2);
    // The file says which page it was made with.
    EXPECT_EQ(
        errors,
        "tarntool: pl.po: made with code page 1250 and no character table, read with code page "
        "1252 and no character table; letters may come out wrong\n"
        "exe/0002: The character '\xC5\xBC' (U+017C) at position 3 is not in code page 1252\n");
    r = run("exe import-po orig.exe pl.po --code-page 1251", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(errors.find("\nexe/0002:"), std::string::npos);
    r = run("exe export-po orig.exe pl.exe -o x.po --code-page 437", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors, "tarntool: unknown code page 437; supported: " +
                          std::string("874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258\n"));
    EXPECT_EQ(snapshot(dir.path()), before);
}

// translate-toolkit's po2ts keys Qt Linguist's messages on the references: every text must
// arrive as a message of its own.
TEST_F(PoCommandsTest, Po2tsKeepsEveryExportedText) {
    if (std::system("command -v po2ts >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "po2ts is not installed (Debian package translate-toolkit)";
    }
    writeFileAtomically(dir.path() / "t.exe", makeSampleExecutable(1, translatedTexts()));
    writeFileAtomically(dir.path() / "orig.exe", makeSampleExecutable(1, sampleTexts()));
    ASSERT_EQ(run("exe export-po orig.exe t.exe -o de.po --language de").code, 0);
    const ChildResult r = runIn(dir.path(), "po2ts de.po de.ts", "", scratch.path());
    ASSERT_EQ(r.code, 0) << r.out;
    const std::string ts = toString(readWholeFile(dir.path() / "de.ts"));
    std::size_t messages = 0;
    for (std::size_t at = ts.find("<message"); at != std::string::npos;
         at = ts.find("<message", at + 1)) {
        ++messages;
    }
    EXPECT_EQ(messages, 3453u);
}

class ObjectPoActionsTest : public PoCommandsTest {
protected:
    void SetUp() override { ASSERT_EQ(run("sample-game game").code, 0); }
    fs::path objData() const { return dir.path() / "game" / "ObjData"; }
};

TEST_F(ObjectPoActionsTest, ExportAndImportTheObjectTexts) {
    ChildResult r = run("obj export-po game --source-id 0 --target-id 1 -o de.po --language de");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(msgfmtCheck("de.po").code, 0);
    const std::string po = toString(readWholeFile(dir.path() / "de.po"));
    // The reference counts groups from 0, as obj set does.
    EXPECT_NE(po.find("#: ObjData/Creature.dat:0\nmsgctxt \"obj/Creature.dat/1\"\n"
                      "msgid \"Cave troll\"\nmsgstr \"H\xC3\xB6hlentroll\"\n"),
              std::string::npos);
    EXPECT_NE(po.find("msgctxt \"obj/Creature.dat/3\"\nmsgid \"\\\\c3It guards the bridge.\\\\d\"\n"
                      "msgstr \"\"\n"),
              std::string::npos);

    // Unchanged: nothing is written.
    const auto before = snapshot(objData());
    r = run("obj import-po game de.po --target-id 1");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "applied 0, unchanged 11, untranslated 4, fuzzy 0, unknown 0\n");
    EXPECT_EQ(snapshot(objData()), before);

    rewrite("de.po", {{"obj/Creature.dat/1", "Troll\nH\xC3\xB6hle"},
                      {"obj/Creature.dat/3", "Er bewacht die Br\xC3\xBC" "cke."},
                      {"obj/Nowhere.dat/1", "x"}});
    std::string errors;
    r = run("obj import-po game de.po --target-id 1 --normal-rle", errors);
    EXPECT_EQ(r.code, 0) << errors;
    EXPECT_EQ(errors, "de.po: unknown msgctxt \"obj/Nowhere.dat/1\", message skipped\n");
    const ObjectFile creature = loadObjectFile(objData() / "Creature.dat");
    EXPECT_EQ(creature.texts[0][1], (ObjectText{1, rawText({'T', 'r', 'o', 'l', 'l', 5, 'H', 0xF6,
                                                         'h', 'l', 'e'})}));
    EXPECT_EQ(creature.texts[2].back(), (ObjectText{1, "Er bewacht die Br\xFC" "cke."}));
    const auto after = snapshot(objData());
    std::size_t changed = 0;
    for (const auto& [path, bytes] : after) {
        changed += before.at(path) != bytes;
    }
    EXPECT_EQ(changed, 1u);
}

TEST_F(ObjectPoActionsTest, ImportRefusesBadInputAndChangesNoFile) {
    ASSERT_EQ(run("obj export-po game --source-id 0 --target-id 7 -o de.po").code, 0);
    fs::copy_file(dir.path() / "de.po", dir.path() / "zero.po");
    rewrite("zero.po", {{"obj/Door.dat/1", "T\\x00r"}, {"obj/Chest.dat/1", "Truhe"}});
    fs::copy_file(dir.path() / "de.po", dir.path() / "good.po");
    rewrite("good.po", {{"obj/Door.dat/1", "T\xC3\xBCr"}, {"obj/Chest.dat/1", "Truhe"}});
    fs::permissions(objData() / "Door.dat", fs::perms::owner_read);
    const auto before = snapshot(dir.path());

    std::string errors;
    ChildResult r = run("obj import-po game zero.po --target-id 7", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors, "obj/Door.dat/1: A text cannot hold the byte 00\n");
    r = run("obj import-po game good.po --target-id 7", errors);
    EXPECT_EQ(r.code, 1);  // Door.dat is read-only, so Chest.dat is not written either
    EXPECT_EQ(errors, "game/ObjData/Door.dat: the file is read-only\n");
    EXPECT_EQ(run("obj import-po game good.po").code, 2);
    EXPECT_EQ(run("obj import-po game good.po --target-id 255").code, 2);
    EXPECT_EQ(run("obj import-po nowhere good.po --target-id 7").code, 2);
    EXPECT_EQ(run("obj export-po game --source-id 0 -o x.po").code, 2);
    EXPECT_EQ(snapshot(dir.path()), before);

    fs::permissions(objData() / "Door.dat", fs::perms::owner_all);
    writeFileAtomically(objData() / "Broken.dat", toBytes("short"));
    const auto withBroken = snapshot(dir.path());
    r = run("obj import-po game good.po --target-id 7", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors.rfind("game/ObjData/Broken.dat: ", 0), 0u) << errors;
    EXPECT_EQ(run("obj export-po game --source-id 0 --target-id 7 -o x.po").code, 2);
    EXPECT_EQ(snapshot(dir.path()), withBroken);

    // --partial writes the good message and skips the bad one.
    fs::remove(objData() / "Broken.dat");
    r = run("obj import-po game zero.po --target-id 7 --partial", errors);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(errors, "skipped: obj/Door.dat/1: A text cannot hold the byte 00\n"
                      "tarntool: 1 message was skipped for its problem\n");
    ASSERT_EQ(run("obj export-po game --source-id 0 --target-id 7 -o x.po").code, 0);
    EXPECT_NE(toString(readWholeFile(dir.path() / "x.po")).find("msgstr \"Truhe\""),
              std::string::npos);
}

// The object window of a running TarnEdit locks the whole folder: both object writers refuse it
// with status 1 and write nothing, unless --force.
TEST_F(ObjectPoActionsTest, ObjectWritersRefuseAFolderOpenInTheObjectWindowUnlessForced) {
    ASSERT_EQ(run("obj export-po game --source-id 0 --target-id 7 -o de.po").code, 0);
    rewrite("de.po", {{"obj/Chest.dat/1", "Truhe"}});
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    writeFileAtomically(
        dir.path() / "game" / ".ObjData.tarnlock",
        toBytes("pid=" + std::to_string(::getpid()) + "\nhost=" + host + "\nprogram=TarnEdit\n"));
    const auto before = snapshot(dir.path());
    const std::string holder = " is open in TarnEdit (process " + std::to_string(::getpid()) +
                               " on " + host + "); --force writes it anyway\n";
    std::string errors;
    ChildResult r = run("obj import-po game de.po --target-id 7", errors);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(errors, "tarntool: game/ObjData" + holder);
    r = run("obj set game/ObjData/Chest.dat --group 0 --id 7 --hex 41", errors);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(errors, "tarntool: game/ObjData" + holder);
    EXPECT_EQ(snapshot(dir.path()), before);

    EXPECT_EQ(run("obj import-po game de.po --target-id 7 --force").code, 0);
    EXPECT_EQ(run("obj set game/ObjData/Chest.dat --group 0 --id 7 --hex 41 --force").code, 0);
    EXPECT_NE(snapshot(dir.path()), before);
}

// Cyrillic object texts through code page 1251, both ways; the Western default refuses them.
TEST_F(ObjectPoActionsTest, ObjectCodePageChoosesTheLettersOfTheBytes) {
    ASSERT_EQ(run("obj export-po game --source-id 0 --target-id 5 -o ru.po --code-page 1251").code,
              0);
    const std::string russianText = "\xD0\xA2\xD1\x80\xD0\xBE\xD0\xBB\xD0\xBB\xD1\x8C";  // Тролль
    rewrite("ru.po", {{"obj/Creature.dat/1", russianText}});
    const auto before = snapshot(dir.path());
    std::string errors;
    ChildResult r = run("obj import-po game ru.po --target-id 5", errors);
    EXPECT_EQ(r.code, 2);
    // The sample game's French texts (ID 5) were exported as Cyrillic letters too.
    EXPECT_EQ(errors,
              "obj/Creature.dat/1: The character '\xD0\xA2' (U+0422) at position 1 is not in code "
              "page 1252\n"
              "obj/ITEM_SWORD.DAT/1: The character '\xD0\x99' (U+0419) at position 1 is not in "
              "code page 1252\n"
              "obj/spell_ice.DAT/1: The character '\xD0\x99' (U+0419) at position 1 is not in code "
              "page 1252\n");
    EXPECT_EQ(run("obj import-po game ru.po --target-id 5 --code-page 1250").code, 2);
    EXPECT_EQ(run("obj import-po game ru.po --target-id 5 --code-page 12").code, 2);
    EXPECT_EQ(snapshot(dir.path()), before);

    r = run("obj import-po game ru.po --target-id 5 --code-page 1251", errors);
    EXPECT_EQ(r.code, 0) << errors;
    const ObjectFile creature = loadObjectFile(objData() / "Creature.dat");
    EXPECT_EQ(creature.texts[0].back(), (ObjectText{5, "\xD2\xF0\xEE\xEB\xEB\xFC"}));
    ASSERT_EQ(run("obj export-po game --source-id 5 --target-id 0 -o back.po --code-page 1251")
                  .code,
              0);
    const std::string back = toString(readWholeFile(dir.path() / "back.po"));
    EXPECT_NE(back.find("msgctxt \"obj/Creature.dat/1\"\nmsgid \"" + russianText + "\"\n"),
              std::string::npos);
}

}  // namespace
}  // namespace tarn
