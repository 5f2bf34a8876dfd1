// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a grid cell's text with its code bytes framed: in raw notation a code byte shows as the
// page's letter on it (Ś for %l in 1250), so each is drawn in its own colour inside a frame and
// cannot be taken for the letter.
#pragma once

#include <QColor>
#include <QStyleOptionViewItem>

#include "common/code_page.h"

class QPainter;

namespace tarn {

// The colour of code bytes and their frames.
inline const QColor kCodeByteColour(176, 0, 176);

// Paints the cell (option filled by the delegate) when its text holds a code byte; false, with
// nothing painted, when it holds none.
bool paintCodeBytesFramed(QPainter* painter, const QStyleOptionViewItem& option,
                          const CodePage& codePage);

}  // namespace tarn
