// SPDX-License-Identifier: GPL-3.0-or-later
// The texts the main window edits: 3453 rows, each with the original text, the translated
// text and the writer's sharing result, plus the state around them (the object-language ID
// bytes, the notation). Texts are held as game bytes; the
// notation (raw or C-style) is only how the window shows and takes them. Knows nothing of
// widgets; the grid model shows it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "exetext/exe_profile.h"
#include "exetext/executable_texts.h"
#include "textcodes/cstyle.h"
#include "textcodes/game_text_rows.h"

namespace tarn {

struct LoadedExecutables;
struct TextError;

class StringTableDocument : public GameTextRows {
public:
    static constexpr int kRows = kTextCount;  // row n holds text n, 1..3453
    enum Column { NumberColumn = 0, OriginalColumn = 1, TranslatedColumn = 2, ShortColumn = 3 };
    static constexpr int kColumns = 4;

    StringTableDocument();

    // The grid's rows: columns 1 and 2 are texts, 0 the number and 3 the sharing result.
    int rowCount() const override { return kRows; }
    int columnCount() const override { return kColumns; }
    std::string heading(int column) const override;
    bool isTextColumn(int column) const override {
        return column == OriginalColumn || column == TranslatedColumn;
    }
    std::string label(int row, int column) const override { return text(row, column); }

    // Column 0 answers the row number; row and column must be in range.
    std::string text(int row, int column) const;
    // Columns 1..3: the game bytes, or the notation text of a cell held as typed.
    const std::string& cell(int row, int column) const;
    bool isAsTyped(int row, int column) const;
    CellText cellText(int row, int column) const override;
    // Stores a cell as it is (no change of Modified). A cell held as typed outside C-style
    // notation is taken as raw notation: converted when it converts, else as its bytes.
    void setCell(int row, int column, CellText value);
    // A text in the current notation as a cell holds it: raw text as it is; C-style text as
    // its game bytes, or held as typed when it does not convert or when keepAsTyped is set.
    CellText fromNotation(const std::string& text, bool keepAsTyped = false) const override;
    // The cell as the current notation shows it.
    std::string notationText(int row, int column) const override;
    // setCell(fromNotation(text)); columns 1 and 2. Column 3 takes the text as it is.
    void setText(int row, int column, std::string text);
    // The cell's game bytes, or the error when it is held as C-style text that does not
    // convert.
    Converted<std::string> bytes(int row, int column) const;

    std::uint8_t primaryLangId() const { return primaryLangId_; }
    std::uint8_t secondaryLangId() const { return secondaryLangId_; }
    void setLangIds(std::uint8_t primary, std::uint8_t secondary);

    // The notation the window shows and takes texts in.
    Notation notation() const { return notation_; }
    // Only the switch; cells held as typed are settled by toggleNotation.
    void setNotation(Notation notation) { notation_ = notation; }

    // Takes both executables' texts (game bytes), empties column 3, takes the language IDs and
    // the unresolved texts' numbers, and remembers the translated file as on disk.
    void load(const LoadedExecutables& loaded);

    // The translated executable as last loaded, saved or reloaded: what the unsaved edits are
    // edits of, and the identity that tells whether another program wrote it since.
    const TranslatedFileState& onDisk() const { return onDisk_; }
    void setOnDisk(TranslatedFileState state) { onDisk_ = std::move(state); }
    // The texts whose pointer led nowhere when the files were loaded (ascending numbers): their
    // cells hold a placeholder instead of a text.
    const std::vector<int>& originalNotFound() const { return originalNotFound_; }
    const std::vector<int>& translatedNotFound() const { return translatedNotFound_; }

    // Column 2, text n at index n - 1, as game bytes; a text that does not convert is given as
    // "-Error!-" and listed by translatedErrors.
    std::vector<std::string> translatedTexts() const;
    std::vector<TextError> translatedErrors() const;
    // Column 3 from the writer's result: the final container's number, or empty.
    void setShareTargets(const std::vector<int>& shareTargets);

    // The error message when the cell is held as C-style text that does not convert; nothing
    // when the cell may be left.
    std::optional<std::string> cellError(int row, int column) const override;
    // A cell held as typed that converts becomes its game bytes.
    void normaliseCell(int row, int column);

    struct NotationError {
        int row;
        std::string message;
    };
    // Switches the notation. No text's bytes change; going back to raw, a cell held as C-style
    // text that does not convert keeps that text as its bytes and is reported, row by row,
    // column 1 before column 2.
    std::vector<NotationError> toggleNotation();

    // The first row after `row` whose original text is not empty and equals its translated
    // text byte for byte, or 0.
    int nextUntranslated(int row) const;

private:
    struct Cell {
        std::string text;
        bool asTyped = false;
    };
    Cell& at(int row, int column);
    const Cell& at(int row, int column) const;

    std::vector<std::array<Cell, 3>> rows_;  // columns 1..3 of rows 1..3453
    Notation notation_ = Notation::Raw;
    std::uint8_t primaryLangId_ = 0;
    std::uint8_t secondaryLangId_ = 0;
    std::vector<int> originalNotFound_;
    std::vector<int> translatedNotFound_;
    TranslatedFileState onDisk_;
};

}  // namespace tarn
