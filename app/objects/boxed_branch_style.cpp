// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/boxed_branch_style.h"

#include <QPainter>
#include <QStyleOption>

namespace tarn {

void BoxedBranchStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (element != PE_IndicatorBranch || !(option->state & State_Children)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // A 9-pixel box in the middle of the branch area (its outline is drawn one pixel beyond the
    // rectangle's size), a minus in it, and a plus while closed.
    constexpr int kBox = 9;
    const QPoint centre = option->rect.center();
    const QRect box(centre.x() - kBox / 2, centre.y() - kBox / 2, kBox - 1, kBox - 1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(option->palette.color(QPalette::Mid));
    painter->setBrush(option->palette.color(QPalette::Base));
    painter->drawRect(box);
    painter->setPen(option->palette.color(QPalette::Text));
    painter->drawLine(box.left() + 2, centre.y(), box.right() - 1, centre.y());
    if (!(option->state & State_Open)) {
        painter->drawLine(centre.x(), box.top() + 2, centre.x(), box.bottom() - 1);
    }
    painter->restore();
}

}  // namespace tarn
