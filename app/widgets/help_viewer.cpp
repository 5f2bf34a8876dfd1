#include "app/widgets/help_viewer.h"

#include <QFileInfo>

#include "app/widgets/prompter.h"
#include "app/widgets/shell.h"

namespace tarn {

void showHelp(const QString& helpFile, int context) {
    const QString caption = QStringLiteral("Help");
    if (!QFileInfo(helpFile).isFile()) {
        prompter().message(
            QStringLiteral("The help file ") + helpFile + QStringLiteral(" could not be found."),
            caption, MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    ShellActions& shell = shellActions();
    // A Windows help file: its viewer takes the context number.
    const QString winhelp = shell.findExecutable(QStringLiteral("winhlp32"));
    bool started = false;
    if (!winhelp.isEmpty()) {
        QStringList arguments;
        if (context > 0) {
            arguments << QStringLiteral("-n") << QString::number(context);
        }
        arguments << helpFile;
        started = shell.startDetached(winhelp, arguments, QString());
    }
    if (!started) {
        started = shell.openUrl(helpFile);
    }
    if (!started) {
        prompter().message(QStringLiteral("The help file ") + helpFile +
                               QStringLiteral(" cannot be shown: no help viewer is installed."),
                           caption, MessageIcon::Error, MessageButtons::Ok);
    }
}

}  // namespace tarn
