// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's session of the executable's texts: it owns the StringTableDocument and makes
// every change to it (see GameTextsSession). A step that changes no byte of the files (an edit
// of the original column) leaves "Modified" as it is.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/widgets/game_texts_session.h"
#include "exetext/string_table_commands.h"
#include "exetext/string_table_document.h"

namespace tarn {

struct LoadedExecutables;
struct SaveResult;

class TextsSession : public GameTextsSession {
    Q_OBJECT
public:
    explicit TextsSession(QObject* parent = nullptr);

    const GameTextRows& rows() const override { return document_; }
    const StringTableDocument& document() const { return document_; }
    // The document for building a step on it; only push() makes the step.
    StringTableDocument& stepTarget() { return document_; }

    // Makes the step and records it; ends the cell edit in progress.
    void push(std::unique_ptr<StringTableCommand> command);
    // Within a run (beginChange) the change is part of the run's step; otherwise the first
    // change makes the step "Edit text N".
    bool editCell(int row, int column, CellText value) override;
    bool settleCell(int row, int column) override;

    // A change of many cells made one by one (a replace run): its first change makes the step,
    // the later ones join it, and endChange names it countedName(action, texts changed). No
    // step when nothing changed.
    void beginChange();
    bool inChange() const override { return inChange_; }
    void endChange(const std::string& action);
    // The change going on waits for the translator (a replace run's question): what summarises
    // every text catches up (changePaused).
    void pauseChange() { emit changePaused(); }

    // New files: their texts, no history, nothing modified.
    void load(const LoadedExecutables& executables);
    // A save's outcome: the sharing column, and the files now hold the document unless a text
    // could only be stored as "-Error!-" (then no state of the history matches the files).
    void finishSave(const SaveResult& result);
    // The translated file as it now is on disk.
    void setOnDisk(TranslatedFileState state) { document_.setOnDisk(std::move(state)); }
    // Takes in the file as another program left it (disk), keeping the edits it does not
    // contradict, as the step stepName; answers the texts changed on both sides.
    std::vector<std::size_t> reload(TranslatedFileState disk, const std::string& stepName);
    // Switches the notation; see StringTableDocument::toggleNotation.
    std::vector<StringTableDocument::NotationError> toggleNotation();
    void setNotation(Notation notation);

signals:
    void changePaused();

protected:
    bool stepMarksModified(const QUndoCommand* step) const override;

private:
    void markSaved(bool allStored);

    StringTableDocument document_;
    bool inChange_ = false;
    QUndoCommand* changeStep_ = nullptr;  // the run's step once it changed a text
    SetTextsCommand* changeTexts_ = nullptr;
    std::vector<int> changeRows_;
};

}  // namespace tarn
