// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/reload_merge.h"

#include <string>
#include <utility>

#include "exetext/string_table_commands.h"

namespace tarn {

ReloadMerge mergeReloaded(StringTableDocument& document, const TranslatedFileState& disk,
                          std::string stepName) {
    constexpr int column = StringTableDocument::TranslatedColumn;
    const TranslatedFileState& base = document.onDisk();
    ReloadMerge merge;
    auto step = std::make_unique<SetTextsCommand>(document, std::move(stepName));
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        const auto i = static_cast<std::size_t>(row - 1);
        const std::string empty;
        const std::string& was = i < base.texts.size() ? base.texts[i] : empty;
        const std::string& theirs = i < disk.texts.size() ? disk.texts[i] : empty;
        const CellText ours = document.cellText(row, column);
        const bool edited = !(ours == CellText{was, false});
        if (theirs == was) {
            merge.keepsEdits = merge.keepsEdits || edited;
            continue;
        }
        const Converted<std::string> oursBytes = document.bytes(row, column);
        if (edited && !(oursBytes && oursBytes.value() == theirs)) {
            merge.conflicts.push_back(static_cast<std::size_t>(row));
        }
        if (!(ours == CellText{theirs, false})) {
            step->add(row, column, {theirs, false});
        }
    }
    const LanguageIds ours{document.primaryLangId(), document.secondaryLangId()};
    const LanguageIds& theirs = disk.languageIds;
    bool setsIds = false;
    if (theirs == base.languageIds) {
        merge.keepsEdits = merge.keepsEdits || !(ours == base.languageIds);
    } else if (!(ours == theirs)) {
        step->setLangIds(theirs.primary, theirs.secondary);
        setsIds = true;
    }
    if (!step->empty() || setsIds) {
        merge.step = std::move(step);
    }
    return merge;
}

}  // namespace tarn
