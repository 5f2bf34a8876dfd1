// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings live on Windows.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "app/main/settings_location.h"

namespace tarn {

QString userSettingsFolder() {
    // %APPDATA%\TarnEdit: the roaming profile follows the translator between machines.
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

const char* userSettingsFolderInHelp() {
    return "%APPDATA%\\TarnEdit\\";
}

// Windows' access() sees only the read-only attribute, which folders ignore: whether a file can
// be written in a folder (Program Files without administrator rights) shows only by trying.
bool canWriteIn(const QString& folder, const QString& file) {
    if (QFileInfo::exists(file)) {
        QFile existing(file);
        return existing.open(QIODevice::ReadWrite);  // opened, not changed
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tarnedit-probe-XXXXXX")));
    return probe.open();
}

}  // namespace tarn
