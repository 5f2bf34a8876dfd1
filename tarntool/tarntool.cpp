// SPDX-License-Identifier: GPL-3.0-or-later
#include <exception>
#include <iostream>

#include "tarntool/commands.h"

namespace tarn::tool {

int runTarntool(int argc, char** argv) {
    Tool tool("tarntool: batch work on the game's executable texts and object files",
              TARN_VERSION);
    addExeCommands(tool);
    addExePoCommands(tool);
    addObjCommands(tool);
    addObjPoCommands(tool);
    addPatchCommands(tool);
    addSampleGameCommand(tool);
    addCheckCommands(tool);
    try {
        return tool.run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "tarntool: " << e.what() << "\n";
        return kBadUse;
    }
}

int runTarntool(const std::vector<std::string>& args) {
    std::vector<std::string> strings{"tarntool"};
    strings.insert(strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : strings) {
        argv.push_back(s.data());
    }
    argv.push_back(nullptr);
    return runTarntool(static_cast<int>(strings.size()), argv.data());
}

}  // namespace tarn::tool
