// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace tarn {

namespace {

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2.0, 2.0);  // drawn on a 16 x 16 grid
    draw(painter);
    return QIcon(pixmap);
}

void page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(60, 60, 60), 1.0));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 140, 200), 1.0));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5) {
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

}  // namespace

QIcon cutIcon() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(70, 70, 70), 1.3));
        p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
        p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
        p.setPen(QPen(QColor(200, 40, 40), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
    });
}

QIcon copyIcon() {
    return drawn([](QPainter& p) {
        page(p, QRectF(1.5, 1.5, 8, 10));
        page(p, QRectF(6.5, 4.5, 8, 10));
    });
}

QIcon pasteIcon() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(90, 60, 20), 1.0));
        p.setBrush(QColor(190, 140, 70));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
        page(p, QRectF(6.5, 6.5, 8, 8.5));
    });
}

QIcon helpIcon() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(30, 70, 160), 1.0));
        p.setBrush(QColor(70, 120, 220));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(11);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
    });
}

}  // namespace tarn
