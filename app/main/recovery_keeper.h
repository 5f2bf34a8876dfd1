// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the recovery journal of the main window's unsaved edits: written in the background at
// most two seconds after an edit, removed once nothing is unsaved (a save, undoing back to it)
// and at a clean close. After a crash the next start offers the edits back.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "common/background_writer.h"

namespace tarn {

class TextsSession;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // journalPath: the journal file; translatedPath answers the executable being edited.
    RecoveryKeeper(TextsSession& session, const QString& journalPath,
                   std::function<QString()> translatedPath, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Offers the edits of a journal left for the translated executable just loaded ("Recover
    // 12 unsaved edits from 14:32?"); Yes makes them one step of the history, No forgets them.
    // A read-only window offers nothing and leaves the journal alone.
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

    TextsSession& session_;
    std::function<QString()> translatedPath_;
    QTimer timer_;
    std::unique_ptr<BackgroundWriter> writer_;
    bool failing_ = false;  // the last write failed, and the window was told
    bool armed_ = false;  // not before the journal left by an earlier run was offered
};

}  // namespace tarn
