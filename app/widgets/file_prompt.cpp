// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/file_prompt.h"
#include "app/widgets/file_dialog_options.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"

namespace tarn {

std::optional<QString> askForFile(QWidget* parent, const FilePrompt& prompt, std::string& folder) {
    QFileDialog dialog(parent, prompt.title);
    dialog.setObjectName(prompt.objectName);
    // The overwrite question goes through the prompter below, not the dialog's own box.
    dialog.setOptions(systemFileDialogOptions() | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(prompt.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(prompt.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters({prompt.nameFilter, QStringLiteral("All files (*)")});
    dialog.setDefaultSuffix(prompt.defaultSuffix);
    const QString start = QString::fromStdString(folder);
    if (!start.isEmpty() && QDir(start).exists()) {
        dialog.setDirectory(start);
    }
    if (prompt.save && !prompt.proposedName.isEmpty()) {
        dialog.selectFile(prompt.proposedName);
    }
    while (prompter().runModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = nativePath(dialog.selectedFiles().constFirst());
        if (prompt.save && QFileInfo::exists(path) &&
            prompter().message(
                QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path),
                prompt.title, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) {
            continue;  // the dialog again, to choose another name
        }
        folder = nativePath(QFileInfo(path).absolutePath()).toStdString();
        return path;
    }
    return std::nullopt;
}

}  // namespace tarn
