// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/settings_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/widgets/file_paths.h"

namespace tarn {

QString settingsOptionOf(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--settings") && i + 1 < arguments.size()) {
            return nativePath(QFileInfo(arguments[i + 1]).absoluteFilePath());
        }
        if (a.startsWith(QStringLiteral("--settings="))) {
            return nativePath(QFileInfo(a.mid(11)).absoluteFilePath());
        }
    }
    return {};
}

QString defaultSettingsPath(const QString& programDir, const QString& configDir) {
    const QString name = QStringLiteral("tarnedit.ini");
    const QString beside = QDir(programDir).filePath(name);
    // An installed copy (its installer's uninstaller beside it) keeps nothing in its own
    // folder, so that uninstalling leaves none of the translator's files there.
    const bool installed = QFileInfo::exists(QDir(programDir).filePath(kUninstallerName));
    if (!installed && canWriteIn(programDir, beside)) {
        return nativePath(beside);
    }
    QDir().mkpath(configDir);
    return nativePath(QDir(configDir).filePath(name));
}

}  // namespace tarn
