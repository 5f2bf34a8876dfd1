// SPDX-License-Identifier: GPL-3.0-or-later
// File names between Qt's text and the core's paths. A QString holds the name as the user sees
// it; the core takes std::filesystem::path, built from UTF-8 through one conversion that keeps
// every character on Windows too.
//
// The window code keeps every path in the system's own form: on Windows drive letters and
// backslashes, as its users read and type them, in the fields, the messages and tarnedit.ini.
// Qt's dialogs answer with '/' there, and an ini may hold either separator, so each path is put
// in that form where it enters. Elsewhere nativePath changes nothing.
#pragma once

#include <QDir>
#include <QString>
#include <filesystem>

#include "common/utf8_path.h"

namespace tarn {

inline QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

inline std::filesystem::path toFilePath(const QString& path) {
    return pathFromUtf8(path.toStdString());
}

inline QString fromFilePath(const std::filesystem::path& path) {
    return nativePath(QString::fromStdString(pathToUtf8(path)));
}

}  // namespace tarn
