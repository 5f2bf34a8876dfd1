// SPDX-License-Identifier: GPL-3.0-or-later
// Finds a window's widget or action by its objectName, the way window tests reach them.
#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace tarn {

// The descendant of `parent` of type T named `name`; never null. A missing one fails the test
// with both names, instead of a null pointer crashing it further on.
template <typename T>
T* childByName(const QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (!found) {
        const std::string message = "no " + std::string(T::staticMetaObject.className()) +
                                    " named \"" + name.toStdString() + "\" in " +
                                    parent.metaObject()->className();
        ADD_FAILURE() << message;
        throw std::logic_error(message);
    }
    return found;
}

}  // namespace tarn
