// SPDX-License-Identifier: GPL-3.0-or-later
// Where secondary windows go so that they do not hide what the translator works on.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tarn {

// Moves window (a top-level window) below the area, or above it when the screen has no room
// below, when its frame covers the area (global coordinates). A window clear of it stays.
void moveClearOf(QWidget& window, const QRect& area);

// The place for a window of the given frame size beside main: on its right when the screen has
// room there, else on its left, else against the screen's right edge; level with main's top.
QPoint besideWindow(const QWidget& main, QSize frame);

}  // namespace tarn
