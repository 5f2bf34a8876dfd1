// SPDX-License-Identifier: GPL-3.0-or-later
// Which file dialog the programs open: Windows' own on Windows (its Desktop, Documents and Quick
// access, its columns), the toolkit's elsewhere, where the system's is another program's and
// varies from desktop to desktop. Tests fill in the toolkit's either way (ScriptedPrompter).
#pragma once

#include <QFileDialog>

namespace tarn {

inline QFileDialog::Options systemFileDialogOptions() {
#ifdef Q_OS_WIN
    return {};
#else
    return QFileDialog::DontUseNativeDialog;
#endif
}

}  // namespace tarn
