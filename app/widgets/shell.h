// SPDX-License-Identifier: GPL-3.0-or-later
// Starting programs and opening documents and addresses the way the desktop does.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tarn {

// What the program asks of the desktop; tests replace it to see what would be started.
struct ShellActions {
    // Starts a program without waiting for it. Answers the system's reason when it could not be
    // started, else an empty text.
    std::function<QString(const QString& program, const QStringList& arguments,
                          const QString& workingDirectory)>
        startDetached;
    // Opens a document or address (file, http:, mailto:) with its default program.
    std::function<bool(const QString& target)> openUrl;
    // Finds a program on the search path (an absolute path: that file if it is executable);
    // empty when it is not installed.
    std::function<QString(const QString& name)> findExecutable;
};

ShellActions& shellActions();
void setShellActionsForTesting(const ShellActions& actions);  // empty members: the real ones

// Starts the executable with its folder as working directory, without waiting. A Windows
// program on another system is started through Wine. Answers an explanation when nothing was
// started ("Could not start PATH: the system's reason"), or an empty text.
QString runExecutable(const QString& path);

// Opens an address or file with its default program.
void shellOpen(const QString& target);

}  // namespace tarn
