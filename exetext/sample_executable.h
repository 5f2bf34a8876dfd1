// SPDX-License-Identifier: GPL-3.0-or-later
// Synthetic game executables for tests and demonstrations: a file of a profile's exact size
// holding the texts as a save places them. Where the build carries the stand-in game
// (stand_in_image.h) the file is that program, which Windows runs and which checks its own
// texts; elsewhere it is zero bytes around the pointer blocks, the fix-up spots and the texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "exetext/sample_texts.h"

namespace tarn {

// Said where a sample executable is made without the stand-in game.
inline constexpr std::string_view kZeroFilledSampleNote =
    "this build carries no stand-in game (MinGW-w64 was missing when it was built): the sample "
    "executable is zero bytes around its texts";

// Builds an executable of profile 1..4 holding the raw texts (3453, text n at index n - 1)
// exactly as a save would store them. Raises std::invalid_argument for a bad profile number,
// a wrong number of texts, or texts that do not fit into the profile's text areas.
Bytes makeSampleExecutable(int profile, const std::vector<std::string>& rawTexts,
                           std::uint8_t primaryLangId = 0, std::uint8_t secondaryLangId = 0);

}  // namespace tarn
