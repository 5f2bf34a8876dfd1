// tarntool patch build: the end-user program for a game's object files, as the builder window
// makes it.
#include <iostream>

#include "common/file_io.h"
#include "enduser/carried_patcher.h"
#include "enduser/end_user_program.h"
#include "objfiles/object_folder.h"
#include "tarntool/command_line.h"
#include "tarntool/commands.h"

namespace tarn::tool {

namespace {

const char* const kPatchUsage =
    "usage: tarntool patch build --game DIR -o OUT [--id N] [--normal-rle] [--messages FILE]\n"
    "                            [--yes-chars CHARS] [--target windows|native|windows64]\n";

int build(const CommandLine& cl) {
    const auto game = cl.value("--game");
    const auto out = cl.value("-o");
    if (!cl.positional().empty() || !game || !out) {
        throw UsageError("patch build takes --game DIR -o OUT");
    }
    PatcherTarget target = defaultPatcherTarget();
    if (const auto name = cl.value("--target")) {
        const auto chosen = patcherTargetFromName(*name);
        if (!chosen) {
            throw UsageError("--target must be windows, native or windows64");
        }
        target = *chosen;
    }
    EndUserOptions options;
    options.texts.enhancedRle = !cl.has("--normal-rle");
    if (const auto id = cl.value("--id")) {
        options.texts.onlyId = static_cast<std::uint8_t>(parseNumber(*id, 0, 254, "--id"));
    }
    if (const auto yes = cl.value("--yes-chars")) {
        options.yesChars = *yes;
    }
    const std::optional<Bytes> patcher = carriedPatcher(target);
    if (!patcher) {
        std::cerr << "tarntool: this tarntool carries no " << patcherTargetName(target)
                  << " end-user program (it was built without the MinGW-w64 compilers)\n";
        return 1;
    }
    std::string current;
    try {
        if (const auto messages = cl.value("--messages")) {
            current = *messages;
            options.messages = parseMessageLines(toString(readWholeFile(*messages)));
        }
        const auto objData = findObjDataFolder(*game);
        if (!objData) {
            std::cerr << "tarntool: there is no ObjData folder in " << *game << "\n";
            return 1;
        }
        current = objData->string();
        std::vector<ObjFile> files;
        loadObjectFolder(*objData, files, [&](std::size_t, std::size_t, const std::string& name) {
            current = (*objData / name).string();
        });
        current.clear();
        writeFileAtomically(*out, buildEndUserProgram(*patcher, files, options),
                            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    } catch (const std::exception& e) {
        std::cerr << "tarntool: " << (current.empty() ? "" : current + ": ") << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int runPatchCommand(const Args& args) {
    try {
        if (args.empty() || args[0] != "build") {
            throw UsageError(args.empty() ? "patch needs a command"
                                          : "unknown patch command \"" + args[0] + "\"");
        }
        const CommandLine cl(args, 1,
                             {"--game", "-o", "--id", "--messages", "--yes-chars", "--target"},
                             {"--normal-rle"});
        return build(cl);
    } catch (const UsageError& e) {
        std::cerr << "tarntool: " << e.what() << "\n" << kPatchUsage;
        return 2;
    }
}

}  // namespace tarn::tool
