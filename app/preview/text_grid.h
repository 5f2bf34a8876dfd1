// SPDX-License-Identifier: GPL-3.0-or-later
// What the preview, the format-code menu and the find and replace dialogs need from the main
// window's text grid. Texts are game bytes in the grid's current notation (raw or C-style);
// positions in the cell editor count characters, and every game byte is one character.
#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <string>

#include "common/code_page.h"

class QLineEdit;
class QWidget;

namespace tarn {

struct CellEditorState {
    std::string text;
    int selectionStart = 0;  // the caret when nothing is selected
    int selectionLength = 0;
};

class TextGrid {
public:
    virtual ~TextGrid() = default;

    // Text rows are 1..rowCount(); columns 1 (original) and 2 (translated) hold texts.
    virtual int rowCount() const = 0;
    virtual int currentRow() const = 0;
    virtual int currentColumn() const = 0;
    // Whether the row is shown; Find passes over the rows a filter hides.
    virtual bool isRowShown(int /*row*/) const { return true; }
    // Moves the current cell through the grid's cell-entry rules; false when refused.
    virtual bool selectCell(int row, int column) = 0;

    virtual std::string cellText(int row, int column) const = 0;
    // Stores a text as it is (no notation check): an edit of the current cell like typing (an
    // edit of column 2 marks the texts modified), or part of the open change.
    virtual void setCellText(int row, int column, const std::string& text) = 0;
    // Changes of many cells made one by one (a replace run) that the window's history keeps
    // as one step, named after the action and the number of texts changed; a run that changed
    // nothing leaves no step.
    virtual void beginChange() = 0;
    virtual void endChange(const std::string& action) = 0;
    // In the middle of such a change, before the translator is asked about the next cell: the
    // views that count the texts (space, findings) catch up with the changes made so far.
    virtual void catchUp() {}
    virtual std::string undoText() const = 0;
    virtual bool cStyle() const = 0;
    // True when the current cell may be left (reports a notation error itself).
    virtual bool checkCurrentCell() = 0;

    // The in-place cell editor: its state while open, nothing otherwise.
    virtual std::optional<CellEditorState> cellEditorState() const = 0;
    bool isEditing() const { return cellEditorState().has_value(); }
    virtual void closeCellEditor() = 0;
    virtual void openCellEditor() = 0;
    virtual void setCellEditorSelection(int start, int length) = 0;

    // Where a cell is drawn, in the coordinates of overlayParent() (the cells' viewport).
    virtual QRect cellRect(int row, int column) const = 0;
    virtual QWidget* overlayParent() const = 0;

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
std::string currentCellText(const TextGrid& grid);

// A grid's open cell editor as TextGrid tells it (nothing without an editor), and the selection
// set in it (a caret where length is 0).
std::optional<CellEditorState> lineEditorState(const QLineEdit* editor, const CodePage& codePage);
void setLineEditorSelection(QLineEdit* editor, int start, int length);

}  // namespace tarn
