// SPDX-License-Identifier: GPL-3.0-or-later
// Gives a window's parts their objectNames, by which tests and style sheets find them.
#pragma once

#include <QObject>
#include <QString>
#include <initializer_list>
#include <utility>

namespace tarn {

inline void setObjectNames(std::initializer_list<std::pair<QObject*, const char*>> parts) {
    for (const auto& [part, name] : parts) {
        part->setObjectName(QString::fromLatin1(name));
    }
}

}  // namespace tarn
