// SPDX-License-Identifier: GPL-3.0-or-later
// The ObjData folder of the sample game that `tarntool sample-game` writes: one object file of
// every type, with texts in language IDs 0 (English), 1 (German) and 5 (French).
#pragma once

#include <string>
#include <vector>

#include "common/bytes.h"

namespace tarn {

struct SampleObjectFile {
    std::string fileName;  // in mixed letter case, as game folders have them
    Bytes contents;
};

// Type n is the n-th file; the encodings take turns so that each type and each encoding
// occur. The texts are game sentences that use the game's codes: colours, thin letters,
// values, a picture, line breaks, and accented letters.
std::vector<SampleObjectFile> sampleGameObjects();

}  // namespace tarn
