// Synthetic game executables for tests and demonstrations: a file of a profile's exact size,
// zero bytes everywhere except the pointer blocks, the fix-up spots and the texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"

namespace tarn {

// Builds an executable of profile 1..4 holding the raw texts (3453, text n at index n - 1)
// exactly as a save would store them. Raises std::invalid_argument for a bad profile number,
// a wrong number of texts, or texts that do not fit into the profile's text areas.
Bytes makeSampleExecutable(int profile, const std::vector<std::string>& rawTexts,
                           std::uint8_t primaryLangId = 0, std::uint8_t secondaryLangId = 0);

// 3453 raw texts of a believable game: sentences that between them use every code (line
// break, thin letters, default colour, every value and colour code, %, \, a control byte,
// accented letters and pictures of every count) among plain menu and item texts. Some texts
// repeat or end other texts, one is empty. They fit every profile.
std::vector<std::string> sampleTexts();

}  // namespace tarn
