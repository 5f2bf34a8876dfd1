// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/recent_translations.h"

#include <exception>
#include <utility>

#include "common/utf8_path.h"
#include "platform/core/paths.h"

namespace tarn {

namespace {

bool samePath(const std::string& a, const std::string& b) {
    try {
        return platform::sameSpelledPath(pathFromUtf8(a), pathFromUtf8(b));
    } catch (const std::exception&) {
        return a == b;  // a text that names no file stands for itself
    }
}

}  // namespace

void rememberTranslation(std::vector<RecentTranslation>& list, RecentTranslation entry) {
    std::erase_if(list, [&entry](const RecentTranslation& other) {
        return samePath(other.translated, entry.translated) &&
               samePath(other.original, entry.original);
    });
    list.insert(list.begin(), std::move(entry));
    if (list.size() > kRecentTranslations) {
        list.resize(kRecentTranslations);
    }
}

}  // namespace tarn
