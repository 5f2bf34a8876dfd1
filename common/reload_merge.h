// SPDX-License-Identifier: GPL-3.0-or-later
// What taking in a file another program wrote comes to, for any document that held unsaved
// edits of it. Each part (a text, a group) is merged on its own against the file as the
// document last knew it: a part only the other program changed takes the file's content, a
// part only the translator changed keeps the edit, and a part both changed differently takes
// the file's content and is listed, so that the translator sees it (undoing the step brings the
// edit back).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "common/edit_command.h"

namespace tarn {

struct ReloadMerge {
    // The change that brings the document to the merged content; null when nothing differs.
    std::unique_ptr<EditCommand> step;
    // The parts changed on both sides, ascending, numbered as the window numbers them.
    std::vector<std::size_t> conflicts;
    // After the step the document still differs from the file: it stays modified.
    bool keepsEdits = false;
};

}  // namespace tarn
