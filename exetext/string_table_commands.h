// SPDX-License-Identifier: GPL-3.0-or-later
// The changes of the StringTableDocument as steps of the window's history: texts (one cell, or
// many at once) and the object-language IDs; the steps of Copy strings and of the
// pseudo-translation of the untranslated texts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/code_page.h"
#include "common/edit_command.h"
#include "exetext/string_table_document.h"

namespace tarn {

class StringTableCommand : public EditCommand {
public:
    // Whether the step is an unsaved change of the files (an edit of the original column is
    // not: only translations are saved).
    virtual bool marksModified() const = 0;
};

// Sets any number of cells, and the object-language IDs when asked. Each cell's first change
// records what it held, so undo brings back every byte and redo every change, whatever happened
// between.
class SetTextsCommand : public StringTableCommand {
public:
    SetTextsCommand(StringTableDocument& document, std::string name, bool marksModified = true);

    // A cell's new content, made by redo.
    void add(int row, int column, CellText after);
    // A further change of a step that is done already (typing on in the cell it edits, or a
    // replacement made while the translator is asked about the next): made at once.
    void change(int row, int column, CellText after);
    // The object-language IDs the step sets too, made by redo.
    void setLangIds(std::uint8_t primary, std::uint8_t secondary);
    // How many cells the step gives a content other than the one they had.
    int changedCells() const;
    bool empty() const { return changes_.empty(); }

    std::string name() const override { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    void redo() override;
    void undo() override;
    bool marksModified() const override { return marksModified_; }
    bool changesNothing() const override { return !setsIds_ && changedCells() == 0; }

private:
    struct Change {
        int row;
        int column;
        CellText before;
        CellText after;
    };
    Change& changeOf(int row, int column);

    StringTableDocument& document_;
    std::string name_;
    bool marksModified_;
    std::vector<Change> changes_;
    std::unordered_map<int, std::size_t> index_;  // row * columns + column -> changes_
    bool setsIds_ = false;
    std::uint8_t idsBefore_[2] = {0, 0};
    std::uint8_t idsAfter_[2] = {0, 0};
};

// Sets the object-language IDs kept in the translated executable; always an unsaved change,
// even when the IDs stay the same.
class SetLangIdsCommand : public StringTableCommand {
public:
    SetLangIdsCommand(StringTableDocument& document, std::uint8_t primary, std::uint8_t secondary);

    std::string name() const override { return "Object language options"; }
    void redo() override;
    void undo() override;
    bool marksModified() const override { return true; }

private:
    StringTableDocument& document_;
    std::uint8_t before_[2];
    std::uint8_t after_[2];
};

// Column 1 into column 2 for every row ("Copy strings"); a step even when nothing differs.
std::unique_ptr<SetTextsCommand> copyOriginalToTranslated(StringTableDocument& document);

// Every translated text that is not empty and still equals its original, byte for byte, becomes
// the original's pseudoTranslate (pseudo_translation.h) with the letters of codePage (its
// character table included): "Pseudo-translate (412 texts)". Cells that do not convert take no
// part. Empty when no text is untranslated.
std::unique_ptr<SetTextsCommand> pseudoTranslateUntranslated(StringTableDocument& document,
                                                             int expandPercent,
                                                             const CodePage& codePage);

// "Replace All (412 texts)": the action and how many texts it changed.
std::string countedName(const std::string& action, int texts);

}  // namespace tarn
