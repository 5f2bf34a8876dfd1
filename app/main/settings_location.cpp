#include "app/main/settings_location.h"

#include <unistd.h>
#include <QDir>
#include <QFileInfo>

namespace tarn {

namespace {

bool canWriteIn(const QString& folder, const QString& file) {
    const QFileInfo existing(file);
    if (existing.exists()) {
        return ::access(QFile::encodeName(file).constData(), W_OK) == 0;
    }
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

}  // namespace

QString settingsOptionOf(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--settings") && i + 1 < arguments.size()) {
            return QFileInfo(arguments[i + 1]).absoluteFilePath();
        }
        if (a.startsWith(QStringLiteral("--settings="))) {
            return QFileInfo(a.mid(11)).absoluteFilePath();
        }
    }
    return {};
}

QString defaultSettingsPath(const QString& programDir, const QString& configDir) {
    const QString name = QStringLiteral("tarnedit.ini");
    const QString beside = QDir(programDir).filePath(name);
    if (canWriteIn(programDir, beside)) {
        return beside;
    }
    QDir().mkpath(configDir);
    return QDir(configDir).filePath(name);
}

}  // namespace tarn
