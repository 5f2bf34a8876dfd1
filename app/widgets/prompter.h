// SPDX-License-Identifier: GPL-3.0-or-later
// Every message box and modal dialog of the program goes through one Prompter, so that tests
// can answer them from a script and see what was asked.
#pragma once

#include <QString>
#include <vector>

#include "common/errors.h"

class QDialog;

namespace tarn {

enum class MessageIcon { None, Information, Warning, Error, Question };
// OverwriteReloadCancel asks about a file another program changed before a save.
// YesNoDefaultNo: a question whose Yes costs work, so that Enter or Space answers No.
enum class MessageButtons {
    Ok,
    OkCancel,
    YesNo,
    YesNoDefaultNo,
    YesNoCancel,
    OverwriteReloadCancel
};
enum class MessageAnswer { Ok, Cancel, Yes, No, Overwrite, Reload };

class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows a modal message box and answers the button that closed it. The text may break
    // lines with "\n\r" as the program's messages do.
    virtual MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                                  MessageButtons buttons) = 0;
    // Shows the dialog modally and answers its result (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog& dialog) = 0;
    // The short sound of a refused key.
    virtual void beep() = 0;
};

// The program's prompter: the real one unless a test installed another.
Prompter& prompter();
// Installs a prompter (not owned) and answers the previous one; nullptr restores the real one.
Prompter* setPrompter(Prompter* replacement);

// Shows a message box with the error icon and an OK button; the caption is the application
// name. Used for exceptions that reach the event loop.
void showExceptionMessage(const QString& text);
// The same box with each problem on a line of its own.
void showExceptionMessage(const std::vector<Problem>& problems);
// A plain message: the application name as caption, no icon, OK button.
void showPlainMessage(const QString& text);

}  // namespace tarn
