// SPDX-License-Identifier: GPL-3.0-or-later
// TarnPatch: run from the game folder (or kept beside ObjData), it puts the translated object
// texts attached to this executable into the game's ObjData files; with --restore (or
// /restore) it puts back the original files it kept; --help shows the usage. An argument that
// is no option names the game executable (a file dropped on the program passes its path); an
// unknown option shows the usage before anything is asked.
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/utf8_path.h"
#include "enduser/resource_bundle.h"
#include "patcher/tarn_patch.h"
#include "platform/core/console.h"
#include "platform/core/paths.h"

int main(int argc, char** argv) {
    tarn::platform::prepareConsole();
    tarn::ResourceBundle resources;
    std::string resourceError;
    std::filesystem::path program;
    try {
        program = tarn::platform::ownExecutablePath();
        resources = tarn::ResourceBundle::read(program);
    } catch (const std::exception& e) {
        resourceError = e.what();
    }
    try {
        // The options are ASCII words: argv serves on every system (the wide command line would
        // cost the Windows program another system library).
        const std::vector<std::string> options(argv + (argc > 0 ? 1 : 0), argv + argc);
        const std::filesystem::path gameFolder =
            tarn::chooseGameFolder(std::filesystem::path("."), program.parent_path());
        tarn::TarnPatch patch(std::move(resources), resourceError, gameFolder, std::cin, std::cout);
        patch.setOwnProgram(program);
        patch.setNamedExecutable(tarn::namedExecutableOf(options));
        patch.setOwnConsole(tarn::platform::consoleIsOwn());
        tarn::injectTestFault(patch, std::getenv("TARNPATCH_TEST_FAULT"));
        switch (tarn::commandOf(options)) {
            case tarn::Command::Restore:
                return patch.restore();
            case tarn::Command::Help:
            case tarn::Command::Unknown: {
                const bool asked = tarn::commandOf(options) == tarn::Command::Help;
                const std::string name = program.empty() ? std::string("TarnPatch")
                                                         : tarn::pathToUtf8(program.filename());
                return patch.usage(name, asked);
            }
            case tarn::Command::Patch:
                break;
        }
        return patch.run();
    } catch (const std::exception& e) {
        const auto end = tarn::platform::consoleLineEnd();
        std::cout << end << tarn::platform::nativeToConsoleText(e.what()) << end << std::flush;
        return 1;
    }
}
