// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's session of the executable's texts: it owns the StringTableDocument and the
// QUndoStack of its steps, makes every change to the document and announces it. Views, checks
// and the status line subscribe to its signals instead of being refreshed by whoever changed
// the texts. "Modified" is worked out here alone, from the stack's clean state: a step that
// changes no byte of the files (an edit of the original column) leaves it as it is. Since every
// change goes through it, it is also where a read-only window refuses changes: while another
// program holds the files, no step is taken, whichever command asks.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <memory>
#include <vector>

#include "exetext/string_table_commands.h"
#include "exetext/string_table_document.h"

namespace tarn {

struct LoadedExecutables;
struct SaveResult;
class TypingStep;

// What a change touched.
struct ChangedTexts {
    std::vector<int> rows;  // the texts' numbers, ascending; empty: every text
    // The change goes on: a keystroke in the cell being edited, or one replacement of a run.
    // Views of a cell follow at once; summaries of all texts may wait until it ends.
    bool ongoing = false;

    bool everyText() const { return rows.empty(); }
};

class TextsSession : public QObject {
    Q_OBJECT
public:
    explicit TextsSession(QObject* parent = nullptr);
    // The stack clears itself as it goes and would report that to a window half torn down.
    ~TextsSession() override;

    const StringTableDocument& document() const { return document_; }
    // The document for building a step on it; only push() makes the step.
    StringTableDocument& stepTarget() { return document_; }
    QUndoStack& stack() { return stack_; }

    bool isModified() const { return modified_; }
    // Read-only: every change is refused (reported by changeRefused) and the document stays.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    // Makes the step and records it; ends the cell edit in progress.
    void push(std::unique_ptr<StringTableCommand> command);
    // A change of one cell as the translator types: the first one makes the step "Edit text N",
    // later ones of the same cell merge into it until endCellEdit. Within a run (beginChange)
    // the change is part of the run's step. False when refused.
    bool editCell(int row, int column, CellText value);
    void endCellEdit() { live_ = nullptr; }
    // A cell that is left: a text held as typed that converts becomes its game bytes (no byte
    // changes, so no step of its own). Answers whether the cell changed.
    bool settleCell(int row, int column);

    // A change of many cells made one by one (a replace run): its first change makes the step,
    // the later ones join it, and endChange names it countedName(action, texts changed). No
    // step when nothing changed.
    void beginChange();
    bool inChange() const { return inChange_; }
    void endChange(const std::string& action);

    void undo();
    void redo();

    // New files: their texts, no history, nothing modified.
    void load(const LoadedExecutables& executables);
    // A save's outcome: the sharing column, and the files now hold the document unless a text
    // could only be stored as "-Error!-" (then no state of the history matches the files).
    void finishSave(const SaveResult& result);
    // The translated file as it now is on disk.
    void setOnDisk(TranslatedFileState state) { document_.setOnDisk(std::move(state)); }
    // Takes in the file as another program left it (disk), keeping the edits it does not
    // contradict, as the step stepName; answers the texts changed on both sides.
    std::vector<int> reload(TranslatedFileState disk, const std::string& stepName);
    // Switches the notation; see StringTableDocument::toggleNotation.
    std::vector<StringTableDocument::NotationError> toggleNotation();
    void setCStyle(bool cstyle);

signals:
    void textsChanged(const ChangedTexts& changed);
    void modifiedChanged(bool modified);
    // New files were loaded: sent before their texts are announced.
    void loaded();
    void readOnlyChanged(bool readOnly);
    // The translated file was written with the document's texts.
    void saved();
    // A change was asked for while read-only and not made.
    void changeRefused();

private:
    friend class TypingStep;
    void markSaved(bool allStored);
    void updateModified();
    void announce(ChangedTexts changed);

    StringTableDocument document_;
    QUndoStack stack_;
    TypingStep* live_ = nullptr;  // the cell edit in progress, on top of the stack
    bool inChange_ = false;
    QUndoCommand* changeStep_ = nullptr;  // the run's step once it changed a text
    SetTextsCommand* changeTexts_ = nullptr;
    std::vector<int> changeRows_;
    bool readOnly_ = false;
    bool modified_ = false;
};

}  // namespace tarn
