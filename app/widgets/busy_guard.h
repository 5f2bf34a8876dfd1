// SPDX-License-Identifier: GPL-3.0-or-later
// The hourglass and the disabled button panel of a long operation, restored on every exit
// from the scope, exceptions included.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace tarn {

class BusyGuard {
public:
    explicit BusyGuard(QWidget* panel) : panel_(panel) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (panel_) {
            panel_->setEnabled(false);
        }
    }
    ~BusyGuard() {
        if (panel_) {
            panel_->setEnabled(true);
        }
        QApplication::restoreOverrideCursor();
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    QPointer<QWidget> panel_;
};

}  // namespace tarn
