// SPDX-License-Identifier: GPL-3.0-or-later
// The command families of tarntool. Each adds its commands to the tool; runTarntool lists them.
#pragma once

#include <string>
#include <vector>

#include "tarntool/tool.h"

namespace tarn::tool {

void addExeCommands(Tool& tool);        // tarntool exe ...
void addExePoCommands(Tool& tool);      // tarntool exe export-po|import-po
void addObjCommands(Tool& tool);        // tarntool obj ...
void addObjPoCommands(Tool& tool);      // tarntool obj export-po|import-po
void addPatchCommands(Tool& tool);      // tarntool patch ...
void addSampleGameCommand(Tool& tool);  // tarntool sample-game DIR
void addCheckCommands(Tool& tool);      // tarntool exe budget|check, obj check

// Says, on standard error, when a sample executable was made without the stand-in game.
void noteZeroFilledSample();

// The whole program: parses the command line, runs the command, answers the exit status.
int runTarntool(int argc, char** argv);
int runTarntool(const std::vector<std::string>& args);  // args without the program name

}  // namespace tarn::tool
