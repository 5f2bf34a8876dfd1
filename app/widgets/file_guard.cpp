// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/file_guard.h"

#include <QStringList>
#include <exception>

#include "app/widgets/game_texts_session.h"
#include "app/widgets/prompter.h"

namespace tarn {

void FileGuard::lock(const std::filesystem::path& target, const QString& shownName) {
    lock_.reset();
    LockHolder holder;
    lock_ = EditLock::take(target, "TarnEdit", holder);
    session_.setReadOnly(!lock_);
    if (!lock_) {
        prompter().message(shownName + QStringLiteral(" is open in ") +
                               QString::fromStdString(describeHolder(holder)) +
                               QStringLiteral(".\n\rIts texts are shown read-only."),
                           caption_(), MessageIcon::Information, MessageButtons::Ok);
    }
}

FileGuard::OutsideChange FileGuard::askAboutOutsideChange(
    const QString& shownName, const std::function<std::vector<std::size_t>()>& reload,
    const ConflictsMessage& conflictsMessage) {
    const MessageAnswer answer = prompter().message(
        shownName + QStringLiteral(" was changed on disk since it was loaded"), caption_(),
        MessageIcon::Warning, MessageButtons::OverwriteReloadCancel);
    if (answer == MessageAnswer::Overwrite) {
        return OutsideChange::Overwrite;
    }
    if (answer != MessageAnswer::Reload) {
        return OutsideChange::Cancel;
    }
    std::vector<std::size_t> conflicts;
    try {
        conflicts = reload();
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));  // nothing changed
        return OutsideChange::Reloaded;
    }
    if (!conflicts.empty()) {
        QStringList numbers;
        for (const std::size_t n : conflicts) {
            numbers << QString::number(n);
        }
        prompter().message(conflictsMessage(numbers.join(QStringLiteral(", "))), caption_(),
                           MessageIcon::Information, MessageButtons::Ok);
    }
    return OutsideChange::Reloaded;
}

}  // namespace tarn
