// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/save_plan.h"

#include <algorithm>

#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"

namespace tarn {

StoredTexts storedTexts(const std::vector<std::string>& texts, Notation notation,
                        const std::function<void(int, const std::string&)>& cstyleError,
                        const std::vector<TextError>& textErrors) {
    StoredTexts result;
    result.texts.resize(texts.size());
    std::string raw;
    auto knownError = textErrors.begin();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int textNumber = static_cast<int>(i + 1);
        while (knownError != textErrors.end() && knownError->textNumber < textNumber) {
            ++knownError;
        }
        bool converted = true;
        if (knownError != textErrors.end() && knownError->textNumber == textNumber) {
            raw = knownError->message;
            converted = false;
        } else if (notation == Notation::Raw) {
            raw = texts[i];
        } else if (Converted<std::string> fromNotation = cStyleToRaw(texts[i])) {
            raw = std::move(fromNotation.value());
        } else {
            raw = fromNotation.problem().message;
            converted = false;
        }
        if (!converted) {
            if (cstyleError) {
                cstyleError(textNumber, raw);
            }
            result.cstyleErrors.push_back(textNumber);
            raw = kCStyleErrorText;
        }
        result.texts[i] = expandPictures(raw);
    }
    for (const int padded : {kPaddedText1, kPaddedText2}) {
        if (static_cast<std::size_t>(padded) <= result.texts.size()) {
            result.texts[static_cast<std::size_t>(padded - 1)].append(kTextPadding, '\0');
        }
    }
    return result;
}

namespace {

bool isUnshared(const std::vector<int>& shareTargets, std::size_t n) {
    return shareTargets[n] == 0;
}

// Lists the unshared texts without a place and the bytes they need.
void listUnplaced(const std::vector<std::string>& stored, const std::vector<int>& shareTargets,
                  PlacementPlan& plan) {
    for (std::size_t n = 0; n < stored.size(); ++n) {
        if (isUnshared(shareTargets, n) && plan.position[n] < 0) {
            plan.unplaced.push_back(static_cast<int>(n + 1));
            plan.neededBytes += static_cast<std::int64_t>(stored[n].size()) + 1;
        }
    }
}

// Lists what the placement left: the texts without a place and the unused bytes of each area,
// next[k] being area k's first byte no text takes.
void finish(const TextAreaTable& areas, const std::vector<std::int64_t>& next,
            const std::vector<std::string>& stored, const std::vector<int>& shareTargets,
            PlacementPlan& plan) {
    listUnplaced(stored, shareTargets, plan);
    for (std::size_t k = 0; k < areas.size(); ++k) {
        const std::int64_t unused = areas[k].last + 1 - next[k];
        plan.freeSpace += unused;
        plan.largestGap = std::max(plan.largestGap, unused);
    }
}

PlacementPlan emptyPlan(std::size_t count) {
    PlacementPlan plan;
    plan.position.assign(count, -1);
    plan.address.assign(count, 0);
    return plan;
}

void place(PlacementPlan& plan, std::size_t n, std::int64_t position, const TextArea& area) {
    plan.position[n] = position;
    plan.address[n] = static_cast<std::uint32_t>(position + area.delta);
}

// Every text, longest first, into the area where it leaves the least room. first (may be empty)
// lists texts placed before all others.
PlacementPlan planBestFit(const TextAreaTable& areas, const std::vector<std::string>& stored,
                          const std::vector<int>& shareTargets, const std::vector<int>& first) {
    PlacementPlan plan = emptyPlan(stored.size());
    plan.inTextOrder = false;
    std::vector<std::size_t> order;
    for (std::size_t n = 0; n < stored.size(); ++n) {
        if (isUnshared(shareTargets, n)) {
            order.push_back(n);
        }
    }
    const auto early = [&first](std::size_t n) {
        return std::find(first.begin(), first.end(), static_cast<int>(n + 1)) != first.end();
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (early(a) != early(b)) {
            return early(a);
        }
        return stored[a].size() > stored[b].size();
    });

    std::vector<std::int64_t> next;  // each area's first free byte
    for (const TextArea& area : areas) {
        next.push_back(area.first);
    }
    for (const std::size_t n : order) {
        const auto needed = static_cast<std::int64_t>(stored[n].size()) + 1;
        std::size_t best = areas.size();
        std::int64_t bestRoom = 0;
        for (std::size_t k = 0; k < areas.size(); ++k) {
            const std::int64_t room = areas[k].last + 1 - next[k] - needed;
            if (room >= 0 && (best == areas.size() || room < bestRoom)) {
                best = k;
                bestRoom = room;
            }
        }
        if (best < areas.size()) {
            place(plan, n, next[best], areas[best]);
            next[best] += needed;
        }
    }
    finish(areas, next, stored, shareTargets, plan);
    return plan;
}

}  // namespace

PlacementPlan planPlacementInTextOrder(const TextAreaTable& areas,
                                       const std::vector<std::string>& stored,
                                       const std::vector<int>& shareTargets) {
    const std::size_t count = stored.size();
    PlacementPlan plan = emptyPlan(count);
    std::size_t unplaced = 0;
    for (std::size_t n = 0; n < count; ++n) {
        unplaced += isUnshared(shareTargets, n) ? 1 : 0;
    }
    std::vector<std::int64_t> next;  // each area's first free byte
    for (const TextArea& area : areas) {
        next.push_back(area.first);
    }
    for (std::size_t k = 0; k < areas.size() && unplaced > 0; ++k) {
        const TextArea& area = areas[k];
        for (std::size_t n = 0; n < count; ++n) {
            if (!isUnshared(shareTargets, n) || plan.position[n] >= 0) {
                continue;
            }
            const auto length = static_cast<std::int64_t>(stored[n].size());
            if (length <= area.last - next[k]) {
                place(plan, n, next[k], area);
                next[k] += length + 1;
                --unplaced;
            }
        }
    }
    finish(areas, next, stored, shareTargets, plan);
    return plan;
}

PlacementPlan planPlacement(const TextAreaTable& areas, const std::vector<std::string>& stored,
                            const std::vector<int>& shareTargets) {
    PlacementPlan plan = planPlacementInTextOrder(areas, stored, shareTargets);
    if (plan.fits()) {
        return plan;
    }
    return planBestFit(areas, stored, shareTargets, {});
}

bool paddedTextsPlaced(const PlacementPlan& plan) {
    return std::none_of(plan.unplaced.begin(), plan.unplaced.end(),
                        [](int text) { return text == kPaddedText1 || text == kPaddedText2; });
}

PlacementPlan planPlacementForGrowth(const TextAreaTable& areas,
                                     const std::vector<std::string>& stored,
                                     const std::vector<int>& shareTargets) {
    PlacementPlan plan = planPlacement(areas, stored, shareTargets);
    if (!paddedTextsPlaced(plan)) {
        plan = planBestFit(areas, stored, shareTargets, {kPaddedText1, kPaddedText2});
    }
    return plan;
}

void placeInAddedArea(PlacementPlan& plan, const TextArea& area,
                      const std::vector<std::string>& stored) {
    std::int64_t next = area.first;
    for (const int text : plan.unplaced) {
        const auto n = static_cast<std::size_t>(text - 1);
        place(plan, n, next, area);
        next += static_cast<std::int64_t>(stored[n].size()) + 1;
    }
    if (next > area.last + 1) {
        throw std::logic_error("the added text area is smaller than its texts");
    }
    plan.unplaced.clear();
    plan.neededBytes = 0;
}

}  // namespace tarn
