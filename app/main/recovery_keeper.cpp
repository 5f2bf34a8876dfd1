// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/recovery_keeper.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTime>
#include <exception>

#include "app/main/texts_session.h"
#include "app/main/write_problems.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"
#include "common/file_io.h"
#include "exetext/recovery_journal.h"

namespace tarn {

namespace {
namespace fs = std::filesystem;
constexpr int kJournalDelayMs = 2000;  // the most an edit waits before it is written down
}

RecoveryKeeper::RecoveryKeeper(TextsSession& session, const QString& settingsPath,
                               std::function<QString()> translatedPath, QObject* parent)
    : QObject(parent),
      session_(session),
      settingsPath_(toFilePath(settingsPath)),
      translatedPath_(std::move(translatedPath)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kJournalDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeJournal);
    connect(&session_, &TextsSession::textsChanged, this, &RecoveryKeeper::noteChange);
    connect(&session_, &TextsSession::modifiedChanged, this, &RecoveryKeeper::noteChange);
}

void RecoveryKeeper::keepJournalOf(const QString& path) {
    const fs::path journal = recoveryJournalPath(settingsPath_, toFilePath(path));
    if (writer_ && writer_->path() == journal) {
        return;
    }
    timer_.stop();
    writer_.reset();  // the last request for the executable edited before is carried out first
    writer_ = std::make_unique<BackgroundWriter>(
        journal,
        reportProblemsTo(*this, [this](const QString& reason) { emit journalProblem(reason); }));
}

RecoveryKeeper::~RecoveryKeeper() {
    writer_.reset();  // its last reports reach a whole keeper, and are dropped with it
}

void RecoveryKeeper::noteChange() {
    if (!armed_) {
        return;
    }
    if (!session_.isModified()) {
        timer_.stop();
        writer_->remove();
        return;
    }
    // Not restarted by later edits, so that typing on never delays the journal.
    if (!timer_.isActive()) {
        timer_.start();
    }
}

void RecoveryKeeper::writeJournal() {
    if (!session_.isModified()) {
        return;
    }
    const RecoveryJournal journal =
        journalOf(session_.document(), translatedPath_().toStdString(),
                  QTime::currentTime().toString(QStringLiteral("HH:mm")).toStdString());
    writer_->write(toBytes(formatJournal(journal)));
}

void RecoveryKeeper::offerRecovery() {
    if (session_.isReadOnly()) {
        armed_ = false;  // the journal is the instance's that holds the files: left untouched
        return;
    }
    keepJournalOf(translatedPath_());
    armed_ = true;
    const fs::path own = writer_->path();
    const fs::path shared = sharedRecoveryJournalPath(settingsPath_);
    bool recovered = false;
    // A damaged journal kept while a start was asking, the journal itself, and the one journal
    // of earlier versions when it is this executable's.
    for (const fs::path& found :
         {damagedJournalPath(own), own, damagedJournalPath(shared), shared}) {
        recovered = offerJournal(found) || recovered;
    }
    if (recovered) {
        writeJournal();  // the recovered edits are unsaved edits again
    }
    nameOtherJournals();
}

bool RecoveryKeeper::offerJournal(const fs::path& found) {
    std::string text;
    try {
        text = toString(readWholeFile(found));
    } catch (const std::exception&) {
        return false;  // none left behind
    }
    const bool owned = found == writer_->path() || found == damagedJournalPath(writer_->path());
    const JournalReading reading = readJournal(text);
    // A journal of another executable is kept for when that one is opened again.
    if (!owned && (!reading.journal || reading.journal->file != translatedPath_().toStdString())) {
        return false;
    }
    fs::path held = found;
    if (reading.damaged && found.extension() != ".damaged") {
        // Kept apart until the user has answered, so that a crash meanwhile loses nothing.
        std::error_code ec;
        fs::rename(found, damagedJournalPath(found), ec);
        if (!ec) {
            held = damagedJournalPath(found);
        }
    }
    std::unique_ptr<SetTextsCommand> step =
        reading.journal ? recoveryStep(session_.stepTarget(), *reading.journal) : nullptr;
    bool recovered = false;
    if (step) {
        const auto edits = static_cast<int>(reading.journal->editCount());
        const QString question =
            reading.damaged
                ? QStringLiteral("Recover %1 of the edits? The rest of the journal is damaged.")
                      .arg(edits)
                : (edits == 1 ? QStringLiteral("Recover 1 unsaved edit from %2?")
                              : QStringLiteral("Recover %1 unsaved edits from %2?").arg(edits))
                      .arg(QString::fromStdString(reading.journal->time));
        recovered =
            prompter().message(question, QCoreApplication::applicationName(), MessageIcon::Question,
                               MessageButtons::YesNo) == MessageAnswer::Yes;
        if (recovered) {
            session_.push(std::move(step));
        }
    }
    if (held == writer_->path()) {
        writer_->remove();
    } else {
        std::error_code ec;
        fs::remove(held, ec);
    }
    return recovered;
}

void RecoveryKeeper::nameOtherJournals() {
    if (othersNamed_) {
        return;
    }
    othersNamed_ = true;
    const std::string translated = translatedPath_().toStdString();
    QStringList kept;
    for (const fs::path& path : recoveryJournalsBeside(settingsPath_)) {
        try {
            const JournalReading reading = readJournal(toString(readWholeFile(path)));
            if (reading.journal && reading.journal->file != translated) {
                kept << QStringLiteral(
                            "Unsaved edits of %1 from %2 are kept for when that file "
                            "is opened")
                            .arg(QString::fromStdString(reading.journal->file),
                                 QString::fromStdString(reading.journal->time));
            }
        } catch (const std::exception&) {
            // Gone meanwhile, or unreadable: nothing to name.
        }
    }
    if (!kept.isEmpty()) {
        prompter().message(kept.join(QStringLiteral("\n\r")), QCoreApplication::applicationName(),
                           MessageIcon::Information, MessageButtons::Ok);
    }
}

void RecoveryKeeper::closeCleanly() {
    if (!armed_ || !writer_) {
        return;  // a journal left by an earlier run that was never offered stays for the next
    }
    timer_.stop();
    writer_->remove();
    writer_->flush();
}

void RecoveryKeeper::flush() {
    if (!writer_) {
        return;
    }
    if (timer_.isActive()) {
        timer_.stop();
        writeJournal();
    }
    writer_->flush();
}

}  // namespace tarn
