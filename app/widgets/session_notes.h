// SPDX-License-Identifier: GPL-3.0-or-later
// A translation's notes as a window holds them: per text a note and whether it needs review,
// read from the notes file when the translation is opened and written when it is saved. Each
// edit of a note or a review mark is a step of the window's session, so Undo takes it back and
// it marks the translation modified like any other step; views follow noteChanged.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <string>

#include "exchange/translation_notes.h"

namespace tarn {

class GameTextsSession;

class SessionNotes : public QObject {
    Q_OBJECT
public:
    explicit SessionNotes(GameTextsSession& session);

    const TranslationNotes& notes() const { return notes_; }
    // The note of the text named by key (its PO msgctxt), empty when it has none.
    TextNote note(const std::string& key) const;
    // Gives the text its note as a step of the session; typing in one note goes on in the same
    // step. False when nothing changes or the session is read-only (changeRefused is sent).
    bool setNote(const std::string& key, TextNote note);

    // Takes every note and the team's fields at once (an import) as one step. False when
    // nothing changes or the session is read-only.
    bool replaceAll(TranslationNotes notes);

    // The notes file as the translation is opened: no step, nothing modified. A missing file
    // gives no notes; raises FileError for one that cannot be read.
    void load(const std::filesystem::path& path);
    // Writes the notes file atomically as the translation is saved.
    void save(const std::filesystem::path& path);
    // Whether the notes differ from the file as last loaded or saved.
    bool differFromFile() const { return notes_ != onDisk_; }

    // load as a window opens a translation: a file that cannot be read is reported, the texts
    // open without notes, and keep never writes over the file the team may still mend.
    void open(const std::filesystem::path& path);
    // save as a window saves the translation, when the notes differ from the file; a failure
    // is reported.
    void keep(const std::filesystem::path& path);

signals:
    // A text's note changed; an empty key: every note (a load).
    void noteChanged(const std::string& key);

private:
    friend class NoteStep;
    friend class AllNotesStep;
    void put(const std::string& key, const TextNote& note);
    void putAll(const TranslationNotes& notes);

    GameTextsSession& session_;
    TranslationNotes notes_;
    TranslationNotes onDisk_;
    QString unreadable_;  // why the notes file could not be read, when it could not
};

}  // namespace tarn
