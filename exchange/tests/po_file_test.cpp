// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "common/utf8_path.h"
#include "exchange/tests/gettext_tools.h"

namespace tarn {
namespace {

const PoHeaderFields kHeader = {
    {"Project-Id-Version", "Tarn"},
    {"PO-Revision-Date", "2026-12-08 10:00+0000"},
    {"Last-Translator", ""},
    {"Language-Team", ""},
    {"Language", "de"},
    {"MIME-Version", "1.0"},
    {"Content-Type", "text/plain; charset=UTF-8"},
    {"Content-Transfer-Encoding", "8bit"},
    {"X-Generator", "tarntool test"},
};

PoEntry entry(std::string context, std::string source, std::string translation,
              std::vector<std::string> notes = {}, bool fuzzy = false) {
    return {std::move(context), true, std::move(source), std::move(translation),
            std::move(notes),   fuzzy};
}

void expectSameEntries(const std::vector<PoEntry>& a, const std::vector<PoEntry>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].context, b[i].context);
        EXPECT_EQ(a[i].hasContext, b[i].hasContext);
        EXPECT_EQ(a[i].source, b[i].source);
        EXPECT_EQ(a[i].translation, b[i].translation);
        EXPECT_EQ(a[i].notes, b[i].notes);
        EXPECT_EQ(a[i].fuzzy, b[i].fuzzy);
        EXPECT_EQ(a[i].references, b[i].references);
    }
}

TEST(PoFile, WritesWhatReadsBackAndWhatMsgfmtAccepts) {
    TempDir dir;
    std::vector<PoEntry> entries = {
        entry("exe/0001", "Line one\nline two\n", "Zeile eins\nZeile zwei\n", {"text 1"}),
        entry("exe/0002", "", "", {"text 2"}),  // an empty original beside the header
        entry("exe/0003", "100%% \"quoted\" C:\\\\dir\t", "\xC3\xA4\\p0000002A", {"text 3"}),
        entry("exe/0004", "\nA", "B", {"text 4", "why it is fuzzy"}, true),
    };
    entries[0].references = {{"Tarn.exe", 1}};
    entries[1].references = {{"ObjData/Chest.dat", 0}, {"ObjData/Chest.dat", 7}};
    const auto path = dir.path() / "de.po";
    writePoFile(path, kHeader, entries);
    const PoReadResult read = readPoFile(path);
    EXPECT_TRUE(read.problems.empty()) << describe(read.problems.front());
    EXPECT_TRUE(read.warnings.empty());
    expectSameEntries(read.entries, entries);

    const std::string text = toString(readWholeFile(path));
    EXPECT_NE(text.find("\"Content-Type: text/plain; charset=UTF-8\\n\"\n"), std::string::npos);
    EXPECT_NE(text.find("#. text 4\n#. why it is fuzzy\n#, fuzzy\nmsgctxt \"exe/0004\"\n"),
              std::string::npos);
    EXPECT_NE(text.find("#. text 1\n#: Tarn.exe:1\nmsgctxt \"exe/0001\"\n"), std::string::npos);
    EXPECT_NE(text.find("#: ObjData/Chest.dat:0 ObjData/Chest.dat:7\n"), std::string::npos);
    if (kGettextToolsRun) {
        const ToolOutput check =
            runGettextTool(MSGFMT_PROGRAM, "--check -o /dev/null " + quoted(path), dir.path());
        EXPECT_EQ(check.status, 0);
        EXPECT_EQ(check.output, "");
    }
}

TEST(PoFile, ReadListsEverySyntaxErrorWithItsLine) {
    TempDir dir;
    const auto path = dir.path() / "bad.po";
    writeFileAtomically(path, toBytes("msgid \"\"\n"
                                      "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                                      "\n"
                                      "msgctxt \"exe/0001\"\n"
                                      "msgid \"a\"\n"
                                      "msgstr \"b\" x\n"
                                      "\n"
                                      "msgctxt \"exe/0002\"\n"
                                      "msgid \"c\"\n"
                                      "msgstr \"\\q\"\n"));
    const PoReadResult read = readPoFile(path);
    ASSERT_EQ(read.problems.size(), 3u);
    EXPECT_EQ(describe(read.problems[0]), path.string() + ":6: keyword \"x\" unknown");
    EXPECT_EQ(describe(read.problems[1]), path.string() + ":6: syntax error");
    EXPECT_EQ(describe(read.problems[2]), path.string() + ":10: invalid control sequence");
    EXPECT_EQ(read.problems[2].line, 10u);  // the place as a value, for whoever shows it
}

