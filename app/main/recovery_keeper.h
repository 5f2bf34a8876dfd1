// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the recovery journal of the main window's unsaved edits: written in the background at
// most two seconds after an edit, removed once nothing is unsaved (a save, undoing back to it)
// and at a clean close. After a crash the next start offers the edits back. Each executable has
// a journal of its own beside the settings file, so that instances sharing that file never
// remove or overwrite another's; the others' journals are named once at the first load.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "common/background_writer.h"

namespace tarn {

class TextsSession;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // settingsPath: the settings file the journals lie beside; translatedPath answers the
    // executable being edited.
    RecoveryKeeper(TextsSession& session, const QString& settingsPath,
                   std::function<QString()> translatedPath, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Offers the edits of a journal left for the translated executable just loaded ("Recover
    // 12 unsaved edits from 14:32?"; of a damaged one, the edits that can be read: "Recover 100
    // of the edits? The rest of the journal is damaged.", the file kept as ….damaged until
    // answered); Yes makes them one step of the history, No forgets them. The first time, the
    // journals of other executables are named. A read-only window offers nothing and leaves
    // every journal alone.
    void offerRecovery();
    // The window closes with nothing unsaved that should be kept.
    void closeCleanly();
    // Carries out the pending write now and waits for it (tests, and before a clean exit).
    void flush();

signals:
    // The journal could not be written even when tried again (the reason), or, after such a
    // failure, could be again (an empty text).
    void journalProblem(const QString& reason);

private:
    void noteChange();
    void writeJournal();
    // Writes the journal of the executable at path from now on.
    void keepJournalOf(const QString& path);
    // Offers the edits of the journal file found for this executable; false when it holds none
    // of this executable.
    bool offerJournal(const std::filesystem::path& found);
    // "Unsaved edits of … from 14:32 are kept for when that file is opened", once.
    void nameOtherJournals();

    TextsSession& session_;
    std::filesystem::path settingsPath_;
    std::function<QString()> translatedPath_;
    bool othersNamed_ = false;
    QTimer timer_;
    std::unique_ptr<BackgroundWriter> writer_;
    bool armed_ = false;  // not before the journal left by an earlier run was offered
};

}  // namespace tarn
