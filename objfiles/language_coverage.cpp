// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/language_coverage.h"

#include <algorithm>
#include <utility>

namespace tarn {

bool lacksLanguageId(const ObjectTextGroup& group, std::uint8_t id) {
    return std::none_of(group.begin(), group.end(),
                        [id](const ObjectText& entry) { return entry.id == id; }) &&
           !group.empty();
}

LanguageAdded withLanguageIdEverywhere(std::vector<ObjectFile> files, std::uint8_t id) {
    LanguageAdded result;
    for (ObjectFile& file : files) {
        for (ObjectTextGroup& group : file.texts) {
            if (lacksLanguageId(group, id)) {
                group.push_back({id, {}});
                ++result.groups;
            }
        }
    }
    result.files = std::move(files);
    return result;
}

}  // namespace tarn
