// What a save would do with the texts, without writing anything: the free bytes it would
// report, or by how much the texts are too long and which of them find no place. The same
// planning steps as the writer (save_plan.h), so the answer is the save's answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exetext/exe_profile.h"

namespace tarn {

struct SpaceBudget {
    std::int64_t freeSpace = 0;  // when everything fits: the figure the save reports
    std::int64_t shortfall = 0;  // otherwise: the stored sizes of the texts left out, summed
    std::vector<int> unplaced;   // the texts left out (numbers 1..3453), ascending

    bool fits() const { return unplaced.empty(); }
};

// texts: 3453 of them, text n at index n - 1, in C-style notation when cstyle is set (a
// malformed one counts as the "-Error!-" the save would store for it).
SpaceBudget spaceBudget(const TextAreaTable& areas, const std::vector<std::string>& texts,
                        bool cstyle);

// The line scripts read from tarntool: "34398 bytes free" or "over by 57 bytes: 3 texts do not
// fit", the same words whatever the numbers.
std::string spaceBudgetText(const SpaceBudget& budget);
// The same for a person, in the status bar: "34398 bytes free", "Over by 57 bytes: 3 texts do
// not fit", with "1 byte" and "1 text does" in the singular.
std::string spaceBudgetStatus(const SpaceBudget& budget);

}  // namespace tarn
