// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's history of its texts: every change to the StringTableDocument is a step on
// a QUndoStack, and the document's Modified follows the history: a step that changes the files
// after the last save makes it set; undoing back to that save clears it. Since every change goes
// through it, it is also where a read-only window refuses changes: while another program holds
// the files, no step is taken, whichever command asks.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <memory>

#include "exetext/string_table_commands.h"
#include "exetext/string_table_document.h"

namespace tarn {

class TextsHistory : public QObject {
    Q_OBJECT
public:
    TextsHistory(StringTableDocument& document, QObject* parent = nullptr);
    // The stack clears itself as it goes and would report that to a window half torn down.
    ~TextsHistory() override;

    QUndoStack& stack() { return stack_; }

    // Read-only: every change is refused (reported by changeRefused) and the document stays.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    // Makes the step and records it; ends the cell edit in progress.
    void push(std::unique_ptr<StringTableCommand> command);
    // A change of one cell as the translator types: the first one makes the step "Edit text N",
    // later ones of the same cell join it until endCellEdit. False when refused.
    bool editCell(int row, int column, CellText value);
    void endCellEdit() { live_ = nullptr; }
    // A cell that is left: a text held as typed that converts becomes its game bytes (no byte
    // changes, so no step of its own). Answers whether the cell changed.
    bool settleCell(int row, int column);

    // A change of many cells made one by one (a replace run), recorded as one step by
    // endChange under the name countedName(action, texts changed); nothing when none changed.
    void beginChange();
    bool inChange() const { return change_ != nullptr; }
    void endChange(const std::string& action);

    void undo();
    void redo();

    // The files now hold the document. allStored is false when a text could only be stored as
    // "-Error!-": then no state of the history matches the files.
    void markSaved(bool allStored);
    // New files: no history.
    void clear();

signals:
    // The document changed through undo, redo or a step pushed as a whole; views show it anew.
    void textsChanged();
    // Modified may have changed.
    void modifiedChanged();
    // Any change of the document's texts, each keystroke in a cell included.
    void edited();
    void readOnlyChanged(bool readOnly);
    // A change was asked for while read-only and not made.
    void changeRefused();

private:
    void updateModified();

    StringTableDocument& document_;
    QUndoStack stack_;
    SetTextsCommand* live_ = nullptr;  // the cell edit in progress, on top of the stack
    int liveRow_ = 0;
    int liveColumn_ = 0;
    std::unique_ptr<SetTextsCommand> change_;
    bool pushing_ = false;
    bool readOnly_ = false;
};

}  // namespace tarn
