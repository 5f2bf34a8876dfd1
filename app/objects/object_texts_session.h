// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's session: it owns the ObjectTextsDocument, the rows of the group the
// grid shows and the history, and makes every change to them (see GameTextsSession). The
// document is modified while a file differs from the one on disk, whatever the history says.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/widgets/game_texts_session.h"
#include "objfiles/object_group_rows.h"
#include "objfiles/object_texts_document.h"

namespace tarn {

class ObjectTextsSession : public GameTextsSession {
    Q_OBJECT
public:
    explicit ObjectTextsSession(QObject* parent = nullptr);

    const GameTextRows& rows() const override { return rows_; }
    const ObjectGroupRows& groupRows() const { return rows_; }
    const ObjectTextsDocument& document() const { return document_; }
    // The document for building a step on it; only push() makes the step.
    ObjectTextsDocument& stepTarget() { return document_; }

    // New files (ObjectTextsDocument::loadFiles, its problems answered): no history, nothing
    // modified, no group shown.
    std::vector<Problem> load(const std::filesystem::path& folder,
                              const std::vector<std::filesystem::path>& paths,
                              const LoadProgress& progress);
    // Forgets the files and their history.
    void clear();
    // The group the rows hold; -1 for none.
    void showGroup(int file, int group);
    // Switches the notation. Going back to raw, a C-style text that does not convert is kept as
    // the bytes of its characters.
    void setNotation(Notation notation);

    // Makes the step and records it; false when refused (read-only).
    bool push(std::unique_ptr<ObjectTextsEdit> step);
    bool editCell(int row, int column, CellText value) override;
    bool settleCell(int row, int column) override;

    // What else keeps the window modified until saved: the notes differing from their file.
    void setNotesDiffer(std::function<bool()> differ) { notesDiffer_ = std::move(differ); }

    // Writes the modified files (ObjectTextsDocument::saveModified, which may raise); saved is
    // sent when every file is written, also when none needed it (the notes are saved then).
    ObjectSaveReport saveModified(const ObjectSaveOptions& options, const LoadProgress& progress);
    // Takes in a file another program changed (ObjectTextsDocument::mergeReloaded, which may
    // raise, changing nothing): its step, if any, joins the history. Answers the groups changed
    // on both sides.
    std::vector<std::size_t> reload(std::size_t file);

protected:
    bool differsFromFiles() const override {
        return document_.anyModified() || (notesDiffer_ && notesDiffer_());
    }
    void historyMoved() override { rows_.releaseAll(); }

private:
    // One keystroke's bytes for a row of the shown group, merged into the cell edit in progress.
    void typeBytes(int row, std::string bytes);
    void startAnew();

    ObjectTextsDocument document_;
    ObjectGroupRows rows_;
    std::function<bool()> notesDiffer_;
};

}  // namespace tarn
