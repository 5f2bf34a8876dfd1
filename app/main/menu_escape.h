// SPDX-License-Identifier: GPL-3.0-or-later
// Esc in an open menu of the menu bar closes it and leaves the menu bar altogether, the
// keyboard back in the grid: otherwise the bar stays active and the letters typed next open
// menus instead of going into a text.
#pragma once

#include <QObject>

class QMenuBar;
class QWidget;

namespace tarn {

class MenuEscape : public QObject {
    Q_OBJECT
public:
    // Watches the bar's menus, those added later too; back gets the keyboard after Esc.
    MenuEscape(QMenuBar& bar, QWidget& back);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchMenus();

    QMenuBar& bar_;
    QWidget& back_;
};

}  // namespace tarn
