// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a tree's expand markers as boxed plus and minus signs, whatever the desktop's style, so
// that the object texts window's hint ("click on the + sign") names what the translator sees.
// Everything else is drawn by the application's style.
#pragma once

#include <QProxyStyle>

namespace tarn {

class BoxedBranchStyle : public QProxyStyle {
    Q_OBJECT
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace tarn
