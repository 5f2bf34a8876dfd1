// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/find/occurrence_overlay.h"

namespace tarn {

OccurrenceOverlay::OccurrenceOverlay(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("occurrenceOverlay"));
    hide();
    setFrame(false);
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextMargins(TextInset, TextInset, TextInset, 0);
    QPalette colours = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);
}

void OccurrenceOverlay::showOccurrence(const QRect& cell, const QString& text, int start,
                                       int length) {
    setGeometry(cell);
    setText(text);
    setSelection(start, length);
    show();
    raise();
}

}  // namespace tarn
