// The end-user program (TarnPatch) that TarnEdit carries whole and copies for every build.
#pragma once

#include <functional>
#include <optional>

#include "common/bytes.h"

namespace tarn {

// The carried program's bytes, or nothing when this program was built without it.
std::optional<Bytes> carriedEndUserProgram();

// Where a build takes the end-user program from; tests put other bytes (or none) here.
using CarriedProgramSource = std::function<std::optional<Bytes>()>;

}  // namespace tarn
