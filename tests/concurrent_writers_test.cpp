// SPDX-License-Identifier: GPL-3.0-or-later
// Two tarntool writers on one file at the same moment: each holds the file's lock from before
// it reads until it has written, the second waiting for the first, and checks just before its
// rename that the file is still the one it read, so that neither run's work is lost silently:
// both runs' texts end up in the file, or a run that found the file changed says so and fails.
#include <gtest/gtest.h>

#include <functional>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exchange/po_file.h"
#include "exetext/executable_texts.h"
#include "exetext/sample_executable.h"
#include "objfiles/object_folder.h"
#include "objfiles/sample_objects.h"
#include "tests/run_child.h"

namespace tarn {
namespace {

struct Writers {
    const char* what;
    const char* target;  // the file both rewrite, in the test's folder
    const char* lock;    // its lock, gone once both have ended
    std::function<void(const fs::path& folder)> prepare;
    std::string first, second;  // the two runs' arguments
    // Whether each run's texts are in the file: {first's, second's}.
    std::function<std::pair<bool, bool>(const fs::path& folder)> found;
};

// A PO file giving one text of t.exe a translation, made from the export base.po.
void writeOneTranslation(const fs::path& path, const std::string& context) {
    PoReadResult read = readPoFile(path.parent_path() / "base.po");
    for (PoEntry& e : read.entries) {
        if (e.context == context) {
            e.translation = "Nov\xC3\xA9 " + context;
            e.fuzzy = false;
        }
    }
    writePoFile(path, {{"Content-Type", "text/plain; charset=UTF-8"}}, read.entries);
}

TEST(ConcurrentWriters, TwoRunsAtOnceNeverLoseATextSilently) {
    const std::array<std::uint8_t, 8> name{'T', 'R', 'O', 'L', 'L', 0, 0, 0};
    const Bytes exe = makeSampleExecutable(2, sampleTexts());
    const Writers cases[] = {
        {"obj set", "ObjData/y.dat", ".ObjData.tarnlock",
         [&](const fs::path& folder) {
             fs::create_directories(folder / "ObjData");
             writeFileAtomically(folder / "ObjData" / "y.dat",
                                 makeSampleObjectFile(0, 1, {{{0, "a"}}, {{0, "b"}}}, name, 5));
         },
         "obj set ObjData/y.dat --group 0 --id 7 --hex 41",
         "obj set ObjData/y.dat --group 1 --id 7 --hex 42",
         [](const fs::path& folder) {
             const ObjectFileTexts texts = loadObjectFile(folder / "ObjData" / "y.dat").texts;
             const auto has = [&](std::size_t group, const std::string& text) {
                 return group < texts.size() && std::find(texts[group].begin(), texts[group].end(),
                                                          ObjectText{7, text}) != texts[group].end();
             };
             return std::pair{has(0, "A"), has(1, "B")};
         }},
        {"exe import-po", "t.exe", ".t.exe.tarnlock",
         [&](const fs::path& folder) {
             writeFileAtomically(folder / "t.exe", exe);
             if (!fs::exists(folder / "base.po")) {
                 ASSERT_EQ(
                     runIn(folder, tarntool("exe export-po t.exe t.exe -o base.po"), "", folder)
                         .code,
                     0);
                 writeOneTranslation(folder / "one.po", "exe/0002");
                 writeOneTranslation(folder / "two.po", "exe/0003");
             }
         },
         "exe import-po t.exe one.po", "exe import-po t.exe two.po",
         [](const fs::path& folder) {
             ExecutableTexts read;
             readExecutableTexts(folder / "t.exe", read);
             return std::pair{read.texts[1] == "Nov\xE9 exe/0002",
                              read.texts[2] == "Nov\xE9 exe/0003"};
         }},
    };
    for (const Writers& c : cases) {
        TempDir dir;
        const std::string both = "{ " + tarntool(c.first) + " >first.txt 2>&1 & first=$!; " +
                                 tarntool(c.second) +
                                 " >second.txt 2>&1; second=$?; wait $first; "
                                 "echo $? $second; }";
        for (int round = 0; round < 50; ++round) {
            SCOPED_TRACE(std::string(c.what) + ", round " + std::to_string(round));
            c.prepare(dir.path());
            const ChildResult r = runIn(dir.path(), both, "", dir.path());
            ASSERT_EQ(r.code, 0);
            const int first = r.out.at(r.out.size() - 4) - '0';
            const int second = r.out.at(r.out.size() - 2) - '0';
            const auto [firstFound, secondFound] = c.found(dir.path());
            EXPECT_EQ(firstFound, first == 0);
            EXPECT_EQ(secondFound, second == 0);
            const std::string refused = std::string(c.target) +
                                        " was changed by another program since it was read; "
                                        "nothing written";
            for (const auto& [status, output] :
                 {std::pair{first, "first.txt"}, std::pair{second, "second.txt"}}) {
                if (status != 0) {
                    EXPECT_EQ(status, 1);
                    EXPECT_NE(toString(readWholeFile(dir.path() / output)).find(refused),
                              std::string::npos)
                        << toString(readWholeFile(dir.path() / output));
                }
            }
            EXPECT_FALSE(fs::exists(dir.path() / c.lock));
        }
    }
}

}  // namespace
}  // namespace tarn
