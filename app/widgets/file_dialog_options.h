// SPDX-License-Identifier: GPL-3.0-or-later
// Which file dialog the programs open: the system's own where its users know it (Windows), the
// toolkit's elsewhere. Tests fill in the toolkit's either way (ScriptedPrompter).
#pragma once

#include <QFileDialog>

#include "platform/core/desktop.h"

namespace tarn {

inline QFileDialog::Options systemFileDialogOptions() {
    return platform::usesSystemFileDialogs() ? QFileDialog::Options{}
                                             : QFileDialog::DontUseNativeDialog;
}

}  // namespace tarn
