// SPDX-License-Identifier: GPL-3.0-or-later
// The translation's notes in the main window: a "Note" panel docked beside the grid shows the
// current text's note and review mark for editing, the notes file beside the translated
// executable is read when the translation is opened and written when it is saved.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>

namespace tarn {

struct WindowParts;
class SessionNotes;
class TextNotesPanel;

class NotesWiring : public QObject {
    Q_OBJECT
public:
    explicit NotesWiring(WindowParts& parts);
    SessionNotes& notes() { return *notes_; }

private:
    // Beside the translated executable; none while no translation is open.
    std::filesystem::path notesPath() const;
    void load();
    void save();
    void showNoteOf(int row);
    // The grid flags the rows whose texts need review.
    void flagRowsForReview();

    WindowParts& parts_;
    SessionNotes* notes_;
    TextNotesPanel* panel_;
};

}  // namespace tarn
