// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of game texts as a grid shows and edits them, whatever holds them: the executable's texts
// and one group of an object file both answer it, so that one table model and one set of cell
// rules serve every grid. Rows count from 1; column 0 names the row (a number, a language ID);
// text columns hold game bytes, shown and typed in the holder's notation; other columns are
// labels shown as they are.
#pragma once

#include <optional>
#include <string>

namespace tarn {

// What a text cell holds: game bytes, or (in C-style notation only) the notation text as it was
// typed. A typed text is held until its cell is left, and a C-style text that does not convert
// is held, with its error, until it is corrected.
struct CellText {
    std::string text;
    bool asTyped = false;

    bool operator==(const CellText&) const = default;
};

class GameTextRows {
public:
    virtual ~GameTextRows() = default;

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual std::string heading(int column) const = 0;
    // Whether the column holds game texts that can be entered and edited.
    virtual bool isTextColumn(int column) const = 0;
    // A cell of a column that is not text, as shown.
    virtual std::string label(int row, int column) const = 0;

    // Text columns only.
    virtual CellText cellText(int row, int column) const = 0;
    // The cell as the current notation shows it.
    virtual std::string notationText(int row, int column) const = 0;
    // A text in the current notation as a cell holds it: raw text as it is; C-style text as
    // its game bytes, or held as typed when it does not convert or when keepAsTyped is set.
    virtual CellText fromNotation(const std::string& text, bool keepAsTyped) const = 0;
    // Why the cell may not be left (C-style text that does not convert); nothing when it may.
    virtual std::optional<std::string> cellError(int row, int column) const = 0;
};

}  // namespace tarn
