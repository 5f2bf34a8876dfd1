// SPDX-License-Identifier: GPL-3.0-or-later
// Holds a one-line label at the width it is given and the height of one line, whatever its
// text. A label placed straight in a layout asks the whole window for a new layout at every
// change of its text; held here, a new text only repaints the line.
#pragma once

#include <QWidget>

class QLabel;

namespace tarn {

class OneLineHolder : public QWidget {
public:
    // Takes the label in as its only child.
    explicit OneLineHolder(QLabel& label, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel& label_;
};

}  // namespace tarn
