// SPDX-License-Identifier: GPL-3.0-or-later
// The edit laid over a grid cell while a prompted replace shows an occurrence: borderless, the
// text inset 2 pixels from the left, top and right edges of the cell, and the selection
// highlighted even while the question dialog has the focus.
#pragma once

#include <QLineEdit>

namespace tarn {

class OccurrenceOverlay : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int TextInset = 2;

    explicit OccurrenceOverlay(QWidget* parent);

    // Covers the cell rectangle exactly and shows the text with the occurrence selected
    // (start counted from 0).
    void showOccurrence(const QRect& cell, const QString& text, int start, int length);
};

}  // namespace tarn
