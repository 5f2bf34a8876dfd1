// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool obj import-po killed before each rename of its save: the files written before the kill
// hold the new texts, the others the old ones, and the record beside ObjData says so; the next
// import names both, finishes the save and removes the record.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <sstream>
#include <utility>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exchange/po_file.h"
#include "objfiles/object_folder.h"
#include "tarntool/commands.h"

namespace tarn {
namespace {

// Runs tarntool in this process; answers its status, with standard error in errors.
int tarntool(const std::vector<std::string>& args, std::string& errors) {
    std::ostringstream out;
    std::ostringstream err;
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    const int status = tool::runTarntool(args);
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    errors = err.str();
    return status;
}

// Runs tarntool in a child of this process that SIGKILL ends just before the rename of its
// write number `write` (0 for the first); answers whether it ended so.
bool killedBeforeRename(const std::vector<std::string>& args, std::size_t write) {
    std::cout.flush();
    std::cerr.flush();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        WriteFault fault;
        fault.signalBeforeRename = SIGKILL;
        fault.writesBeforeSignal = write;
        setWriteFaultForTesting(fault);
        ::_exit(tool::runTarntool(args));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// The object files by name, in the folder's order, which is the order a save writes them in.
std::vector<std::pair<std::string, Bytes>> objectFiles(const fs::path& objData) {
    std::vector<std::pair<std::string, Bytes>> files;
    for (const fs::path& path : listObjectFiles(objData)) {
        files.emplace_back(path.filename().string(), readWholeFile(path));
    }
    return files;
}

TEST(CutOffImport, EachKillIsToldByTheNextImportWhichFinishesTheSave) {
    TempDir dir;
    const std::string game = (dir.path() / "game").string();
    const fs::path objData = dir.path() / "game" / "ObjData";
    const std::string po = (dir.path() / "de.po").string();
    std::string errors;
    ASSERT_EQ(tarntool({"sample-game", game}, errors), 0) << errors;
    ASSERT_EQ(tarntool({"obj", "export-po", game, "--source-id", "0", "--target-id", "7", "-o", po},
                       errors),
              0)
        << errors;
    PoReadResult read = readPoFile(po);
    for (PoEntry& entry : read.entries) {
        entry.translation = "DE " + entry.source;
    }
    writePoFile(po, {{"Content-Type", "text/plain; charset=UTF-8"}}, read.entries);
    const std::vector<std::string> import = {"obj", "import-po", game, po, "--target-id", "7"};

    const auto before = objectFiles(objData);
    ASSERT_EQ(tarntool(import, errors), 0) << errors;
    const auto after = objectFiles(objData);
    ASSERT_EQ(after.size(), before.size());
    std::vector<std::size_t> changed;  // the files the import writes, in order
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] != before[i]) {
            changed.push_back(i);
        }
    }
    ASSERT_GE(changed.size(), 3u);
    const fs::path record = dir.path() / "game" / ".ObjData.tarnsave";
    EXPECT_FALSE(fs::exists(record));

    // Write 0 is the record, write k the k-th file.
    for (std::size_t write = 0; write <= changed.size(); ++write) {
        SCOPED_TRACE("killed before rename " + std::to_string(write));
        for (const auto& [name, bytes] : before) {
            writeFileAtomically(objData / name, bytes);
        }
        ASSERT_TRUE(killedBeforeRename(import, write));
        EXPECT_EQ(fs::exists(record), write > 0);
        std::string written;
        std::string notWritten;
        for (std::size_t k = 0; k < changed.size(); ++k) {
            const bool isWritten = k + 1 < write;
            const auto& [name, bytes] = (isWritten ? after : before)[changed[k]];
            EXPECT_EQ(readWholeFile(objData / name), bytes) << name;
            std::string& list = isWritten ? written : notWritten;
            list += (list.empty() ? "" : ", ") + name;
        }

        ASSERT_EQ(tarntool(import, errors), 0);
        if (write == 0) {
            EXPECT_EQ(errors, "");  // killed before the save began: nothing to tell
        } else {
            EXPECT_EQ(errors,
                      "tarntool: " + objData.string() +
                          ": a save by tarntool obj import-po was cut off before it ended\n"
                          "tarntool: written: " +
                          (written.empty() ? "none" : written) +
                          "\n"
                          "tarntool: not written: " +
                          notWritten +
                          "\n"
                          "tarntool: to finish it, run the same tarntool obj import-po again\n");
        }
        EXPECT_EQ(objectFiles(objData), after);
        EXPECT_FALSE(fs::exists(record));
    }
}

}  // namespace
}  // namespace tarn
