// SPDX-License-Identifier: GPL-3.0-or-later
// A text window's hold on the files it edits, the same for both windows: a lock on them while
// their texts are open (read-only, after a message naming the program that holds them, when
// another program does), the question asked before writing over a file another program changed
// since it was read, and the reload that takes such a file in, keeping the edits it does not
// contradict and naming the ones it does.
#pragma once

#include <QString>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "common/edit_lock.h"

namespace tarn {

class GameTextsSession;

class FileGuard {
public:
    // caption gives the title the messages carry, read when they are shown. The session
    // outlives the guard.
    FileGuard(GameTextsSession& session, std::function<QString()> caption)
        : session_(session), caption_(std::move(caption)) {}

    // Locks target while its texts are open; the session is read-only without the lock.
    // shownName is how the message names what is locked.
    void lock(const std::filesystem::path& target, const QString& shownName);
    // Lets the files go; the session stays as it is until the next lock.
    void release() { lock_.reset(); }
    bool holdsLock() const { return lock_.has_value(); }

    enum class OutsideChange { Overwrite, Reloaded, Cancel };
    // How a reload names the parts changed on both sides: numbers joined by ", " in, the
    // message out.
    using ConflictsMessage = std::function<QString(const QString& numbers)>;
    // Asks what to do about shownName, which another program changed since it was read. On
    // Reload, reload takes the file in (raising changes nothing: its reason is shown) and
    // answers the parts changed on both sides, which conflictsMessage names.
    OutsideChange askAboutOutsideChange(const QString& shownName,
                                        const std::function<std::vector<std::size_t>()>& reload,
                                        const ConflictsMessage& conflictsMessage);

private:
    GameTextsSession& session_;
    std::function<QString()> caption_;
    std::optional<EditLock> lock_;
};

}  // namespace tarn
