// SPDX-License-Identifier: GPL-3.0-or-later
// The translation checks over object texts: in every text group that holds both language IDs,
// the target-language text is checked against the source-language text (translation_checks.h),
// and the groups are compared with each other for the "inconsistent" check. tarntool's obj check
// and the object texts window report these findings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "objfiles/object_text_model.h"
#include "textcodes/translation_checks.h"

namespace tarn {

// One group's pair of texts (the first entry of each ID in the group).
struct ObjectTextPair {
    std::size_t file = 0;
    std::size_t group = 0;  // from 0, as the checks' labels count them
    std::string source;
    std::string target;
};

// Every group holding both IDs, in document order.
std::vector<ObjectTextPair> objectTextPairs(const std::vector<ObjectFile>& files,
                                            std::uint8_t sourceId, std::uint8_t targetId);

// How a finding names its group: "CHEST.DAT 3".
std::string groupLabel(const std::vector<ObjectFile>& files, const ObjectTextPair& pair);

// A file's own finding, "checksum", when it stores a wrong checksum: a warning, since the game
// reads such a file and only a save of it without repair is refused.
std::optional<CheckFinding> checksumFinding(const ObjectFile& file);

// The findings of every pair (raw notation) and those across the pairs, in pair order; a
// finding's text is its pair's index + 1.
std::vector<TextFinding> checkObjectTexts(const std::vector<ObjectFile>& files,
                                          const std::vector<ObjectTextPair>& pairs,
                                          const ByteCharacters& characters);

}  // namespace tarn
