// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/exe_po.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "exchange/po_text.h"

namespace tarn {

namespace {

bool listed(const std::vector<int>& numbers, int n) {
    return std::binary_search(numbers.begin(), numbers.end(), n);
}

}  // namespace

std::string exeContext(int textNumber) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "exe/%04d", textNumber);
    return buffer;
}

std::optional<int> parseExeContext(std::string_view context, int count) {
    constexpr std::string_view prefix = "exe/";
    if (context.size() != prefix.size() + 4 || !context.starts_with(prefix)) {
        return std::nullopt;
    }
    int n = 0;
    for (const char c : context.substr(prefix.size())) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > count) {
        return std::nullopt;
    }
    return n;
}

std::vector<PoEntry> exeTextsToPo(const std::vector<std::string>& original,
                                  const std::vector<int>& originalNotFound,
                                  const std::vector<std::string>& translated,
                                  const std::vector<int>& translatedNotFound,
                                  const CodePage& codePage) {
    std::vector<int> missing = originalNotFound;
    std::vector<int> untranslatable = translatedNotFound;
    std::sort(missing.begin(), missing.end());
    std::sort(untranslatable.begin(), untranslatable.end());
    std::vector<PoEntry> entries;
    entries.reserve(original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        if (listed(missing, n)) {
            continue;
        }
        PoEntry entry;
        entry.hasContext = true;
        entry.context = exeContext(n);
        entry.source = rawToPoText(original[i], codePage);
        entry.notes.push_back("text " + std::to_string(n));
        entry.references.push_back({std::string(kExeReferenceFile), static_cast<std::size_t>(n)});
        if (i < translated.size() && !listed(untranslatable, n) && translated[i] != original[i]) {
            setExportedTranslation(entry, translated[i], codePage);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

PoImportReport applyExePo(std::vector<std::string>& texts, const std::vector<PoEntry>& entries,
                          const CodePage& codePage, TypedCodes typedCodes, PoProblems problems) {
    PoImportReport report;
    const int count = static_cast<int>(texts.size());
    // The new texts are collected and put in only when the whole file can be applied, so that a
    // file with a problem changes nothing, without a copy of every text to work on.
    std::vector<std::pair<std::size_t, std::string>> changes;
    std::vector<bool> seen(texts.size(), false);
    for (const PoEntry& entry : entries) {
        const auto n = entry.hasContext ? parseExeContext(entry.context, count) : std::nullopt;
        if (!n) {
            skipUnknown(entry, report);
            continue;
        }
        const auto index = static_cast<std::size_t>(*n - 1);
        if (seen[index]) {
            report.problems.push_back(
                Problem::in(entry.context, "a second message for the same text"));
            continue;
        }
        seen[index] = true;
        std::string raw;
        if (!translationToApply(entry, report, raw, codePage, typedCodes)) {
            continue;
        }
        if (raw == texts[index]) {
            ++report.counts.unchanged;
        } else {
            ++report.counts.applied;
            changes.emplace_back(index, std::move(raw));
        }
    }
    if (report.problems.empty() || problems == PoProblems::SkipMessages) {
        for (auto& [index, raw] : changes) {
            texts[index] = std::move(raw);
        }
    }
    return report;
}

}  // namespace tarn