// Every escape of the value 0 is refused, however it is written; an escape of another value,
// or a backslash that is itself escaped, is not. The file as a whole is checked quickly first,
// so each case stands in a file of its own.
TEST(PoFile, ReadRefusesEveryEscapeOfTheByteZeroAndNothingElse) {
    struct Case {
        const char* translation;  // as written in the file
        bool zero;
    };
    const Case cases[] = {
        {"a\\0b", true},   {"a\\000b", true},  {"a\\08b", true},  {"a\\x0-", true},
        {"a\\x000", true}, {"a\\01b", false},  {"a\\x01", false}, {"a\\x10", false},
        {"a\\0001", true}, {"a\\\\0b", false}, {"a\\tb", false},  {"plain", false},
    };
    TempDir dir;
    const auto path = dir.path() / "zero.po";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.translation);
        writeFileAtomically(path, toBytes(std::string("msgid \"\"\n"
                                                      "msgstr \"Content-Type: text/plain; "
                                                      "charset=UTF-8\\n\"\n\n"
                                                      "msgctxt \"exe/0001\"\nmsgid \"a\"\n"
                                                      "msgstr \"") +
                                          c.translation + "\"\n"));
        const PoReadResult read = readPoFile(path);
        const bool refused =
            !read.problems.empty() &&
            describe(read.problems[0]) == path.string() + ":6: A text cannot hold the byte 00";
        EXPECT_EQ(refused, c.zero) << (read.problems.empty() ? "" : describe(read.problems[0]));
    }
}

// Editors such as Notepad start a UTF-8 file with a byte-order mark.
TEST(PoFile, ReadSkipsAByteOrderMarkAndKeepsTheLinesAndName) {
    TempDir dir;
    const auto path = dir.path() / "bom.po";
    const std::string body =
        "msgid \"\"\n"
        "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\n"
        "msgctxt \"exe/0001\"\n"
        "msgid \"a\"\n"
        "msgstr \"\xC3\xA4\"\n";
    writeFileAtomically(path, toBytes("\xEF\xBB\xBF" + body));
    PoReadResult read = readPoFile(path);
    EXPECT_TRUE(read.problems.empty()) << describe(read.problems.front());
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].translation, "\xC3\xA4");

    writeFileAtomically(path, toBytes("\xEF\xBB\xBF" + body + "msgstr x\n"));
    read = readPoFile(path);
    ASSERT_FALSE(read.problems.empty());
    EXPECT_EQ(describe(read.problems[0]), path.string() + ":7: syntax error");
    EXPECT_EQ(dir.fileCount(), 1u);
}

// A file is read as the bytes it holds: malformed UTF-8 anywhere, comments included, refuses it
// line by line, and multibyte characters come through whole, a following backslash escape
// included. Reading leaves the process's stdin and environment as they were, also after a file
// the library gives up on.
TEST(PoFile, ReadRefusesMalformedUtf8LineByLineAndLeavesTheProcessAlone) {
    TempDir dir;
    const auto path = dir.path() / "mixed.po";
    const std::string header =
        "msgid \"\"\n"
        "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\n";
    FILE* const stdinBefore = stdin;
    writeFileAtomically(path, toBytes(header + "# bad \xC3 comment\n"
                                               "msgctxt \"exe/0001\"\n"
                                               "msgid \"a\"\n"
                                               "msgstr \"\xE2\x82\"\n"));
    PoReadResult read = readPoFile(path);
    EXPECT_EQ(describe(read.problems),
              (std::vector<std::string>{path.string() + ":4: invalid multibyte sequence",
                                        path.string() + ":7: invalid multibyte sequence"}));

    writeFileAtomically(path, toBytes(header + "msgctxt \"exe/0001\"\n"
                                               "msgid \"\xE2\x82\xAC\\\\\"\n"
                                               "msgstr \"\xF0\x9F\x98\x80\\n\xC3\xA4\"\n"));
    read = readPoFile(path);
    EXPECT_TRUE(read.problems.empty()) << describe(read.problems.front());
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].source, "\xE2\x82\xAC\\");
    EXPECT_EQ(read.entries[0].translation, "\xF0\x9F\x98\x80\n\xC3\xA4");

    // Given up on at its start, a file larger than any pipe's buffer still ends the read.
    std::string rest;
    for (int i = 0; i < 100000; ++i) {
        rest += "# x\n";
    }
    writeFileAtomically(path, toBytes("msgid \"unterminated\n" + rest));
    EXPECT_FALSE(readPoFile(path).problems.empty());
    EXPECT_EQ(stdin, stdinBefore);
    const char* const setting = std::getenv("OLD_PO_FILE_INPUT");
    EXPECT_TRUE(setting == nullptr || *setting == '\0');
}

