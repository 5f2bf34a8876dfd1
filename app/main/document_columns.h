// SPDX-License-Identifier: GPL-3.0-or-later
// A column of the main window's document as game bytes, for the rules that look across texts.
#pragma once

#include <string>
#include <vector>

#include "exetext/string_table_document.h"

namespace tarn {

// Text n at index n - 1; a C-style text that does not convert is given as typed.
inline std::vector<std::string> columnBytes(const StringTableDocument& document, int column) {
    std::vector<std::string> texts(StringTableDocument::kRows);
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        Converted<std::string> text = document.bytes(row, column);
        texts[static_cast<std::size_t>(row - 1)] =
            text ? std::move(text.value()) : document.cell(row, column);
    }
    return texts;
}

}  // namespace tarn
