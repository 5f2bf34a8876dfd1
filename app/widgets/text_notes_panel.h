// SPDX-License-Identifier: GPL-3.0-or-later
// The note of the current text and its review mark, as a translator edits them beside a grid: a
// few lines of note and a "Needs review" box. Each change goes to SessionNotes as a step of the
// session; the panel shows whatever the notes hold after an undo, a redo or a load.
#pragma once

#include <QWidget>
#include <string>

class QCheckBox;
class QPlainTextEdit;

namespace tarn {

class GameTextsSession;
class SessionNotes;

class TextNotesPanel : public QWidget {
    Q_OBJECT
public:
    TextNotesPanel(SessionNotes& notes, GameTextsSession& session, QWidget* parent = nullptr);
    // The text whose note is shown, by its PO msgctxt; empty: none, nothing to edit.
    void showNoteOf(const std::string& key);

private:
    void showNote();
    void takeEdit();

    SessionNotes& notes_;
    GameTextsSession& session_;
    std::string key_;
    QPlainTextEdit* edit_;
    QCheckBox* review_;
    bool showing_ = false;  // the panel itself is setting its fields
};

}  // namespace tarn
