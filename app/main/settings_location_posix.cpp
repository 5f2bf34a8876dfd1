// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings live on POSIX systems.
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/main/settings_location.h"

namespace tarn {

QString userSettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

const char* userSettingsFolderInHelp() {
    return "~/.config/TarnEdit/";
}

bool canWriteIn(const QString& folder, const QString& file) {
    if (QFileInfo::exists(file)) {
        return ::access(QFile::encodeName(file).constData(), W_OK) == 0;
    }
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

}  // namespace tarn
