// SPDX-License-Identifier: GPL-3.0-or-later
// The TarnPatch executables this program carries, from which end-user programs are built: the
// one of this build's own system and, where the MinGW-w64 compilers were installed, the Windows
// ones. Linking the library tarn_carried_patchers puts them into a program.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "common/bytes.h"

namespace tarn {

enum class PatcherTarget {
    Native,     // the system this program was built for
    Windows,    // 32-bit Windows, as the game is: what players get
    Windows64,  // 64-bit Windows: for testing where only 64-bit programs run (Wine)
};

// The carried executable for target; nullopt when this build does not carry it.
std::optional<Bytes> carriedPatcher(PatcherTarget target);

// Where a build takes the end-user program for a target from: carriedPatcher, or in tests
// other bytes (or none).
using CarriedProgramSource = std::function<std::optional<Bytes>(PatcherTarget)>;

// Whether this build carries the executable for target (without copying it).
bool carriesPatcher(PatcherTarget target);

// Windows when it is carried, else Native.
PatcherTarget defaultPatcherTarget();

// "native", "windows", "windows64", and back (nullopt for another text).
std::string_view patcherTargetName(PatcherTarget target);
std::optional<PatcherTarget> patcherTargetFromName(std::string_view name);

}  // namespace tarn
