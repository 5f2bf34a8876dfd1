// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts' notes in the object window: the shown text group's note and review mark
// under its grid, the notes file beside the object folder read when the folder is loaded and
// written when it is saved. A note edited is a step of the window's session and keeps the
// window modified until it is saved, as a text would.
#pragma once

#include <QObject>
#include <filesystem>
#include <string>

namespace tarn {

class ObjectGroupPage;
class ObjectTextsSession;
class SessionNotes;
class TextNotesPanel;

class ObjectNotes : public QObject {
    Q_OBJECT
public:
    // The panel goes under the page's grid; session and page outlive the notes.
    ObjectNotes(ObjectTextsSession& session, ObjectGroupPage& page);
    SessionNotes& notes() { return *notes_; }

private:
    // Beside the object folder; none while no folder is loaded.
    std::filesystem::path notesPath() const;
    void followShownGroup();

    ObjectTextsSession& session_;
    SessionNotes* notes_;
    TextNotesPanel* panel_;
    std::string shownKey_;
};

}  // namespace tarn
