// SPDX-License-Identifier: GPL-3.0-or-later
// A colour of the game's colour table as a Qt colour.
#pragma once

#include <QColor>

#include "textcodes/colour_table.h"

namespace tarn {

inline QColor rgbToQColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace tarn
