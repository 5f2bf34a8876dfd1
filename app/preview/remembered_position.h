// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a window has a position of its own in this run: one restored from the settings, or
// the one it got when it was first shown. A window that has neither keeps "no position" in the
// settings instead of storing wherever an unshown window happens to be.
#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

namespace tarn {

class RememberedPosition {
public:
    void restore(QWidget& window, QPoint position) {
        window.move(position);
        known_ = true;
    }
    // After its first showing a dialog keeps its place: Qt would otherwise centre it over its
    // parent again each time it is shown.
    void shown(QWidget& window) {
        known_ = true;
        window.setAttribute(Qt::WA_Moved, true);
    }
    std::optional<QPoint> of(const QWidget& window) const {
        return known_ ? std::optional<QPoint>(window.pos()) : std::nullopt;
    }

private:
    bool known_ = false;
};

}  // namespace tarn
