// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt side of a document of game texts: it owns the document and the QUndoStack of its
// steps, makes every change to it and announces it. Views, checks and status lines subscribe to
// its signals instead of being refreshed by whoever changed the texts. "Modified" is worked out
// here alone, whenever the history moves or a save or load ends. Since every change goes
// through it, it is also where a read-only window refuses changes: while another program holds
// the files, no step is taken, whichever command asks. Each kind of document has its own
// session over this one; the grid's model and cell rules talk only to this.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <vector>

#include "common/reload_merge.h"
#include "textcodes/game_text_rows.h"

namespace tarn {

class TypingStep;

// What a change touched.
struct ChangedTexts {
    std::vector<int> rows;  // the rows, ascending; empty: every row (and maybe their number)
    // The change goes on: a keystroke in the cell being edited, or one replacement of a run.
    // Views of a cell follow at once; summaries of all texts may wait until it ends.
    bool ongoing = false;

    bool everyText() const { return rows.empty(); }
};

class GameTextsSession : public QObject {
    Q_OBJECT
public:
    explicit GameTextsSession(QObject* parent = nullptr);
    // The stack clears itself as it goes and would report that to a window half torn down.
    ~GameTextsSession() override;

    virtual const GameTextRows& rows() const = 0;
    QUndoStack& stack() { return stack_; }

    bool isModified() const { return modified_; }
    // Read-only: every change is refused (reported by changeRefused) and the document stays.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    // A change of one cell as the translator types: the first one makes a step, later ones of
    // the same cell merge into it until endCellEdit. False when refused.
    virtual bool editCell(int row, int column, CellText value) = 0;
    void endCellEdit() { live_ = nullptr; }
    // A cell that is left: a text held as typed that converts becomes its game bytes (no byte
    // changes, so no step of its own). Answers whether the cell changed.
    virtual bool settleCell(int row, int column) = 0;
    // Within a change of many cells made one by one, typed texts are not held as typed.
    virtual bool inChange() const { return false; }

    void undo();
    void redo();

signals:
    void textsChanged(const ChangedTexts& changed);
    void modifiedChanged(bool modified);
    // New files were loaded: sent before their texts are announced.
    void loaded();
    void readOnlyChanged(bool readOnly);
    // The files were written with the document's texts.
    void saved();
    // A change was asked for while read-only and not made.
    void changeRefused();

protected:
    // Whether the document differs from its files; by default, whether a step between the
    // stack's clean state and now marks the document modified.
    virtual bool differsFromFiles() const;
    virtual bool stepMarksModified(const QUndoCommand* /*step*/) const { return true; }
    // After undo or redo moved the history.
    virtual void historyMoved() {}
    // The one writer of "Modified".
    void updateModified();
    // A reload's merge taken in: the typing in progress ends and the merge's step, if any, joins
    // the history (made there, once).
    void takeReloadStep(ReloadMerge& merge);
    // True (and changeRefused sent) when read-only.
    bool refusedAsReadOnly();
    void announce(ChangedTexts changed) { emit textsChanged(changed); }

    QUndoStack stack_;
    TypingStep* live_ = nullptr;  // the cell edit in progress, on top of the stack

private:
    bool readOnly_ = false;
    bool modified_ = false;
};

}  // namespace tarn
