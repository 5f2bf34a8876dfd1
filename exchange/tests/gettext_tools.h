// SPDX-License-Identifier: GPL-3.0-or-later
// gettext's own programs, run on our files in the tests: msgfmt checks them, msgcat, msgfilter
// and msgmerge edit them as translators' tools do.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/file_io.h"

namespace tarn {

// gettext's programs are the build machine's: a test program built for Windows cannot start them.
#ifdef _WIN32
inline constexpr bool kGettextToolsRun = false;
#else
inline constexpr bool kGettextToolsRun = true;
#endif

struct ToolOutput {
    int status = -1;
    std::string output;  // standard output and error
};

inline ToolOutput runGettextTool(const std::string& program, const std::string& arguments,
                                 const std::filesystem::path& scratch) {
#ifdef _WIN32
    (void)program, (void)arguments, (void)scratch;
    return {-1, "gettext's programs are not run here"};
#else
    const std::filesystem::path out = scratch / "tool-output.txt";
    const std::string line = "'" + program + "' " + arguments + " >'" + out.string() + "' 2>&1";
    const int raw = std::system(line.c_str());
    ToolOutput r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.output = toString(readWholeFile(out));
    std::filesystem::remove(out);
    return r;
#endif
}

inline std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

}  // namespace tarn
