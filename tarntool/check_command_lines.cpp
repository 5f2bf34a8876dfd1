// The command lines of exe budget, exe check and obj check, read into their options.
#include <iostream>

#include "tarntool/check_commands.h"
#include "tarntool/command_line.h"
#include "tarntool/commands.h"

namespace tarn::tool {

namespace {

int usage(const std::string& message, const char* line) {
    std::cerr << "tarntool: " << message << "\nusage: tarntool " << line << "\n";
    return 2;
}

}  // namespace

int runExeBudgetCommand(const Args& args) {
    const char* line = "exe budget TRANSLATED [TEXTS] [--code-page N]";
    try {
        const CommandLine cl(args, 1, {"--code-page"}, {});
        if (cl.positional().empty() || cl.positional().size() > 2) {
            throw UsageError("exe budget takes TRANSLATED and an optional TEXTS");
        }
        ExeBudgetOptions options;
        options.translated = cl.positional()[0];
        if (cl.positional().size() == 2) {
            options.texts = cl.positional()[1];
        }
        options.codePage = cl.value("--code-page").value_or(options.codePage);
        return exeBudget(options);
    } catch (const UsageError& e) {
        return usage(e.what(), line);
    }
}

int runExeCheckCommand(const Args& args) {
    const char* line = "exe check ORIGINAL TRANSLATED [--json] [--code-page N]";
    try {
        const CommandLine cl(args, 1, {"--code-page"}, {"--json"});
        if (cl.positional().size() != 2) {
            throw UsageError("exe check takes ORIGINAL and TRANSLATED");
        }
        ExeCheckOptions options;
        options.original = cl.positional()[0];
        options.translated = cl.positional()[1];
        options.json = cl.has("--json");
        options.codePage = cl.value("--code-page").value_or(options.codePage);
        return exeCheck(options);
    } catch (const UsageError& e) {
        return usage(e.what(), line);
    }
}

int runObjCheckCommand(const Args& args) {
    const char* line = "obj check GAME_DIR --source-id S --target-id T [--json] [--code-page N]";
    try {
        const CommandLine cl(args, 1, {"--source-id", "--target-id", "--code-page"}, {"--json"});
        const auto source = cl.value("--source-id");
        const auto target = cl.value("--target-id");
        if (cl.positional().size() != 1 || !source || !target) {
            throw UsageError("obj check takes GAME_DIR --source-id S --target-id T");
        }
        ObjCheckOptions options;
        options.gameDir = cl.positional()[0];
        options.sourceId = *source;
        options.targetId = *target;
        options.json = cl.has("--json");
        options.codePage = cl.value("--code-page").value_or(options.codePage);
        return objCheck(options);
    } catch (const UsageError& e) {
        return usage(e.what(), line);
    }
}

}  // namespace tarn::tool
