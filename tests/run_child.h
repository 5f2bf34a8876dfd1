// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a command line as a child process in a folder, with given standard input, and answers
// its exit code and everything it printed (standard error too, unless errorsTo names a file
// that takes it).
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/file_io.h"

namespace tarn {

struct ChildResult {
    int code = -1;
    std::string out;
};

inline ChildResult runIn(const std::filesystem::path& folder, const std::string& command,
                         const std::string& input, const std::filesystem::path& scratch,
                         const std::filesystem::path& errorsTo = {}) {
    const auto in = scratch / "stdin.txt";
    const auto out = scratch / "stdout.txt";
    std::ofstream(in, std::ios::binary) << input;
    const std::string line = "cd '" + folder.string() + "' && " + command + " < '" + in.string() +
                             "' > '" + out.string() + "' " +
                             (errorsTo.empty() ? "2>&1" : "2>'" + errorsTo.string() + "'");
    const int status = std::system(line.c_str());
    ChildResult r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = toString(readWholeFile(out));
    return r;
}

inline std::string tarntool(const std::string& args) {
    return std::string("'") + TARNTOOL_PATH + "' " + args;
}

}  // namespace tarn
