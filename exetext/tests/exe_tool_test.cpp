// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool exe info|export|import|pseudo|sample, run as a child process on generated executables.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "common/code_page.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/added_section.h"
#include "exetext/exe_profile.h"
#include "exetext/pe_image.h"
#include "exetext/sample_executable.h"
#include "exetext/stand_in_image.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"
#include "textcodes/pseudo_translation.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const fs::path& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

class ExeToolTest : public ::testing::Test {
protected:
    TempDir dir;

    ToolRun run(const std::vector<std::string>& args) {
        std::string command = "'" TARNTOOL_PATH "' exe";
        for (const std::string& a : args) {
            command += " '" + a + "'";
        }
        const fs::path out = dir.path() / ".stdout";
        const fs::path err = dir.path() / ".stderr";
        command += " >'" + out.string() + "' 2>'" + err.string() + "'";
        const int raw = std::system(command.c_str());
        ToolRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
        fs::remove(out);
        fs::remove(err);
        return r;
    }
    std::string path(const char* name) const { return (dir.path() / name).string(); }

    // The lines of an export of the sample texts.
    std::vector<std::string> exportedLines(const std::string& exe) {
        const ToolRun r = run({"export", exe});
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::string> lines;
        std::istringstream in(r.out);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string s;
    for (const std::string& line : lines) {
        s += line + end;
    }
    return s;
}

TEST_F(ExeToolTest, SampleAndInfoForEveryProfile) {
    const char* names[] = {"1 American v2.01.028\n", "2 American v2.01.028\n", "3 American Big\n",
                           "4 Spanish v2.01.032\n"};
    for (int p = 1; p <= 4; ++p) {
        const std::string exe = path("s.exe");
        ASSERT_EQ(run({"sample", std::to_string(p), exe}).status, 0);
        EXPECT_EQ(readWholeFile(exe), makeSampleExecutable(p, sampleTexts()));
        const ToolRun info = run({"info", exe});
        EXPECT_EQ(info.status, 0);
        EXPECT_EQ(info.out, std::string(names[p - 1]) + "language ids: 0 0\n");
    }
    spit(path("small.exe"), "MZ");
    const ToolRun unknown = run({"info", path("small.exe")});
    EXPECT_EQ(unknown.status, 2);  // an unknown build is input that cannot be read
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err, "");
    EXPECT_EQ(run({"info", path("missing.exe")}).status, 2);
    EXPECT_EQ(run({"info"}).status, 2);
    EXPECT_EQ(run({"sample", "5", path("x.exe")}).status, 2);
    EXPECT_EQ(run({"sample", "1", path("no/such/dir/x.exe")}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_FALSE(fs::exists(path("x.exe")));
}

TEST_F(ExeToolTest, ExportWritesUtf8LinesAndListsUnresolvedTexts) {
    std::vector<std::string> texts = repetitiveSampleTexts();
    texts[0] =
        "\xE9\x9D\x9C"
        "\x05";  // é, U+009D, œ, line break
    Bytes file = makeSampleExecutable(2, texts);
    // Text 3444 (a pointer of its own) now leads nowhere.
    writeU32LE(file.data() + profileByNumber(2).pointerBlocks[4].first, 0);
    writeFileAtomically(path("t.exe"), file);
    // Every line is written, and a text that cannot be found fails the export.
    const ToolRun toStdout = run({"export", path("t.exe")});
    EXPECT_EQ(toStdout.status, 1);
    const std::vector<std::string> lines = splitLines(toStdout.out);
    ASSERT_EQ(lines.size(), 3453u);
    EXPECT_EQ(lines[0], "\xC3\xA9\xC2\x9D\xC5\x93\\n");
    EXPECT_EQ(lines[3443], "-- Not found! --");
    EXPECT_EQ(lines[6], "\\tSmall print: the guild takes no blame for lost limbs.\\d");
    const ToolRun r = run({"export", path("t.exe"), "-o", path("t.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tarntool: string number 3444 could not be found\n");
    EXPECT_EQ(slurp(path("t.txt")), joinLines(lines));
}

// Leads the first count pointers, in text order, nowhere.
void breakPointers(Bytes& file, const ExeProfile& build, int count) {
    for (const PointerBlock& block : build.pointerBlocks) {
        for (int k = 0; k < block.pointerCount() && count > 0; ++k, --count) {
            writeU32LE(file.data() + block.first + 4 * k, 0);
        }
    }
}

// A file of a build's size whose pointers mostly lead nowhere is something else: texts are
// written only into a file where at least 90% of them can be found, and every line of an export
// is written, its status telling that texts are missing.
TEST_F(ExeToolTest, WritesOnlyIntoAFileThatHoldsItsBuildsTexts) {
    const std::string exe = path("t.exe");
    ASSERT_EQ(run({"sample", "2", exe}).status, 0);
    ASSERT_EQ(run({"export", exe, "-o", path("texts.txt")}).status, 0);
    const Bytes sample = readWholeFile(exe);
    struct Case {
        int build;
        int broken;  // pointers led nowhere; -1: the file is random bytes
        int importStatus;
    };
    const Case cases[] = {{1, -1, 1},  {2, -1, 1},  {3, -1, 1},  {4, -1, 1},  {2, 3453, 1},
                          {2, 380, 1}, {2, 346, 1}, {2, 345, 0}, {2, 1, 0}};
    std::mt19937 random(7);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "build " << c.build << ", broken " << c.broken);
        const ExeProfile& build = profileByNumber(c.build);
        Bytes file = sample;
        if (c.broken < 0) {
            file.resize(static_cast<std::size_t>(build.fileSize));
            std::generate(file.begin(), file.end(), [&] { return static_cast<std::uint8_t>(random()); });
        } else {
            breakPointers(file, build, c.broken);
        }
        writeFileAtomically(exe, file);
        const int missing = c.broken < 0 ? kTextCount : c.broken;

        const ToolRun exported = run({"export", exe});
        EXPECT_EQ(exported.status, 1);
        EXPECT_EQ(splitLines(exported.out).size(), 3453u);
        EXPECT_EQ(splitLines(exported.err).size(), static_cast<std::size_t>(missing));
        EXPECT_EQ(run({"export-po", exe, exe, "-o", path("t.po")}).status, 1);
        EXPECT_TRUE(fs::exists(path("t.po")));
        fs::remove(path("t.po"));

        const ToolRun imported = run({"import", exe, path("texts.txt")});
        EXPECT_EQ(imported.status, c.importStatus) << imported.err;
        if (c.importStatus == 0) {
            EXPECT_EQ(readWholeFile(exe), sample);  // every pointer leads into its text again
            continue;
        }
        EXPECT_EQ(imported.err, "tarntool: " + exe + ": " + std::to_string(missing) +
                                    " of 3453 texts cannot be found, so this is not a build " +
                                    std::to_string(c.build) + " (" +
                                    std::string(build.variantName) +
                                    ") executable; nothing written\n");
        EXPECT_EQ(readWholeFile(exe), file);
    }
}

// Text areas without a single zero: every text runs on past its area. The export writes each
// line as its text is read, so the texts are never in memory together.
TEST_F(ExeToolTest, TextsRunningPastTheirAreasAreExportedInBoundedMemory) {
    const ExeProfile& build = profileByNumber(3);
    Bytes file = makeSampleExecutable(3, sampleTexts());
    for (const TextArea& area : build.textAreas) {
        std::replace(file.begin() + area.first, file.begin() + area.last + 1, std::uint8_t{0},
                     std::uint8_t{'x'});
    }
    writeFileAtomically(path("t.exe"), file);
    const std::string command = "'" TARNTOOL_PATH "' exe export '" + path("t.exe") + "' -o '" +
                                path("t.txt") + "'";
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    ASSERT_EQ(::wait4(child, &status, 0, &usage), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's shadow memory and quarantine weigh more
    EXPECT_LT(usage.ru_maxrss, 128 * 1024);  // kilobytes
#endif
    // Text 1 runs from its place to the first zero behind the first area.
    const std::vector<std::string> lines = splitLines(slurp(path("t.txt")));
    ASSERT_EQ(lines.size(), 3453u);
    const std::uint32_t first =
        *addressToPosition(build.textAreas, readU32LE(file.data() + build.pointerBlocks[0].first));
    EXPECT_EQ(lines[0], CodePage().toUtf8(rawToCStyle(readRawText(file, first))));
    EXPECT_GT(lines[0].size(), static_cast<std::size_t>(build.textAreas[0].last - first));
}

TEST_F(ExeToolTest, ImportOfAnExportGivesTheSameFile) {
    const Bytes original = makeSampleExecutable(3, sampleTexts(), 5, 6);
    writeFileAtomically(path("t.exe"), original);
    const std::vector<std::string> lines = exportedLines(path("t.exe"));
    spit(path("t.txt"), joinLines(lines, "\r\n"));
    const ToolRun r = run({"import", path("t.exe"), path("t.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(" unused bytes remaining\n"), std::string::npos);
    EXPECT_EQ(readWholeFile(path("t.exe")), original);  // language IDs kept as well
}

// A file another running program has open for editing (its lock names this test's process) is
// refused with status 1 and left as it was, unless --force.
TEST_F(ExeToolTest, ImportRefusesAFileOpenForEditingUnlessForced) {
    writeFileAtomically(path("t.exe"), makeSampleExecutable(3, sampleTexts()));
    std::vector<std::string> lines = exportedLines(path("t.exe"));
    lines[0] = "Changed";
    spit(path("t.txt"), joinLines(lines, "\n"));
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    spit(path(".t.exe.tarnlock"),
         "pid=" + std::to_string(::getpid()) + "\nhost=" + host + "\nprogram=TarnEdit\n");
    const Bytes before = readWholeFile(path("t.exe"));
    ToolRun r = run({"import", path("t.exe"), path("t.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tarntool: " + path("t.exe") + " is open in TarnEdit (process " +
                         std::to_string(::getpid()) + " on " + host +
                         "); --force writes it anyway\n");
    EXPECT_EQ(readWholeFile(path("t.exe")), before);
    r = run({"import", path("t.exe"), path("t.txt"), "--force"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(readWholeFile(path("t.exe")), before);
    EXPECT_TRUE(fs::exists(path(".t.exe.tarnlock")));  // the lock is the other program's
}

TEST_F(ExeToolTest, ImportSetsLanguageIdsAndWritesShares) {
    writeFileAtomically(path("t.exe"), makeSampleExecutable(1, sampleTexts()));
    std::vector<std::string> lines = exportedLines(path("t.exe"));
    lines[9] = lines[19] = "Same %%";
    spit(path("t.txt"), joinLines(lines));
    const ToolRun r = run({"import", path("t.exe"), path("t.txt"), "--primary-id", "20",
                           "--secondary-id", "0", "--shares", path("shares.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes file = readWholeFile(path("t.exe"));
    const auto spot = static_cast<std::size_t>(profileByNumber(1).fixupSpot(FixupSpot::LangIdSpot));
    EXPECT_EQ(file[spot], 20);
    EXPECT_EQ(file[spot + 9], 0);
    std::vector<std::string> shares;
    std::istringstream in(slurp(path("shares.txt")));
    for (std::string line; std::getline(in, line);) {
        shares.push_back(line);
    }
    ASSERT_EQ(shares.size(), 3453u);
    EXPECT_EQ(shares[9], "20");
    EXPECT_EQ(shares[19], "");
    EXPECT_EQ(exportedLines(path("t.exe"))[9], "Same %%");
}

TEST_F(ExeToolTest, ImportRefusesBadInputAndChangesNothing) {
    const Bytes original = makeSampleExecutable(4, sampleTexts());
    writeFileAtomically(path("t.exe"), original);
    std::vector<std::string> lines = exportedLines(path("t.exe"));

    std::vector<std::string> bad = lines;
    bad[4] = "100%";
    bad[6] = "\\ce";
    spit(path("bad.txt"), joinLines(bad));
    ToolRun r = run({"import", path("t.exe"), path("bad.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "C-string error in string number 5: Unmatched % sign at the end of the text\n"
              "C-string error in string number 7: Invalid color specifier for \\c at position 1\n");

    spit(path("short.txt"), joinLines({lines.begin(), lines.end() - 1}));
    EXPECT_EQ(run({"import", path("t.exe"), path("short.txt")}).status, 2);
    spit(path("good.txt"), joinLines(lines));
    EXPECT_EQ(run({"import", path("t.exe"), path("good.txt"), "--primary-id", "255"}).status, 2);
    EXPECT_EQ(run({"import", path("t.exe"), path("good.txt"), "--secondary-id", "x"}).status, 2);
    EXPECT_EQ(run({"import", path("t.exe"), path("good.txt"), "--bogus", "1"}).status, 2);
    EXPECT_EQ(run({"import", path("t.exe"), path("missing.txt")}).status, 2);
    EXPECT_EQ(run({"import", path("missing.exe"), path("good.txt")}).status, 2);
    std::vector<std::string> notUtf8 = lines;
    notUtf8[0] = "\xFF";
    spit(path("latin1.txt"), joinLines(notUtf8));
    r = run({"import", path("t.exe"), path("latin1.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "tarntool: " + path("latin1.txt") + ": line 1 is not valid UTF-8\n");

    std::vector<std::string> tooLong = lines;
    for (std::size_t i = 0; i < tooLong.size(); ++i) {
        tooLong[i] = "[" + std::to_string(i) + std::string(20, '.') + "]";
    }
    spit(path("long.txt"), joinLines(tooLong));
    r = run({"import", path("t.exe"), path("long.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), kNotEnoughSpaceMessage);

    fs::permissions(path("t.exe"), fs::perms::owner_read);
    EXPECT_EQ(run({"import", path("t.exe"), path("good.txt")}).status, 1);  // refused: failed
    EXPECT_EQ(readWholeFile(path("t.exe")), original);
}

// "Zażółć gęślą jaźń" and "Съешь же ещё" in UTF-8 and in their code pages.
const std::string kPolish =
    "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 ja\xC5\xBA\xC5\x84";
const std::string kPolish1250 = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
const std::string kRussian =
    "\xD0\xA1\xD1\x8A\xD0\xB5\xD1\x88\xD1\x8C \xD0\xB6\xD0\xB5 \xD0\xB5\xD1\x89\xD1\x91";
const std::string kRussian1251 = "\xD1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8";

TEST_F(ExeToolTest, CodePageOptionShowsAndTakesPolishAndCyrillicLetters) {
    std::vector<std::string> texts = sampleTexts();
    texts[0] = kPolish1250;
    texts[1] = kRussian1251;
    writeFileAtomically(path("t.exe"), makeSampleExecutable(2, texts));
    ToolRun r = run({"export", path("t.exe"), "--code-page", "1250"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), kPolish);
    r = run({"export", path("t.exe"), "--code-page", "1251", "-o", path("ru.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string ru = slurp(path("ru.txt"));
    EXPECT_EQ(ru.substr(ru.find('\n') + 1, kRussian.size() + 1), kRussian + "\n");
    // Without the option the same bytes are Windows-1252 characters, as before.
    EXPECT_EQ(exportedLines(path("t.exe"))[0],
              "Za\xC2\xBF\xC3\xB3\xC2\xB3\xC3\xA6 g\xC3\xAA"
              "\xC5\x93l\xC2\xB9 ja\xC5\xB8\xC3\xB1");

    r = run({"export", path("t.exe"), "--code-page", "1250", "-o", path("pl.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = splitLines(slurp(path("pl.txt")));
    lines[4] = kPolish + " %N";
    spit(path("pl.txt"), joinLines(lines));
    r = run({"import", path("t.exe"), path("pl.txt"), "--code-page", "1250"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> back;
    std::vector<int> notFound;
    readStringTable(readWholeFile(path("t.exe")), back, profileByNumber(2).pointerBlocks,
                    profileByNumber(2).textAreas, Notation::Raw, notFound);
    EXPECT_EQ(back[4], kPolish1250 + " \x7B");

    lines = std::vector<std::string>(3453, "Da");
    lines[2] = kRussian;
    spit(path("ru-in.txt"), joinLines(lines));
    r = run({"import", path("t.exe"), path("ru-in.txt"), "--code-page", "1251"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = run({"export", path("t.exe"), "--code-page", "1251"});
    EXPECT_EQ(r.out, joinLines(lines));
}

TEST_F(ExeToolTest, CharactersOutsideTheCodePageAndUnknownPagesAreRefused) {
    const Bytes original = makeSampleExecutable(1, sampleTexts());
    writeFileAtomically(path("t.exe"), original);
    std::vector<std::string> lines = exportedLines(path("t.exe"));
    lines[2] = kPolish;   // ż, the first letter 1252 lacks
    lines[9] = kRussian;  // С
    spit(path("pl.txt"), joinLines(lines));
    ToolRun r = run({"import", path("t.exe"), path("pl.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "3: '\xC5\xBC' (U+017C) is not in code page 1252\n"
              "10: '\xD0\xA1' (U+0421) is not in code page 1252\n");
    lines = std::vector<std::string>(3453, "Da");
    lines[2] = kPolish;
    lines[9] = kRussian;
    spit(path("mixed.txt"), joinLines(lines));
    r = run({"import", path("t.exe"), path("mixed.txt"), "--code-page", "1251"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "3: '\xC5\xBC' (U+017C) is not in code page 1251\n");
    EXPECT_EQ(run({"sample", "1", path("u.exe"), "--texts", path("pl.txt")}).status, 2);
    EXPECT_FALSE(fs::exists(path("u.exe")));
    EXPECT_EQ(readWholeFile(path("t.exe")), original);

    for (const char* page : {"437", "65001", "x", "", "1250x"}) {
        r = run({"export", path("t.exe"), "--code-page", page});
        EXPECT_EQ(r.status, 2) << page;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, std::string("tarntool: unknown code page ") + page +
                             "; supported: 874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, "
                             "1258\n");
    }
    EXPECT_EQ(run({"import", path("t.exe"), path("pl.txt"), "--code-page", "932"}).status, 2);
    EXPECT_EQ(readWholeFile(path("t.exe")), original);
}

// The pseudo-translation of the repetitive sample imports into the same file and exports back
// unchanged; it changes no code, so every finding between it and the original is "longer".
TEST_F(ExeToolTest, PseudoTranslationImportsBackAndKeepsEveryCode) {
    const std::vector<std::string> texts = repetitiveSampleTexts();
    const Bytes original = makeSampleExecutable(2, texts);
    writeFileAtomically(path("orig.exe"), original);
    writeFileAtomically(path("t.exe"), original);
    ToolRun r = run({"pseudo", path("t.exe"), "-o", path("p.txt"), "--expand", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    const std::vector<std::string> lines = splitLines(slurp(path("p.txt")));
    ASSERT_EQ(lines.size(), 3453u);
    // 55 stored bytes, 10 percent: 6 more, the brackets and " !!!".
    EXPECT_EQ(lines[0],
              "[\\c4W\xC3\xA9l\xC3\xA7\xC3\xB3m\xC3\xA9 t\xC3\xB3 T\xC3\xA1r\xC3\xB1!\\d\\nPr"
              "\xC3\xA9ss \xC3\xA1\xC3\xB1\xC3\xBD k\xC3\xA9\xC3\xBD t\xC3\xB3 b\xC3\xA9g\xC3\xAD"
              "\xC3\xB1 \xC3\xBD\xC3\xB3\xC3\xBAr j\xC3\xB3\xC3\xBAr\xC3\xB1\xC3\xA9\xC3\xBD. !!!]");
    const CodePage page;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i], page.toUtf8(rawToCStyle(pseudoTranslate(texts[i], 10, page)))) << i + 1;
    }

    r = run({"import", path("t.exe"), path("p.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(exportedLines(path("t.exe")), lines);
    r = run({"check", path("orig.exe"), path("t.exe")});
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> findings = splitLines(r.out);
    EXPECT_EQ(findings.size(), 3453u - 1);  // text 100 is empty
    for (const std::string& finding : findings) {
        ASSERT_NE(finding.find(" info longer: longer than the original by "), std::string::npos)
            << finding;
    }
}

TEST_F(ExeToolTest, PseudoTranslationTakesTheCodePageAndTable) {
    std::vector<std::string> texts = repetitiveSampleTexts();
    texts[1] = "Save game";
    Bytes file = makeSampleExecutable(2, texts);
    writeU32LE(file.data() + profileByNumber(2).pointerBlocks[4].first, 0);  // text 3444
    writeFileAtomically(path("t.exe"), file);
    ToolRun r = run({"pseudo", path("t.exe"), "-o", path("pl.txt"), "--code-page", "1250",
                     "--expand", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "tarntool: string number 3444 could not be found\n");
    std::vector<std::string> lines = splitLines(slurp(path("pl.txt")));
    ASSERT_EQ(lines.size(), 3453u);
    EXPECT_EQ(lines[1], "[\xC5\x9E\xC3\xA1v\xC3\xA9 g\xC3\xA1m\xC3\xA9]");  // Şávé gámé
    EXPECT_EQ(lines[3443], "-- Not found! --");                           // as exported

    // A table that places Ś over á: S takes it, a falls back to à.
    spit(path("t.table"), "E1=\xC5\x9A\n");
    r = run({"pseudo", path("t.exe"), "-o", path("t.txt"), "--table", path("t.table")});
    ASSERT_EQ(r.status, 0) << r.err;
    lines = splitLines(slurp(path("t.txt")));
    EXPECT_EQ(lines[1], "[\xC5\x9A\xC3\xA0v\xC3\xA9 g\xC3\xA0m\xC3\xA9!]");  // Śàvé gàmé!
    r = run({"import", path("t.exe"), path("t.txt"), "--table", path("t.table")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = run({"export", path("t.exe"), "--table", path("t.table")});
    EXPECT_EQ(splitLines(r.out)[1], lines[1]);
}

TEST_F(ExeToolTest, SampleWithGivenTexts) {
    std::vector<std::string> lines(3453, "Hallo");
    lines[0] = "\\p00001234 %N \\c3rot\\d";
    spit(path("t.txt"), joinLines(lines));
    ASSERT_EQ(run({"sample", "2", path("t.exe"), "--texts", path("t.txt")}).status, 0);
    EXPECT_EQ(exportedLines(path("t.exe")), lines);
    lines[1] = "%";
    spit(path("bad.txt"), joinLines(lines));
    EXPECT_EQ(run({"sample", "2", path("u.exe"), "--texts", path("bad.txt")}).status, 2);
    EXPECT_FALSE(fs::exists(path("u.exe")));
}

// A translation a quarter longer than the full sample: refused without --grow, then placed with
// a section added (the overlay of builds 1 and 4 moved behind it), read back whole, and gone
// again once the original texts are imported.
TEST_F(ExeToolTest, ImportGrowsTheExecutableOnlyWhenAskedAndShrinksItBack) {
    if (!standInAvailable()) {
        GTEST_SKIP() << "sample executables are no Windows programs in this build";
    }
    for (const int profile : {1, 2, 4}) {
        SCOPED_TRACE(profile);
        const std::string exe = path("t.exe");
        ASSERT_EQ(run({"sample", std::to_string(profile), exe}).status, 0);
        const Bytes original = readWholeFile(exe);
        ASSERT_EQ(run({"export", exe, "-o", path("original.txt")}).status, 0);
        ASSERT_EQ(run({"pseudo", exe, "-o", path("long.txt"), "--expand", "25"}).status, 0);

        ToolRun r = run({"import", exe, path("long.txt")});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, std::string(kNotEnoughSpaceMessage) +
                             "\nWith --grow the executable grows by a section for the texts "
                             "that do not fit.\n");
        EXPECT_EQ(readWholeFile(exe), original);

        r = run({"import", exe, path("long.txt"), "--grow"});
        ASSERT_EQ(r.status, 0) << r.err;
        const Bytes grown = readWholeFile(exe);
        const std::optional<AddedSection> added = findAddedSection(grown);
        ASSERT_TRUE(added);
        EXPECT_EQ(readPeHeaders(grown)->sections.size(),
                  readPeHeaders(original)->sections.size() + 1);
        const std::string addedLine = splitLines(r.out).back();
        EXPECT_EQ(addedLine.rfind("added section: ", 0), 0u);
        EXPECT_NE(addedLine.find(" texts, " +
                                 std::to_string(added->area.last + 1 - added->area.first) +
                                 " bytes"),
                  std::string::npos);
        EXPECT_EQ(slurp(path("long.txt")), run({"export", exe}).out);
        const std::vector<std::string> info = splitLines(run({"info", exe}).out);
        ASSERT_EQ(info.size(), 3u);
        EXPECT_EQ(info[0], std::to_string(profile) + " " +
                               std::string(profileByNumber(profile).variantName));
        EXPECT_EQ(info[1], "language ids: 0 0");
        EXPECT_EQ(info[2], addedLine);
        // The overlay moved behind the section, unchanged.
        const std::size_t overlay = added->record.overlayOffset;
        EXPECT_TRUE(std::equal(original.begin() + static_cast<std::ptrdiff_t>(overlay),
                               original.end(), grown.end() - static_cast<std::ptrdiff_t>(
                                                                 original.size() - overlay)));

        r = run({"import", exe, path("original.txt"), "--grow"});
        ASSERT_EQ(r.status, 0) << r.err;
        const Bytes back = readWholeFile(exe);
        ASSERT_EQ(back.size(), original.size());
        // Only the unused ends of the text areas may keep bytes of the grown file's save.
        const ExeProfile& build = profileByNumber(profile);
        for (std::size_t at = 0; at < back.size(); ++at) {
            if (back[at] != original[at]) {
                const bool inArea = std::any_of(
                    build.textAreas.begin(), build.textAreas.end(), [at](const TextArea& a) {
                        return static_cast<std::int64_t>(at) >= a.first &&
                               static_cast<std::int64_t>(at) <= a.last;
                    });
                ASSERT_TRUE(inArea) << "byte " << at;
            }
        }
        EXPECT_EQ(exportedLines(exe), splitLines(slurp(path("original.txt"))));
    }
}

// A file that cannot grow says why and keeps every byte.
TEST_F(ExeToolTest, GrowingRefusesAFileWithoutRoomForASectionAndWritesNothing) {
    if (!standInAvailable()) {
        GTEST_SKIP() << "sample executables are no Windows programs in this build";
    }
    const std::string exe = path("t.exe");
    ASSERT_EQ(run({"sample", "2", exe}).status, 0);
    ASSERT_EQ(run({"pseudo", exe, "-o", path("long.txt"), "--expand", "25"}).status, 0);
    Bytes file = readWholeFile(exe);
    const std::size_t slot = readPeHeaders(file)->sectionTableEnd();
    std::fill_n(file.begin() + static_cast<std::ptrdiff_t>(slot), 40, 0xFF);
    writeFileAtomically(exe, file);

    const ToolRun r = run({"import", exe, path("long.txt"), "--grow"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tarntool: " + exe +
                         ": The executable has no room for another section header. Nothing was "
                         "written.\n");
    EXPECT_EQ(readWholeFile(exe), file);
}

}  // namespace
}  // namespace tarn
