// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>

#include "app/widgets/program_start.h"

namespace tarn {

namespace {

// A Windows program starts with the "MZ" mark of its header.
bool isWindowsProgram(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return file.read(2) == "MZ";
}

// Wine's starter: "wine", else "wine64" on the search path, else where Debian's wine64 package
// alone installs it (off the search path). Empty when none is there.
QString findWine(ShellActions& shell) {
    for (const QString& name : {QStringLiteral("wine"), QStringLiteral("wine64"),
                                QStringLiteral("/usr/lib/wine/wine64")}) {
        const QString found = shell.findExecutable(name);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

}  // namespace

ProgramStart programStartFor(const QString& absolutePath, ShellActions& shell) {
    if (!isWindowsProgram(absolutePath)) {
        return {absolutePath, {}, {}, {}};
    }
    const QString wine = findWine(shell);
    if (wine.isEmpty()) {
        return {{}, {}, {},
                QStringLiteral("The translated executable is a Windows program and Wine is "
                               "not installed, so it cannot be started here.\n\rInstall "
                               "Wine to run the game from TarnEdit.")};
    }
    return {wine, {absolutePath}, QStringLiteral(" through Wine"), {}};
}

}  // namespace tarn
