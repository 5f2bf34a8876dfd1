// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/replace_scan.h"

#include <string_view>

namespace tarn {

ReplaceOutcome runReplaceScan(const ReplaceRequest& request, ReplaceTexts& texts,
                              const ConfirmReplaceFn& confirm) {
    ReplaceOutcome outcome;
    const int lastRow = texts.rowCount();
    const int step = request.scope == ReplaceScope::FromCursorUpwards ? -1 : 1;
    int row = request.scope == ReplaceScope::EntireText ? 1 : request.currentRow;
    std::size_t p = 1;  // 1-based start of the part of the text still to search

    while (row >= 1 && row <= lastRow) {
        std::string text = texts.text(row);
        std::size_t m = 0;
        if (p <= text.size()) {
            m = findMatch(request.toFind, std::string_view(text).substr(p - 1), request.options);
        }
        if (m > 0) {
            outcome.found = true;
            const std::size_t q = p + m - 1;
            const std::size_t length = request.toFind.size();
            ReplaceAnswer answer = confirm(row, q, length);
            if (answer == ReplaceAnswer::Abort) {
                outcome.aborted = true;
                break;
            }
            if (answer == ReplaceAnswer::Replace) {
                // The question may have moved the current cell, which can rewrite texts.
                text = texts.text(row);
                if (q - 1 + length <= text.size()) {
                    text.replace(q - 1, length, request.newText);
                    texts.setText(row, text);
                    ++outcome.replacements;
                    p = q + request.newText.size();
                } else {
                    p = q + 1;
                }
            } else {
                p = q + 1;
            }
            if (p <= texts.text(row).size()) {
                continue;
            }
        }
        p = 1;
        row += step;
    }
    return outcome;
}

}  // namespace tarn
