// SPDX-License-Identifier: GPL-3.0-or-later
// The scan of a replace run over the translated texts, apart from any window: which
// occurrence is offered next, where the scan resumes after a skip or a replacement, and when
// it moves to the next row.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "textcodes/text_search.h"

namespace tarn {

enum class ReplaceScope { EntireText = 0, FromCursorDownwards = 1, FromCursorUpwards = 2 };

enum class ReplaceAnswer { Replace, Skip, Abort };

// The texts a replace run reads and changes: rows 1 to rowCount() of one column.
class ReplaceTexts {
public:
    virtual ~ReplaceTexts() = default;
    virtual int rowCount() const = 0;
    virtual std::string text(int row) const = 0;
    virtual void setText(int row, const std::string& text) = 0;
};

struct ReplaceRequest {
    std::string toFind;
    std::string newText;
    SearchOptions options;
    ReplaceScope scope = ReplaceScope::EntireText;
    int currentRow = 1;  // where the cursor scopes start
};

struct ReplaceOutcome {
    bool found = false;
    bool aborted = false;
    int replacements = 0;
};

// Asked for each occurrence: row, 1-based position in the row's text, length of toFind.
using ConfirmReplaceFn =
    std::function<ReplaceAnswer(int row, std::size_t position, std::size_t length)>;

// Runs the scan. Within a row every search looks at the rest of the text after the last
// occurrence handled, so text inserted by a replacement is never searched again; a skipped
// occurrence moves the scan on by one character. The cursor scopes start at position 1 of the
// current row. Texts are re-read after each question, since answering may change the grid.
ReplaceOutcome runReplaceScan(const ReplaceRequest& request, ReplaceTexts& texts,
                              const ConfirmReplaceFn& confirm);

}  // namespace tarn
