// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_status_bar.h"

#include <QLabel>

#include "app/objects/one_line_holder.h"
#include "app/widgets/object_names.h"

namespace tarn {

ObjectStatusBar::ObjectStatusBar(QWidget* parent) : QStatusBar(parent), label_(new QLabel(this)) {
    setObjectNames({{this, "statusBar"}, {label_, "statusLabel"}});
    setSizeGripEnabled(true);
    addWidget(new OneLineHolder(*label_), 1);
}

QString ObjectStatusBar::text() const {
    return label_->text();
}

void ObjectStatusBar::setText(const QString& text) {
    label_->setText(text);
}

}  // namespace tarn