// A folder named with a letter outside the ANSI code page is read and written like any other,
// reports name the file as given, no byte the program wrote to stdout before ends up in the
// file, and a byte 1A (end of file to text-mode reading) ends nothing.
TEST(PoFile, ReadsAndWritesInAFolderOutsideTheAnsiCodePage) {
    TempDir dir;
    const auto folder = dir.path() / pathFromUtf8("Gry/Tarn \xC5\xBC/po");
    std::filesystem::create_directories(folder);
    const auto path = folder / pathFromUtf8("pl \xC5\xBC.po");
    const std::string name = pathToUtf8(path);
    std::fputs("written before", stdout);
    writePoFile(path, kHeader, {entry("exe/0001", "a", "\xC5\xBC")});
    EXPECT_GE(std::fputs("\n", stdout), 0);
    EXPECT_EQ(std::fflush(stdout), 0);
    const Bytes written = readWholeFile(path);
    EXPECT_EQ(toString(written).find("written before"), std::string::npos);
    PoReadResult read = readPoFile(path);
    EXPECT_TRUE(read.problems.empty()) << describe(read.problems.front());
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].translation, "\xC5\xBC");

    writeFileAtomically(path, toBytes("# \x1A\n" + toString(written)));
    read = readPoFile(path);
    EXPECT_TRUE(read.problems.empty()) << describe(read.problems.front());
    EXPECT_EQ(read.entries.size(), 1u);

    writeFileAtomically(path, toBytes("\xEF\xBB\xBF" + toString(written) + "msgstr x\n"));
    read = readPoFile(path);
    ASSERT_FALSE(read.problems.empty());
    EXPECT_EQ(describe(read.problems[0]).substr(0, name.size() + 1), name + ":");
    EXPECT_EQ(describe(read.problems[0]).find("stdin"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(PoFile, ReadReportsADuplicateMessageOnce) {
    TempDir dir;
    const auto path = dir.path() / "twice.po";
    writeFileAtomically(path, toBytes("msgctxt \"exe/0001\"\nmsgid \"a\"\nmsgstr \"b\"\n\n"
                                      "msgctxt \"exe/0001\"\nmsgid \"a\"\nmsgstr \"c\"\n"));
    EXPECT_EQ(describe(readPoFile(path).problems),
              std::vector<std::string>{path.string() + ":6: duplicate message definition"});
}

TEST(PoFile, RefusesMissingFilesAndOtherCharsets) {
    TempDir dir;
    EXPECT_EQ(describe(readPoFile(dir.path() / "none.po").problems),
              std::vector<std::string>{(dir.path() / "none.po").string() +
                                       ": No such file or directory"});
    EXPECT_EQ(readPoFile(dir.path()).problems.size(), 1u);

    const auto latin1 = dir.path() / "latin1.po";
    writeFileAtomically(latin1,
                        toBytes("msgid \"\"\n"
                                "msgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n"
                                "\n"
                                "msgctxt \"exe/0001\"\n"
                                "msgid \"a\"\n"
                                "msgstr \"\xE4\"\n"));
    const PoReadResult read = readPoFile(latin1);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(describe(read.problems[0]), latin1.string() +
                                    ": the file is in the character set ISO-8859-1, not UTF-8 "
                                    "(msgconv -t UTF-8 converts it)");
    EXPECT_TRUE(read.entries.empty());
}

TEST(PoFile, LeavesOutTheHeaderAndObsoleteMessages) {
    TempDir dir;
    const auto path = dir.path() / "old.po";
    writeFileAtomically(path, toBytes("msgid \"\"\n"
                                      "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                                      "\n"
                                      "msgid \"no context\"\n"
                                      "msgstr \"kein Kontext\"\n"
                                      "\n"
                                      "#~ msgctxt \"exe/0009\"\n"
                                      "#~ msgid \"gone\"\n"
                                      "#~ msgstr \"weg\"\n"));
    const PoReadResult read = readPoFile(path);
    ASSERT_TRUE(read.problems.empty());
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_FALSE(read.entries[0].hasContext);
    EXPECT_EQ(read.entries[0].translation, "kein Kontext");
}

TEST(PoFile, AFailedWriteKeepsTheOldFile) {
    TempDir dir;
    const auto path = dir.path() / "de.po";
    writeFileAtomically(path, toBytes("old"));
    setWriteFaultForTesting({WriteFault::Step::WriteData, 10});
    EXPECT_THROW(writePoFile(path, kHeader, {entry("exe/0001", "a", "b")}), FileError);
    setWriteFaultForTesting({});
    EXPECT_EQ(toString(readWholeFile(path)), "old");
    EXPECT_EQ(dir.fileCount(), 1u);
}

}  // namespace
}  // namespace tarn
