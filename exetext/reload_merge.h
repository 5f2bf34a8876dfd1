// SPDX-License-Identifier: GPL-3.0-or-later
// Taking in a translated executable that another program wrote while the document had unsaved
// edits, text by text (see common/reload_merge.h); conflicts are text numbers.
#pragma once

#include <string>

#include "common/reload_merge.h"
#include "exetext/executable_texts.h"
#include "exetext/string_table_document.h"

namespace tarn {

// Merges the file as read now (disk) into the document; the document itself changes only when
// the step, named stepName, is done. The language IDs follow the same rule as a text; when both
// sides changed them, the file's win.
ReloadMerge mergeReloaded(StringTableDocument& document, const TranslatedFileState& disk,
                          std::string stepName);

}  // namespace tarn
