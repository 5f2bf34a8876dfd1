// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool exe budget, exe check and obj check: the space budget and the translation checks
// from the command line. Each command is a function over its options; the parser fills them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tarntool/arguments.h"

namespace tarn::tool {

struct ExeBudgetOptions {
    std::string translated;            // the translated executable
    std::optional<std::string> texts;  // a texts file (exe import format); else the file's own
    CodePageOptions codePage;          // --code-page, --table
    bool grow = false;                 // texts that do not fit go into an added section
    bool json = false;                 // every figure as one JSON object
};
// "N bytes free" (0), or "over by N bytes: K texts do not fit" and the text numbers, one per
// line (1); with --json an object of every figure: fits, free, longest_fitting, over, at_least,
// unplaced, too_long (text, excess, largest_area) and added_section (texts, bytes).
int exeBudget(const ExeBudgetOptions& options);

// The spelling check's options, shared by exe check and obj check.
struct SpellingOptions {
    std::optional<std::string> language;          // --spelling; no spelling check without it
    std::optional<std::string> dictionaryFolder;  // --dictionary-dir, searched first
};

struct ExeCheckOptions {
    std::string original;
    std::string translated;
    bool json = false;
    CodePageOptions codePage;  // --code-page, --table
    SpellingOptions spelling;
    std::vector<std::string> skip;  // --skip CHECK, repeatable: findings left out
};
// One line per finding, "N severity check: message", or with json one array of
// {"text", "severity", "check", "message"}. 1 when any finding is an error; the findings of the
// skipped checks are left out first. The spelling check runs with a language; a missing
// dictionary is a refusal (2) naming the package to install.
int exeCheck(const ExeCheckOptions& options);

struct ObjectCheckOptions {
    std::string gameDir;  // the game's folder (or its executable), which holds ObjData
    std::string sourceId;
    std::string targetId;
    bool json = false;
    CodePageOptions codePage;  // --code-page, --table
    SpellingOptions spelling;
    std::vector<std::string> skip;  // --skip CHECK, repeatable: findings left out
};
// The checks between each group's source and target texts: "FILE GROUP severity check:
// message" lines, or with json {"file", "group", "severity", "check", "message"}.
int objCheck(const ObjectCheckOptions& options);

}  // namespace tarn::tool
