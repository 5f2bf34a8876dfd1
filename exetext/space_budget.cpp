#include "exetext/space_budget.h"

#include "exetext/save_plan.h"
#include "exetext/string_table_writer.h"

namespace tarn {

SpaceBudget spaceBudget(const TextAreaTable& areas, const std::vector<std::string>& texts,
                        bool cstyle) {
    const StoredTexts stored = storedTexts(texts, cstyle);
    std::vector<int> shareTargets = findShareTargets(stored.texts);
    followShareChains(shareTargets);
    PlacementPlan plan = planPlacement(areas, stored.texts, shareTargets);

    SpaceBudget budget;
    budget.freeSpace = plan.fits() ? plan.freeSpace : 0;
    budget.shortfall = plan.shortfall;
    budget.unplaced = std::move(plan.unplaced);
    return budget;
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
        return bytes(budget.freeSpace) + " free";
    }
    const std::size_t texts = budget.unplaced.size();
    return "Over by " + bytes(budget.shortfall) + ": " + std::to_string(texts) +
           (texts == 1 ? " text does not fit" : " texts do not fit");
}

}  // namespace tarn
