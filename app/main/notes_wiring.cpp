// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/notes_wiring.h"

#include <QDockWidget>
#include <QMainWindow>

#include "app/main/texts_session.h"
#include "app/main/window_parts.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/session_notes.h"
#include "app/widgets/text_grid_view.h"
#include "app/widgets/text_notes_panel.h"
#include "exchange/exe_po.h"

namespace tarn {

NotesWiring::NotesWiring(WindowParts& parts)
    : QObject(&parts.window), parts_(parts), notes_(new SessionNotes(parts.session)) {
    auto* dock = new QDockWidget(QStringLiteral("Note"), &parts.window);
    dock->setObjectName(QStringLiteral("notesDock"));
    panel_ = new TextNotesPanel(*notes_, parts.session, dock);
    dock->setWidget(panel_);
    // Beside the grid: the bottom is the Checks panel's, which needs the window's width.
    parts.window.addDockWidget(Qt::RightDockWidgetArea, dock);
    // Sent before the grid's current cell moves: the row comes with it.
    connect(&parts.cellRules, &CellRules::cellEntered, this, [this](int row) { showNoteOf(row); });
    connect(notes_, &SessionNotes::noteChanged, this, &NotesWiring::flagRowsForReview);
    connect(&parts.session, &GameTextsSession::loaded, this, &NotesWiring::load);
    connect(&parts.session, &GameTextsSession::saved, this, &NotesWiring::save);
}

std::filesystem::path NotesWiring::notesPath() const {
    return parts_.executables.translatedPath.isEmpty()
               ? std::filesystem::path()
               : notesPathFor(toFilePath(parts_.executables.translatedPath));
}

void NotesWiring::load() {
    notes_->open(notesPath());
    showNoteOf(parts_.grid.currentRow());
}

void NotesWiring::save() {
    notes_->keep(notesPath());
}

void NotesWiring::flagRowsForReview() {
    std::vector<int> rows;
    for (const auto& [context, note] : notes_->notes().texts) {
        const auto row = parseExeContext(context, parts_.session.rows().rowCount());
        if (note.needsReview && row) {
            rows.push_back(*row);
        }
    }
    parts_.model.flagForReview(rows);
}

void NotesWiring::showNoteOf(int row) {
    panel_->showNoteOf(row >= 1 && !parts_.executables.translatedPath.isEmpty() ? exeContext(row)
                                                                                : std::string());
}

}  // namespace tarn
