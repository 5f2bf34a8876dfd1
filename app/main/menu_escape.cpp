// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/menu_escape.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace tarn {

MenuEscape::MenuEscape(QMenuBar& bar, QWidget& back) : QObject(&bar), bar_(bar), back_(back) {
    bar_.installEventFilter(this);
    watchMenus();
}

void MenuEscape::watchMenus() {
    for (QAction* action : bar_.actions()) {
        if (QMenu* menu = action->menu()) {
            menu->removeEventFilter(this);  // once each
            menu->installEventFilter(this);
        }
    }
}

bool MenuEscape::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &bar_) {
        if (event->type() == QEvent::ActionAdded) {
            watchMenus();
        }
        return QObject::eventFilter(watched, event);
    }
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu == nullptr || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
        return QObject::eventFilter(watched, event);
    }
    // A submenu's Esc only goes back to the menu it came from.
    if (QMenu* open = menu->findChild<QMenu*>(); open != nullptr && open->isVisible()) {
        return QObject::eventFilter(watched, event);
    }
    menu->hide();
    // Esc to the bar itself ends its keyboard navigation.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&bar_, &escape);
    back_.activateWindow();
    back_.setFocus(Qt::OtherFocusReason);
    return true;
}

}  // namespace tarn
