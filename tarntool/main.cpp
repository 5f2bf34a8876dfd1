// tarntool: batch work on the game's executable texts and object files, without windows.
#include <exception>
#include <iostream>
#include <string>

#include "tarntool/commands.h"

namespace {

const char* const kUsage =
    "usage: tarntool exe info|export|import|sample ...\n"
    "       tarntool obj info|recode|set ...\n"
    "       tarntool patch build ...\n"
    "       tarntool sample-game DIR\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace tarn::tool;
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string group = argv[1];
    const Args rest(argv + 2, argv + argc);
    try {
        if (group == "exe") return runExeCommand(rest);
        if (group == "obj") return runObjCommand(rest);
        if (group == "patch") return runPatchCommand(rest);
        if (group == "sample-game") return runSampleGameCommand(rest);
    } catch (const std::exception& e) {
        std::cerr << "tarntool: " << e.what() << "\n";
        return 2;
    }
    std::cerr << "tarntool: unknown command \"" << group << "\"\n" << kUsage;
    return 2;
}
