// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "app/widgets/file_paths.h"
#include "app/widgets/program_start.h"

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
    const ProgramStart start = programStartFor(info.absoluteFilePath(), shell);
    if (!start.refusal.isEmpty()) {
        return start.refusal;
    }
    return couldNotStart(start.how,
                         shell.startDetached(start.program, start.arguments, folder));
}

void shellOpen(const QString& target) {
    shellActions().openUrl(target);
}

}  // namespace tarn
