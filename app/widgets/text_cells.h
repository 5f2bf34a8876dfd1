// SPDX-License-Identifier: GPL-3.0-or-later
// What the preview, the format-code menu and the text fields of the find and replace dialogs
// need from a grid of game texts: its current cell, a cell's text, the in-place cell editor and
// the code page the texts are shown in. Texts are game bytes in the grid's current notation (raw
// or C-style); positions in the cell editor count characters, and every game byte is one
// character. Both text windows' grids are such cells.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "common/code_page.h"
#include "textcodes/cstyle.h"

class QLineEdit;

namespace tarn {

struct CellEditorState {
    std::string text;
    int selectionStart = 0;  // the caret when nothing is selected
    int selectionLength = 0;
};

class TextCells {
public:
    virtual ~TextCells() = default;

    // Text rows are 1..n; columns 1 (original) and 2 (translated) hold texts.
    virtual int currentRow() const = 0;
    virtual int currentColumn() const = 0;

    virtual std::string cellText(int row, int column) const = 0;
    // Stores a text as it is (no notation check): an edit of the current cell like typing (an
    // edit of column 2 marks the texts modified), or part of a replace run under way.
    virtual void setCellText(int row, int column, const std::string& text) = 0;
    virtual std::string undoText() const = 0;
    virtual Notation notation() const = 0;
    // True when the current cell may be left (reports a notation error itself).
    virtual bool checkCurrentCell() = 0;

    // The in-place cell editor: its state while open, nothing otherwise.
    virtual std::optional<CellEditorState> cellEditorState() const = 0;
    bool isEditing() const { return cellEditorState().has_value(); }
    virtual void closeCellEditor() = 0;
    virtual void openCellEditor() = 0;
    virtual void setCellEditorSelection(int start, int length) = 0;

    // The code page the grid shows the game bytes in; its case forms serve Find and Replace.
    virtual CodePage codePage() const = 0;
    // Game bytes to the characters the grid shows, and back (failing on a character the code
    // page does not have).
    virtual QString displayText(const std::string& bytes) const = 0;
    virtual EncodeResult bytesFromDisplay(const QString& text) const = 0;
    // Tells the translator why a typed or pasted character was refused (the beep is done).
    virtual void reportRefusal(const QString& message) = 0;
};

// The text of the current cell as it stands: the cell editor's while it is open.
std::string currentCellText(const TextCells& cells);

// A grid's open cell editor as TextCells tells it (nothing without an editor), and the
// selection set in it (a caret where length is 0).
std::optional<CellEditorState> lineEditorState(const QLineEdit* editor, const CodePage& codePage);
void setLineEditorSelection(QLineEdit* editor, int start, int length);

}  // namespace tarn
