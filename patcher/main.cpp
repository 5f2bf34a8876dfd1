// SPDX-License-Identifier: GPL-3.0-or-later
// TarnPatch: run from the game folder, it puts the translated object texts attached to this
// executable into the game's ObjData files; with --restore (or /restore) it puts back the
// original files it kept. Other arguments are ignored, as a file dropped on the program passes
// its name.
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>

#include "common/file_io.h"
#include "enduser/resource_bundle.h"
#include "patcher/tarn_patch.h"
#include "platform/core/console.h"
#include "platform/core/paths.h"

int main(int argc, char** argv) {
    tarn::platform::prepareConsole();
    tarn::ResourceBundle resources;
    std::string resourceError;
    try {
        resources =
            tarn::ResourceBundle::parse(tarn::readWholeFile(tarn::platform::ownExecutablePath()));
    } catch (const std::exception& e) {
        resourceError = e.what();
    }
    try {
        tarn::TarnPatch patch(std::move(resources), resourceError, std::filesystem::path("."),
                              std::cin, std::cout);
        tarn::injectTestFault(patch, std::getenv("TARNPATCH_TEST_FAULT"));
        for (int i = 1; i < argc; ++i) {
            if (tarn::isRestoreSwitch(argv[i])) {
                return patch.restore();
            }
        }
        return patch.run();
    } catch (const std::exception& e) {
        const auto end = tarn::platform::consoleLineEnd();
        std::cout << end << tarn::platform::nativeToConsoleText(e.what()) << end << std::flush;
        return 1;
    }
}
