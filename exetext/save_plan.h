// The planning half of a save: what the writer does with the texts before it touches the
// file. The writer and the space budget both run these steps, so the budget's answer is the
// save's answer.
//
//   storedTexts      raw notation, pictures expanded, 31 spare bytes for texts 3166 and 3169
//   findShareTargets, followShareChains (string_table_writer.h): which texts share a tail
//   planPlacement    where each unshared text goes, or which texts find no place
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "exetext/exe_profile.h"

namespace tarn {

// Texts in the form the file stores them (without the terminating zero), text n at index n - 1.
struct StoredTexts {
    std::vector<std::string> texts;
    std::vector<int> cstyleErrors;  // texts whose C-style notation is malformed, ascending
};

// A text whose C-style notation did not convert, with the converter's message.
struct TextError {
    int textNumber;
    std::string message;
};

// Builds the stored form of texts: converted from C-style notation when cstyle is set (a
// malformed text becomes kCStyleErrorText, after cstyleError is called for it), pictures
// expanded, texts 3166 and 3169 padded. Texts listed in textErrors (ascending) are malformed
// already and handled the same way whatever their text.
StoredTexts storedTexts(
    const std::vector<std::string>& texts, bool cstyle,
    const std::function<void(int textNumber, const std::string& message)>& cstyleError = {},
    const std::vector<TextError>& textErrors = {});

// Where the unshared texts go, area by area: each text takes the first place in the lowest
// area where it and its terminator still fit, in text order.
struct PlacementPlan {
    std::vector<std::int64_t> position;  // file offset of each placed text, -1 for the others
    std::vector<std::uint32_t> address;  // its address in memory (offset + Delta), else 0
    std::vector<int> unplaced;           // unshared texts that find no place, ascending
    std::int64_t freeSpace = 0;  // when all are placed: rest of the last area used + later areas
    // When some are not placed: the bytes they would need, terminators included.
    std::int64_t shortfall = 0;

    bool fits() const { return unplaced.empty(); }
};

PlacementPlan planPlacement(const TextAreaTable& areas, const std::vector<std::string>& stored,
                            const std::vector<int>& shareTargets);

}  // namespace tarn
