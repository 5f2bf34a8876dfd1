// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/recovery_keeper.h"

#include <QCoreApplication>
#include <QTime>
#include <exception>

#include "app/main/texts_session.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"
#include "common/file_io.h"
#include "exetext/recovery_journal.h"

namespace tarn {

namespace {
constexpr int kJournalDelayMs = 2000;  // the most an edit waits before it is written down
}

RecoveryKeeper::RecoveryKeeper(TextsSession& session, const QString& journalPath,
                               std::function<QString()> translatedPath, QObject* parent)
    : QObject(parent),
      session_(session),
      translatedPath_(std::move(translatedPath)),
      writer_(std::make_unique<BackgroundWriter>(
          toFilePath(journalPath), [this](const std::optional<std::string>& failure) {
              // On the writer's thread: told to the window on its own.
              const QString reason = failure ? QString::fromStdString(*failure) : QString();
              QMetaObject::invokeMethod(
                  this,
                  [this, reason] {
                      if (!reason.isEmpty() || failing_) {
                          failing_ = !reason.isEmpty();
                          emit journalProblem(reason);
                      }
                  },
                  Qt::QueuedConnection);
          })) {
    timer_.setSingleShot(true);
    timer_.setInterval(kJournalDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeJournal);
    connect(&session_, &TextsSession::textsChanged, this, &RecoveryKeeper::noteChange);
    connect(&session_, &TextsSession::modifiedChanged, this, &RecoveryKeeper::noteChange);
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
    armed_ = true;
    std::optional<RecoveryJournal> journal;
    try {
        journal = parseJournal(toString(readWholeFile(writer_->path())));
    } catch (const std::exception&) {
        return;  // none left behind
    }
    // A journal of another executable is kept for when that one is opened again.
    if (journal && journal->file != translatedPath_().toStdString()) {
        return;
    }
    std::unique_ptr<SetTextsCommand> step = journal ? recoveryStep(session_.stepTarget(), *journal) : nullptr;
    if (step) {
        const MessageAnswer answer = prompter().message(
            (journal->editCount() == 1 ? QStringLiteral("Recover 1 unsaved edit from %2?")
                                       : QStringLiteral("Recover %1 unsaved edits from %2?")
                                             .arg(journal->editCount()))
                .arg(QString::fromStdString(journal->time)),
            QCoreApplication::applicationName(), MessageIcon::Question, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes) {
            session_.push(std::move(step));
            writeJournal();  // the recovered edits are unsaved edits again
            return;
        }
    }
    writer_->remove();
}

void RecoveryKeeper::closeCleanly() {
    if (!armed_) {
        return;  // a journal left by an earlier run that was never offered stays for the next
    }
    timer_.stop();
    writer_->remove();
    writer_->flush();
}

void RecoveryKeeper::flush() {
    if (timer_.isActive()) {
        timer_.stop();
        writeJournal();
    }
    writer_->flush();
}

}  // namespace tarn
