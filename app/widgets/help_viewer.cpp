// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/help_viewer.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include "app/widgets/file_paths.h"
#include "app/widgets/help_window.h"
#include "app/widgets/prompter.h"
#include "app/widgets/shell.h"

namespace tarn {

namespace {

const QString kCaption = QStringLiteral("Help");

void reportMissing(const QString& helpFile) {
    prompter().message(
        QStringLiteral("The help file ") + helpFile + QStringLiteral(" could not be found."),
        kCaption, MessageIcon::Error, MessageButtons::Ok);
}

// The guide's window, one for the whole program.
QPointer<HelpWindow>& helpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

void showGuide(const QString& guide, int context, QWidget* owner) {
    QWidget* parent = owner != nullptr ? owner->window() : nullptr;
    QPointer<HelpWindow>& window = helpWindow();
    if (window == nullptr) {
        window = new HelpWindow(parent);
    } else if (window->parentWidget() != parent) {
        // Belonging to the window that asks keeps it usable beside a modal dialog.
        const bool wasVisible = window->isVisible();
        const QRect placed = window->geometry();
        window->setParent(parent, window->windowFlags());
        if (wasVisible) {
            window->setGeometry(placed);
        }
    }
    if (!window->showGuide(guide)) {
        reportMissing(guide);
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
    window->showSection(helpSection(context));
}

// An older Windows help file: its viewer takes the context number.
void showInViewer(const QString& helpFile, int context) {
    ShellActions& shell = shellActions();
    const QString winhelp = shell.findExecutable(QStringLiteral("winhlp32"));
    bool started = false;
    if (!winhelp.isEmpty()) {
        QStringList arguments;
        if (context > 0) {
            arguments << QStringLiteral("-n") << QString::number(context);
        }
        arguments << helpFile;
        started = shell.startDetached(winhelp, arguments, QString()).isEmpty();
    }
    if (!started) {
        started = shell.openUrl(helpFile);
    }
    if (!started) {
        prompter().message(QStringLiteral("The help file ") + helpFile +
                               QStringLiteral(" cannot be shown: no help viewer is installed."),
                           kCaption, MessageIcon::Error, MessageButtons::Ok);
    }
}

}  // namespace

QString helpSection(int context) {
    switch (context) {
        case 1:
            return QStringLiteral("getting-started");
        case 3:
            return QStringLiteral("codes-and-notations");
        case 5:
            return QStringLiteral("the-paths-dialog");
        case 6:
            return QStringLiteral("saving-and-running-the-game");
        case 8:
            return QStringLiteral("editing-texts");
        default:
            return QString();
    }
}

QString helpFileFor(const QString& programDir) {
    const QDir dir(programDir);
    const QString beside = dir.filePath(QStringLiteral("docs/user-guide.md"));
    const QString installed =
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/tarnedit/docs/user-guide.md")));
    const QString older = dir.filePath(QStringLiteral("Ostrel2.hlp"));
    for (const QString& candidate : {beside, installed, older}) {
        if (QFileInfo(candidate).isFile()) {
            return nativePath(candidate);
        }
    }
    // None: the message names where the guide belongs. A program in a bin folder is installed
    // under a prefix; any other (a build folder, the Windows package's folder) keeps it beside.
    const bool underPrefix = dir.dirName().compare(QStringLiteral("bin"), Qt::CaseInsensitive) == 0;
    return nativePath(underPrefix ? installed : beside);
}

void showHelp(const QString& helpFile, int context, QWidget* owner) {
    if (!QFileInfo(helpFile).isFile()) {
        reportMissing(helpFile);
        return;
    }
    if (helpFile.endsWith(QStringLiteral(".md"), Qt::CaseInsensitive)) {
        showGuide(helpFile, context, owner);
    } else {
        showInViewer(helpFile, context);
    }
}

}  // namespace tarn
