// SPDX-License-Identifier: GPL-3.0-or-later
// The tail-sharing rule in O(n log n): a text p may share into text i exactly when p's bytes
// reversed are a prefix of i's bytes reversed. Sorting the reversed texts puts all texts that
// end with p's bytes into one contiguous run of the sorted order, starting at p's first equal;
// a segment tree over that order answers the lowest text number among the texts that may
// still be containers.
#include <algorithm>
#include <limits>

#include "exetext/exe_profile.h"
#include "exetext/string_table_writer.h"

namespace tarn {

namespace {

// Minimum over a range of slots, each holding a text index or kNone.
class MinTree {
public:
    static constexpr int kNone = std::numeric_limits<int>::max();

    explicit MinTree(std::size_t size) : size_(1) {
        while (size_ < size) {
            size_ *= 2;
        }
        tree_.assign(2 * size_, kNone);
    }

    void set(std::size_t slot, int value) {
        std::size_t i = slot + size_;
        tree_[i] = value;
        for (i /= 2; i >= 1; i /= 2) {
            tree_[i] = std::min(tree_[2 * i], tree_[2 * i + 1]);
        }
    }

    // Minimum over slots [from, to).
    int min(std::size_t from, std::size_t to) const {
        int best = kNone;
        for (std::size_t lo = from + size_, hi = to + size_; lo < hi; lo /= 2, hi /= 2) {
            if (lo & 1) {
                best = std::min(best, tree_[lo++]);
            }
            if (hi & 1) {
                best = std::min(best, tree_[--hi]);
            }
        }
        return best;
    }

private:
    std::size_t size_;
    std::vector<int> tree_;
};

bool isNeverContainer(std::size_t index) {
    return index + 1 == kPaddedText1 || index + 1 == kPaddedText2;
}

}  // namespace

std::vector<int> findShareTargets(const std::vector<std::string>& texts,
                                  const std::function<void(int)>& progress) {
    const std::size_t n = texts.size();
    std::vector<std::string> reversed(n);
    for (std::size_t i = 0; i < n; ++i) {
        reversed[i].assign(texts[i].rbegin(), texts[i].rend());
    }
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return reversed[a] < reversed[b]; });
    std::vector<std::size_t> slotOf(n);
    for (std::size_t slot = 0; slot < n; ++slot) {
        slotOf[order[slot]] = slot;
    }

    MinTree candidates(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!isNeverContainer(i)) {
            candidates.set(slotOf[i], static_cast<int>(i));
        }
    }

    // The run of each slot: the slots from the first text equal to it up to the first text
    // that does not start with it. Equal texts sit together, and the texts starting with a
    // string follow it directly, so one pass with a stack of open prefixes finds every run.
    std::vector<std::size_t> runBegin(n);
    std::vector<std::size_t> runEnd(n);
    std::vector<std::size_t> open;
    for (std::size_t slot = 0; slot < n; ++slot) {
        const std::string& s = reversed[order[slot]];
        runBegin[slot] = slot > 0 && reversed[order[slot - 1]] == s ? runBegin[slot - 1] : slot;
        while (!open.empty()) {
            const std::string& prefix = reversed[order[open.back()]];
            if (s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0) {
                break;
            }
            runEnd[open.back()] = slot;
            open.pop_back();
        }
        open.push_back(slot);
    }
    for (const std::size_t slot : open) {
        runEnd[slot] = n;
    }

    std::vector<int> shareTarget(n, 0);
    for (std::size_t p = 0; p < n; ++p) {
        if (progress && (p + 1) % 10 == 0) {
            progress(static_cast<int>(p + 1));
        }
        const std::size_t from = runBegin[slotOf[p]];
        const std::size_t to = runEnd[slotOf[p]];

        const bool candidate = !isNeverContainer(p);
        if (candidate) {
            candidates.set(slotOf[p], MinTree::kNone);  // a text never contains itself
        }
        const int container = candidates.min(from, to);
        if (container != MinTree::kNone) {
            shareTarget[p] = container + 1;  // p stays out: a shared text is no container
        } else if (candidate) {
            candidates.set(slotOf[p], static_cast<int>(p));
        }
    }
    return shareTarget;
}

}  // namespace tarn
