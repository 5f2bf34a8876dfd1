// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/space_budget.h"

#include <algorithm>

#include "exetext/save_plan.h"
#include "exetext/string_table_writer.h"

namespace tarn {

namespace {

SpaceBudget spaceBudgetOf(const TextAreaTable& areas, const std::vector<std::string>& stored,
                          PlacementPlan plan, bool grow) {
    SpaceBudget budget;
    budget.freeSpace = plan.freeSpace;
    budget.longestFitting = std::max<std::int64_t>(plan.largestGap - 1, 0);
    if (plan.fits()) {
        return budget;
    }
    if (grow && paddedTextsPlaced(plan)) {
        budget.addedTexts = static_cast<int>(plan.unplaced.size());
        budget.addedBytes = plan.neededBytes;
        return budget;
    }
    budget.shortfall = std::max<std::int64_t>(plan.neededBytes - plan.freeSpace, 1);
    // Exact only when one text is left out and every unused byte lies in one run: it then
    // fits once it is that much shorter.
    budget.atLeast = plan.freeSpace > 0 &&
                     !(plan.unplaced.size() == 1 && plan.largestGap == plan.freeSpace);
    std::int64_t largestArea = 0;
    for (const TextArea& area : areas) {
        largestArea = std::max<std::int64_t>(largestArea, area.last - area.first + 1);
    }
    for (const int text : plan.unplaced) {
        const auto needed =
            static_cast<std::int64_t>(stored[static_cast<std::size_t>(text - 1)].size()) + 1;
        if (needed > largestArea) {
            budget.tooLong.push_back({text, needed - largestArea, largestArea});
        }
    }
    budget.unplaced = std::move(plan.unplaced);
    return budget;
}

}  // namespace

SpaceBudget spaceBudget(const TextAreaTable& areas, const std::vector<std::string>& texts,
                        Notation notation, bool grow) {
    return spaceBudget(areas, prepareTexts(texts, notation), grow);
}

SpaceBudget spaceBudget(const TextAreaTable& areas, const PreparedTexts& prepared, bool grow) {
    const std::vector<std::string>& stored = prepared.stored.texts;
    return spaceBudgetOf(areas, stored,
                         grow ? planPlacementForGrowth(areas, stored, prepared.shareTargets)
                              : planPlacement(areas, stored, prepared.shareTargets),
                         grow);
}

std::string spaceBudgetText(const SpaceBudget& budget) {
    if (budget.fits()) {
        return std::to_string(budget.freeSpace) + " bytes free";
    }
    return "over by " + std::to_string(budget.shortfall) +
           " bytes: " + std::to_string(budget.unplaced.size()) + " texts do not fit";
}

std::string spaceBudgetStatus(const SpaceBudget& budget) {
    const auto bytes = [](std::int64_t n) {
        return std::to_string(n) + (n == 1 ? " byte" : " bytes");
    };
    if (budget.fits()) {
        if (budget.addedTexts > 0) {
            return bytes(budget.freeSpace) + " free, " + std::to_string(budget.addedTexts) +
                   (budget.addedTexts == 1 ? " text (" : " texts (") +
                   std::to_string(budget.addedBytes) + " bytes) in an added section";
        }
        return bytes(budget.freeSpace) + " free";
    }
    const std::size_t texts = budget.unplaced.size();
    return std::string("Over by ") + (budget.atLeast ? "at least " : "") +
           bytes(budget.shortfall) + ": " + std::to_string(texts) +
           (texts == 1 ? " text does not fit" : " texts do not fit");
}

std::string groupedNumber(std::int64_t n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return (n < 0 ? "-" : "") + digits;
}

std::vector<std::string> spaceBudgetDetails(const SpaceBudget& budget) {
    std::vector<std::string> lines;
    for (const TooLongText& text : budget.tooLong) {
        lines.push_back("Text " + std::to_string(text.text) + " is " +
                        groupedNumber(text.excess) + (text.excess == 1 ? " byte" : " bytes") +
                        " longer than the largest text area (" +
                        groupedNumber(text.largestArea) + " bytes)");
    }
    lines.push_back("The longest text that would still fit: " +
                    groupedNumber(budget.longestFitting) +
                    (budget.longestFitting == 1 ? " byte" : " bytes"));
    return lines;
}

}  // namespace tarn
