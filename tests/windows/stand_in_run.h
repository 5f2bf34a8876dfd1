// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the stand-in game under the 32-bit Wine and splits what it printed: one line per text,
// then its "ids" line and its own checks. Also what tarntool says the same file stores.
#pragma once

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "exetext/exe_profile.h"
#include "tests/run_child.h"
#include "tests/windows/wine_prefix.h"

namespace tarn {

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

struct StandInRun {
    int code;
    std::string texts;              // the first 3453 lines
    std::vector<std::string> rest;  // "ids PP SS", then "ok: ..." or "failed: ..." lines

    // Every own check of the stand-in held.
    bool allChecksHeld() const {
        return rest.size() > 1 && std::all_of(rest.begin() + 1, rest.end(), [](const auto& line) {
                   return line.rfind("ok: ", 0) == 0;
               });
    }
};

// Runs the executable exe (a path, or a name in scratch) with scratch as its folder.
inline StandInRun runStandIn(const std::filesystem::path& scratch, const std::string& exe) {
    const ChildResult r = runIn(scratch, shellQuoted(WINE32_PATH) + " " + shellQuoted(exe), "",
                                scratch, scratch / "wine-errors.txt");
    StandInRun result{r.code, {}, lines(r.out)};
    const std::size_t textLines = std::min<std::size_t>(result.rest.size(), kTextCount);
    for (std::size_t i = 0; i < textLines; ++i) {
        result.texts += result.rest[i] + "\n";
    }
    result.rest.erase(result.rest.begin(),
                      result.rest.begin() + static_cast<std::ptrdiff_t>(textLines));
    return result;
}

// tarntool's lines of the stored bytes of every text, or "" when it fails.
inline std::string storedHex(const std::filesystem::path& scratch, const std::string& exe) {
    const ChildResult r =
        runIn(scratch, tarntool("exe export " + shellQuoted(exe) + " --stored-hex"), "", scratch,
              scratch / "tool-errors.txt");
    return r.code == 0 ? r.out : std::string();
}

}  // namespace tarn
