// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/settings_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/widgets/file_paths.h"

#ifdef _WIN32
#include <QFile>
#include <QTemporaryFile>
#else
#include <unistd.h>
#endif

namespace tarn {

namespace {

#ifdef _WIN32
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
#else
bool canWriteIn(const QString& folder, const QString& file) {
    const QFileInfo existing(file);
    if (existing.exists()) {
        return ::access(QFile::encodeName(file).constData(), W_OK) == 0;
    }
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}
#endif

}  // namespace

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

QString userSettingsFolder() {
#ifdef _WIN32
    // %APPDATA%\TarnEdit: the roaming profile follows the translator between machines.
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
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
