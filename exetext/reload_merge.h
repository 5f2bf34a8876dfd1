// SPDX-License-Identifier: GPL-3.0-or-later
// Taking in a translated executable that another program wrote while the document had unsaved
// edits. Each text is merged on its own against the file as the document last knew it: a text
// only the other program changed takes its new bytes, a text only the translator changed keeps
// the edit, and a text both changed differently takes the file's bytes and is listed, so that
// the translator sees it (undoing the step brings the edit back).
#pragma once

#include <memory>
#include <vector>

#include "exetext/executable_texts.h"
#include "exetext/string_table_commands.h"

namespace tarn {

struct ReloadMerge {
    // The changes that bring the document to the merged texts and IDs; null when none differ.
    std::unique_ptr<SetTextsCommand> step;
    std::vector<int> conflicts;  // texts changed on both sides, ascending
    bool keepsEdits = false;     // after the step the document still differs from the file
};

// Merges the file as read now (disk) into the document; the document itself changes only when
// the step is done. The language IDs follow the same rule as a text; when both sides changed
// them, the file's win.
ReloadMerge mergeReloaded(StringTableDocument& document, const TranslatedFileState& disk);

}  // namespace tarn
