// SPDX-License-Identifier: GPL-3.0-or-later
// One text group of the object texts as rows of game texts: column 0 the language ID, column 1
// its text. The document keeps bytes only; a C-style text the translator is typing is held here,
// as the notation text, until its cell is left (and, when it does not convert, until it is
// corrected or given back). Showing another group or switching the notation lets held texts go.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "objfiles/object_texts_document.h"
#include "textcodes/cstyle.h"
#include "textcodes/game_text_rows.h"

namespace tarn {

class ObjectGroupRows : public GameTextRows {
public:
    explicit ObjectGroupRows(const ObjectTextsDocument& document) : document_(document) {}

    // The group shown; -1 for none (no rows).
    void showGroup(int file, int group);
    int file() const { return file_; }
    int group() const { return group_; }
    const ObjectTextGroup* shownGroup() const;

    Notation notation() const { return notation_; }
    // Switches the notation; typed text held for any row is let go.
    void setNotation(Notation notation);

    // Holds a cell's notation text as typed, or lets it go (the document's bytes show again).
    void hold(int row, std::string typed) { held_[row] = std::move(typed); }
    void release(int row) { held_.erase(row); }
    void releaseAll() { held_.clear(); }
    // The game bytes a cell's content stands for; nothing for held text that does not convert.
    std::optional<std::string> bytesOf(const CellText& value) const;

    int rowCount() const override;
    int columnCount() const override { return 2; }
    std::string heading(int column) const override;
    bool isTextColumn(int column) const override { return column == 1; }
    std::string label(int row, int column) const override;
    CellText cellText(int row, int column) const override;
    std::string notationText(int row, int column) const override;
    CellText fromNotation(const std::string& text, bool keepAsTyped) const override;
    std::optional<std::string> cellError(int row, int column) const override;

private:
    const std::string& bytes(int row) const;

    const ObjectTextsDocument& document_;
    int file_ = -1;
    int group_ = -1;
    Notation notation_ = Notation::Raw;
    std::map<int, std::string> held_;  // by row
};

}  // namespace tarn
