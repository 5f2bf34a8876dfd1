// SPDX-License-Identifier: GPL-3.0-or-later
// How the translated game is started on this system: directly on Windows, a Windows program
// through Wine elsewhere.
#pragma once

#include <QString>
#include <QStringList>

#include "app/widgets/shell.h"

namespace tarn {

struct ProgramStart {
    QString program;  // what is started
    QStringList arguments;
    QString how;      // how it is started, for the message when it fails (" through Wine")
    QString refusal;  // why it cannot be started here; empty when it can
};

ProgramStart programStartFor(const QString& absolutePath, ShellActions& shell);

}  // namespace tarn
