// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/wrapped_hint_label.h"

#include <QEvent>

namespace tarn {

WrappedHintLabel::WrappedHintLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setWordWrap(true);
}

int WrappedHintLabel::heightForWidth(int width) const {
    const auto known = heights_.find(width);
    if (known != heights_.end()) {
        return known->second;
    }
    const int height = QLabel::heightForWidth(width);
    heights_.emplace(width, height);
    return height;
}

void WrappedHintLabel::changeEvent(QEvent* event) {
    // A new font, style or margin lays the text out differently.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::ContentsRectChange) {
        heights_.clear();
    }
    QLabel::changeEvent(event);
}

}  // namespace tarn
