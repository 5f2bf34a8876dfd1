// SPDX-License-Identifier: GPL-3.0-or-later
// The program's help: the user guide in the help window, opened at a context number's section.
#pragma once

#include <QString>

class QWidget;

namespace tarn {

// The section of the user guide for a help context number (0: the contents, at the top).
QString helpSection(int context);

// The help file for a program in that folder: the user guide beside it (the build tree's
// docs/, the Windows package's docs\), else the installed one (../share/tarnedit/docs/), else an
// older help file (Ostrel2.hlp) beside it. When none exists, for the message: the installed
// guide's path for a program in a bin folder, else the path beside it.
QString helpFileFor(const QString& programDir);

// Opens the help file at a context's section. A Markdown guide is shown in the one help window
// (created on first use as a window of the owner's window); another help file goes to its
// desktop viewer. A missing or unreadable file is reported in a message box.
void showHelp(const QString& helpFile, int context, QWidget* owner);

}  // namespace tarn
