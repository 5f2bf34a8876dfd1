// SPDX-License-Identifier: GPL-3.0-or-later
// The settings' 32-bit colour values as Qt colours and back.
#pragma once

#include <QColor>
#include <cstdint>

namespace tarn {

// An explicit colour, or the palette colour that stands for a system colour index.
QColor colorFromProfileValue(std::int32_t value);
std::int32_t profileValueFromColor(const QColor& color);

}  // namespace tarn
