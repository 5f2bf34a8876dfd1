// SPDX-License-Identifier: GPL-3.0-or-later
// The build of an end-user program from the object texts window: asks for the options and the
// target in the PatchBuilderDialog, then writes a copy of the carried end-user program for
// the chosen system (Windows or this one) with the message table and the object texts attached
// (buildEndUserProgram, the same build that tarntool runs). The file is written to a temporary file
// beside the target and renamed over it when complete, so a failed build never leaves a half-built
// program at the chosen path.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "enduser/carried_patcher.h"
#include "objfiles/object_text_model.h"

class QWidget;

namespace tarn {

class PatchBuilderDialog;

// What the window that starts a build lends it: the panel disabled meanwhile, the source of the
// end-user programs and the status line.
struct BuildFrontEnd {
    QWidget* panel = nullptr;
    CarriedProgramSource carriedProgram = carriedPatcher;
    std::function<void(const QString&)> status;
    std::function<void(const QString& file)> created;  // the program written, in the system's form
};

inline constexpr const char* kExecutableCreated = "Executable created";
inline constexpr const char* kExecutableNotCreated = "The executable was not created";

// Answers true when the program was written. Cancelling the settings writes nothing and leaves
// the status as it was; every failure is shown in its error box and ends with the status
// kExecutableNotCreated. The hourglass and the panel are restored on every exit.
bool createEndUserExecutable(PatchBuilderDialog& settings, const std::vector<ObjectFile>& files,
                             const BuildFrontEnd& frontEnd);

}  // namespace tarn
