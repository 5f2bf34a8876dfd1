// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool with letters that fall on game codes: refused by every import (all or nothing),
// placed by a character table (--table, exe table-check), or stored as codes on request.
#include <gtest/gtest.h>

#include <map>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exchange/po_file.h"
#include "exetext/sample_executable.h"
#include "tests/folder_snapshot.h"
#include "tests/run_child.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

const std::string kRefusedS =
    "'Ś' (U+015A) is byte 140 in code page 1250, which the game reads as the value code %l; "
    "write %l if the code is meant\n";

class CharacterTableCommandsTest : public ::testing::Test {
protected:
    TempDir dir;
    TempDir scratch;

    // Standard output alone; standard error goes to errors.
    ChildResult run(const std::string& args, std::string& errors) {
        const fs::path err = scratch.path() / "stderr.txt";
        ChildResult r = runIn(dir.path(), tarntool(args), "", scratch.path(), err);
        errors = toString(readWholeFile(err));
        return r;
    }
    void write(const std::string& name, const std::string& contents) {
        writeFileAtomically(dir.path() / name, toBytes(contents));
    }
    std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }
};

TEST_F(CharacterTableCommandsTest, ExeImportRefusesLettersOnCodesUnlessATablePlacesThem) {
    writeFileAtomically(dir.path() / "t.exe", makeSampleExecutable(1, sampleTexts()));
    std::string errors;
    ChildResult r = run("exe export t.exe --code-page 1250", errors);
    ASSERT_EQ(r.code, 0) << errors;
    write("pl.txt", "Świat" + r.out.substr(r.out.find('\n')));
    write("braces.txt", "{klamra}" + r.out.substr(r.out.find('\n')));
    write("pl.tbl", "# Polish\nA4=Ś\n");
    const auto before = snapshot(dir.path());

    r = run("exe import t.exe pl.txt --code-page 1250", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors, "1: " + kRefusedS);
    r = run("exe import t.exe braces.txt --code-page 1250", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors,
              "1: '{' (U+007B) is byte 123 in code page 1250, which the game reads as "
              "the value code %N; write %N if the code is meant\n");
    EXPECT_EQ(snapshot(dir.path()), before);

    r = run("exe import t.exe pl.txt --code-page 1250 --table pl.tbl", errors);
    EXPECT_EQ(r.code, 0) << errors;
    r = run("exe export t.exe", errors);
    EXPECT_EQ(firstLine(r.out), "\xC2\xA4wiat");  // byte A4 is ¤ without the table
    r = run("exe export t.exe --code-page 1250 --table pl.tbl", errors);
    EXPECT_EQ(firstLine(r.out), "Świat");

    r = run("exe import t.exe pl.txt --code-page 1250 --allow-typed-codes", errors);
    EXPECT_EQ(r.code, 0) << errors;
    r = run("exe export t.exe --code-page 1250", errors);
    EXPECT_EQ(firstLine(r.out), "%lwiat");
}

TEST_F(CharacterTableCommandsTest, TableCheckPrintsThePlacementsOrTheFirstProblem) {
    write("pl.tbl", "A4=Ś\nA6=Ź\n");
    write("bad.tbl", "A4=Ś\n8C=Ś\n");
    std::string errors;
    ChildResult r = run("exe table-check pl.tbl --code-page 1250", errors);
    EXPECT_EQ(r.code, 0) << errors;
    EXPECT_EQ(r.out,
              "A4=Ś (U+015A) instead of '¤' (U+00A4); the page has it on byte 140, the value "
              "code %l\n"
              "A6=Ź (U+0179) instead of '¦' (U+00A6); the page has it on byte 143, the colour "
              "code \\c1\n");
    r = run("exe table-check bad.tbl --code-page 1250", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(errors,
              "tarntool: bad.tbl: line 2: byte 8C is read by the game as the value code "
              "%l\n");
    // A letter the page already has on a byte that is not a code.
    write("lower.tbl", "A4=ś\n");
    EXPECT_EQ(run("exe table-check lower.tbl --code-page 1250", errors).code, 2);
    EXPECT_EQ(errors,
              "tarntool: lower.tbl: line 1: 'ś' (U+015B) is already byte 9C in code page "
              "1250\n");
    EXPECT_EQ(run("exe table-check missing.tbl", errors).code, 2);
    writeFileAtomically(dir.path() / "t.exe", makeSampleExecutable(1, sampleTexts()));
    r = run("exe export t.exe --code-page 1250 --table bad.tbl", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors,
              "tarntool: bad.tbl: line 2: byte 8C is read by the game as the value code "
              "%l\n");
}

TEST_F(CharacterTableCommandsTest, PoImportsRefuseLettersOnCodesWhole) {
    std::string errors;
    ASSERT_EQ(run("sample-game game", errors).code, 0) << errors;
    ASSERT_EQ(
        run("obj export-po game --source-id 0 --target-id 9 -o pl.po --code-page 1250", errors)
            .code,
        0)
        << errors;
    PoReadResult read = readPoFile(dir.path() / "pl.po");
    ASSERT_TRUE(read.problems.empty());
    for (PoEntry& e : read.entries) {
        e.translation = e.context == "obj/Creature.dat/1" ? "Świat" : "Źle";
        e.fuzzy = false;
    }
    writePoFile(dir.path() / "pl.po", {{"Content-Type", "text/plain; charset=UTF-8"}},
                read.entries);
    write("pl.tbl", "A4=Ś\nA6=Ź\n");
    const auto before = snapshot(dir.path());

    ChildResult r = run("obj import-po game pl.po --target-id 9 --code-page 1250", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(errors.find("obj/Creature.dat/1: " + kRefusedS), std::string::npos) << errors;
    EXPECT_NE(errors.find(": 'Ź' (U+0179) is byte 143 in code page 1250, which the game reads as "
                          "the colour code \\c1; write \\c1 if the code is meant\n"),
              std::string::npos);
    EXPECT_EQ(snapshot(dir.path()), before);

    r = run("obj import-po game pl.po --target-id 9 --code-page 1250 --table pl.tbl", errors);
    EXPECT_EQ(r.code, 0) << errors;
    r =
        run("obj export-po game --source-id 9 --target-id 0 -o back.po --code-page 1250 --table "
            "pl.tbl",
            errors);
    ASSERT_EQ(r.code, 0) << errors;
    const std::string back = toString(readWholeFile(dir.path() / "back.po"));
    EXPECT_NE(back.find("msgctxt \"obj/Creature.dat/1\"\nmsgid \"Świat\"\n"), std::string::npos);

    writeFileAtomically(dir.path() / "t.exe", makeSampleExecutable(2, sampleTexts()));
    ASSERT_EQ(run("exe export-po t.exe t.exe -o exe.po --code-page 1250", errors).code, 0);
    read = readPoFile(dir.path() / "exe.po");
    read.entries[0].translation = "Świat";
    writePoFile(dir.path() / "exe.po", {{"Content-Type", "text/plain; charset=UTF-8"}},
                read.entries);
    const Bytes exe = readWholeFile(dir.path() / "t.exe");
    r = run("exe import-po t.exe exe.po --code-page 1250", errors);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(errors, "exe/0001: " + kRefusedS);
    EXPECT_EQ(readWholeFile(dir.path() / "t.exe"), exe);
    EXPECT_EQ(run("exe import-po t.exe exe.po --code-page 1250 --allow-typed-codes", errors).code,
              0)
        << errors;
}

}  // namespace
}  // namespace tarn
