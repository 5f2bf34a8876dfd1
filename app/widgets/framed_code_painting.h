// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a grid cell's text with its code bytes framed: in raw notation a code byte shows as the
// page's letter on it (Ś for %l in 1250), so each is drawn in its own colour inside a frame and
// cannot be taken for the letter. A code that takes data (%S, %c) is framed together with its
// data in either notation: the data is part of the code, not text.
#pragma once

#include <QColor>
#include <QStyleOptionViewItem>

#include "common/code_page.h"
#include "textcodes/typed_codes.h"

class QPainter;

namespace tarn {

// The colour of code bytes and their frames.
inline const QColor kCodeByteColour(176, 0, 176);

// Paints the cell (option filled by the delegate, its text in notation) when its text holds a
// code byte or a code with data; false, with nothing painted, when it holds neither.
bool paintCodeBytesFramed(QPainter* painter, const QStyleOptionViewItem& option,
                          const CodePage& codePage, Notation notation);

}  // namespace tarn
