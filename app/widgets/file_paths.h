// File names between Qt's text and the core's paths. A QString holds the name as the user sees
// it; the core takes std::filesystem::path, built from UTF-8 through one conversion that keeps
// every character on Windows too.
#pragma once

#include <QString>
#include <filesystem>

#include "common/utf8_path.h"

namespace tarn {

inline std::filesystem::path toFilePath(const QString& path) {
    return pathFromUtf8(path.toStdString());
}

inline QString fromFilePath(const std::filesystem::path& path) {
    return QString::fromStdString(pathToUtf8(path));
}

}  // namespace tarn
