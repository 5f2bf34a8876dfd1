// SPDX-License-Identifier: GPL-3.0-or-later
// The translations opened last (File > Recent translations): each pair of executables with the
// settings that belong to its texts, most recent first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/code_page_choice.h"

namespace tarn {

struct RecentTranslation {
    std::string original;  // the paths of the two executables
    std::string translated;
    std::int32_t fontCharset = kDefaultCharset;  // the code page the texts are read in
    std::string tableFile;                       // the character table, "" for none
    std::string spellingLanguage;
    std::string poLanguage;  // the language code the PO files carry

    bool operator==(const RecentTranslation&) const = default;
};

inline constexpr std::size_t kRecentTranslations = 8;

// Puts entry first: an earlier entry of the same pair of executables (their paths compared as
// the system compares them) goes, and the list keeps the eight most recent.
void rememberTranslation(std::vector<RecentTranslation>& list, RecentTranslation entry);

}  // namespace tarn
