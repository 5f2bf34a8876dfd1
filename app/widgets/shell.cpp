// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "app/widgets/file_paths.h"

namespace tarn {

namespace {

ShellActions realActions() {
    ShellActions a;
    a.startDetached = [](const QString& program, const QStringList& arguments,
                         const QString& workingDirectory) {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setWorkingDirectory(workingDirectory);
        return process.startDetached() ? QString() : process.errorString();
    };
    a.openUrl = [](const QString& target) {
        const QUrl url = QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile);
        return QDesktopServices::openUrl(url);
    };
    a.findExecutable = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    return a;
}

#ifndef Q_OS_WIN
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
#endif

}  // namespace

ShellActions& shellActions() {
    static ShellActions actions = realActions();
    return actions;
}

void setShellActionsForTesting(const ShellActions& actions) {
    const ShellActions real = realActions();
    ShellActions& current = shellActions();
    current.startDetached = actions.startDetached ? actions.startDetached : real.startDetached;
    current.openUrl = actions.openUrl ? actions.openUrl : real.openUrl;
    current.findExecutable = actions.findExecutable ? actions.findExecutable : real.findExecutable;
}

QString runExecutable(const QString& path) {
    const QFileInfo info(path);
    const QString folder = nativePath(info.absolutePath()) + QDir::separator();
    ShellActions& shell = shellActions();
    const auto couldNotStart = [&path](const QString& how, const QString& reason) {
        return reason.isEmpty() ? QString()
                                : QStringLiteral("Could not start ") + path + how +
                                      QStringLiteral(":\n\r") + reason;
    };
#ifdef Q_OS_WIN
    return couldNotStart({}, shell.startDetached(nativePath(info.absoluteFilePath()), {}, folder));
#else
    if (isWindowsProgram(path)) {
        const QString wine = findWine(shell);
        if (wine.isEmpty()) {
            return QStringLiteral(
                "The translated executable is a Windows program and Wine is "
                "not installed, so it cannot be started here.\n\rInstall "
                "Wine to run the game from TarnEdit.");
        }
        return couldNotStart(QStringLiteral(" through Wine"),
                             shell.startDetached(wine, {info.absoluteFilePath()}, folder));
    }
    return couldNotStart({}, shell.startDetached(info.absoluteFilePath(), {}, folder));
#endif
}

void shellOpen(const QString& target) {
    shellActions().openUrl(target);
}

}  // namespace tarn
