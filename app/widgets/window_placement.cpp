// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tarn {

namespace {

QRect screenArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

void moveClearOf(QWidget& window, const QRect& area) {
    const QRect frame = window.frameGeometry();
    if (!frame.intersects(area)) {
        return;
    }
    const QRect screen = screenArea(window);
    const int down = area.bottom() + 1 - frame.top();
    const int up = area.top() - 1 - frame.bottom();
    int shift = 0;
    if (screen.isNull() || frame.bottom() + down <= screen.bottom()) {
        shift = down;
    } else if (frame.top() + up >= screen.top()) {
        shift = up;
    } else {
        return;  // no room on either side: better where it is than off the screen
    }
    window.move(window.pos() + QPoint(0, shift));
}

QPoint besideWindow(const QWidget& main, QSize frame) {
    const QRect mainFrame = main.frameGeometry();
    const QRect screen = screenArea(main);
    int x = mainFrame.right() + 1;
    int y = mainFrame.top();
    if (!screen.isNull()) {
        if (x + frame.width() - 1 > screen.right()) {
            x = mainFrame.left() - frame.width() >= screen.left()
                    ? mainFrame.left() - frame.width()
                    : screen.right() + 1 - frame.width();
        }
        y = std::clamp(y, screen.top(),
                       std::max(screen.top(), screen.bottom() + 1 - frame.height()));
    }
    return {x, y};
}

}  // namespace tarn
