// Colours as the settings file stores them: 0x00BBGGRR for an explicit colour, or 0xFF0000nn
// for the system colour with index nn (button face 15, window text 8, ...). System colours are
// resolved through the application palette when drawn, so they follow the desktop theme.
#pragma once

#include <QColor>
#include <cstdint>

#include "textcodes/colour_table.h"

namespace tarn {

QColor toolkitColourToQColor(std::int32_t value);
std::int32_t toolkitColourFromQColor(const QColor& colour);
QColor rgbToQColor(const Rgb& rgb);

}  // namespace tarn
