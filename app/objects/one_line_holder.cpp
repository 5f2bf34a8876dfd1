// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/one_line_holder.h"

#include <QLabel>
#include <QResizeEvent>

namespace tarn {

OneLineHolder::OneLineHolder(QLabel& label, QWidget* parent) : QWidget(parent), label_(label) {
    // No layout of its own: the label's geometry requests end here instead of travelling up.
    label_.setParent(this);
    label_.setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QSize OneLineHolder::sizeHint() const {
    const QMargins margins = label_.contentsMargins();
    return {0, label_.fontMetrics().height() + margins.top() + margins.bottom()};
}

QSize OneLineHolder::minimumSizeHint() const {
    return sizeHint();
}

void OneLineHolder::resizeEvent(QResizeEvent* event) {
    label_.setGeometry(QRect(QPoint(0, 0), event->size()));
}

}  // namespace tarn
