// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's status line: one line of text at the window's width, with the size
// grip. A new text only repaints the line; it never lays out the window anew.
#pragma once

#include <QStatusBar>

class QLabel;

namespace tarn {

class ObjectStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit ObjectStatusBar(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

private:
    QLabel* label_;
};

}  // namespace tarn
