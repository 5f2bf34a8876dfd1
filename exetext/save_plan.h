// SPDX-License-Identifier: GPL-3.0-or-later
// The planning half of a save: what the writer does with the texts before it touches the
// file. The writer and the space budget both run these steps, so the budget's answer is the
// save's answer.
//
//   storedTexts      raw notation, pictures expanded, 31 spare bytes for texts 3166 and 3169
//   findShareTargets, followShareChains (string_table_writer.h): which texts share a tail
//   planPlacement    where each unshared text goes (in text order, else placed again
//                    longest first), or which texts find no place
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "exetext/exe_profile.h"
#include "textcodes/cstyle.h"

namespace tarn {

// Texts in the form the file stores them (without the terminating zero), text n at index n - 1.
struct StoredTexts {
    std::vector<std::string> texts;
    std::vector<int> cstyleErrors;  // texts whose C-style notation is malformed, ascending
};

// The stored texts and which of them share a tail, text n at index n - 1: its final container,
// or 0 (findShareTargets, then followShareChains). A caller that asks spaceBudget before it
// saves prepares them once for both (prepareTexts, string_table_writer.h).
struct PreparedTexts {
    StoredTexts stored;
    std::vector<int> shareTargets;
};

// A text whose C-style notation did not convert, with the converter's message.
struct TextError {
    int textNumber;
    std::string message;
};

// Builds the stored form of texts written in notation: C-style texts are converted (a
// malformed one becomes kCStyleErrorText, after cstyleError is called for it), pictures
// expanded, texts 3166 and 3169 padded. Texts listed in textErrors (ascending) are malformed
// already and handled the same way whatever their text.
StoredTexts storedTexts(
    const std::vector<std::string>& texts, Notation notation,
    const std::function<void(int textNumber, const std::string& message)>& cstyleError = {},
    const std::vector<TextError>& textErrors = {});

// Where the unshared texts go.
struct PlacementPlan {
    std::vector<std::int64_t> position;  // file offset of each placed text, -1 for the others
    std::vector<std::uint32_t> address;  // its address in memory (offset + Delta), else 0
    std::vector<int> unplaced;           // unshared texts that find no place, ascending
    std::int64_t freeSpace = 0;   // every byte of the areas that no text takes
    std::int64_t largestGap = 0;  // the most unused bytes in one area
    // The bytes the unplaced texts need, terminators included.
    std::int64_t neededBytes = 0;
    bool inTextOrder = true;  // whether the texts were placed in text order

    bool fits() const { return unplaced.empty(); }
};

// The game's own placement, area by area: each text takes the first place in the lowest area
// where it and its terminator still fit, in text order.
PlacementPlan planPlacementInTextOrder(const TextAreaTable& areas,
                                       const std::vector<std::string>& stored,
                                       const std::vector<int>& shareTargets);

// The placement in text order when the texts fit so, keeping a file's layout as the game left
// it; otherwise every unshared text placed again from scratch, longest first, each into the
// area where it leaves the least room. The texts that find no
// place then are the ones listed as unplaced.
PlacementPlan planPlacement(const TextAreaTable& areas, const std::vector<std::string>& stored,
                            const std::vector<int>& shareTargets);

// Whether texts 3166 and 3169, whose 31 spare bytes the game writes at run time, lie in the
// build's areas.
bool paddedTextsPlaced(const PlacementPlan& plan);

// planPlacement, for a file that may grow: when it leaves text 3166 or 3169 without a place,
// the texts are placed again with those two first, so that only other texts are left for an
// added section.
PlacementPlan planPlacementForGrowth(const TextAreaTable& areas,
                                     const std::vector<std::string>& stored,
                                     const std::vector<int>& shareTargets);

// Places the plan's unplaced texts one after another into area, an added section's, which holds
// at least their neededBytes; none is left unplaced then.
void placeInAddedArea(PlacementPlan& plan, const TextArea& area,
                      const std::vector<std::string>& stored);

}  // namespace tarn
