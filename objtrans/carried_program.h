// The end-user programs (TarnPatch) TarnEdit carries whole, one per target system, and copies
// for every build.
#pragma once

#include <functional>
#include <optional>

#include "common/bytes.h"
#include "enduser/carried_patcher.h"

namespace tarn {

// Where a build takes the end-user program for a target from: the carried ones
// (carriedPatcher); tests put other bytes (or none) here.
using CarriedProgramSource = std::function<std::optional<Bytes>(PatcherTarget)>;

}  // namespace tarn
