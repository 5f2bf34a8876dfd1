// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/color_qt.h"

#include <QApplication>
#include <QPalette>

#include "common/profile_file.h"

namespace tarn {

namespace {

// System colour indexes of the settings file and the palette roles nearest to them.
QPalette::ColorRole roleOfSystemColor(int index) {
    switch (index) {
        case 5:  // window background
            return QPalette::Base;
        case 8:  // window text
            return QPalette::WindowText;
        case 13:  // highlight
            return QPalette::Highlight;
        case 14:  // highlighted text
            return QPalette::HighlightedText;
        case 18:  // button text
            return QPalette::ButtonText;
        case 15:  // button face
        default:
            return QPalette::Button;
    }
}

}  // namespace

QColor colorFromProfileValue(std::int32_t value) {
    if (profile_color::isSystemColor(value)) {
        return QApplication::palette().color(
            roleOfSystemColor(profile_color::systemColorIndex(value)));
    }
    return QColor(profile_color::red(value), profile_color::green(value),
                  profile_color::blue(value));
}

std::int32_t profileValueFromColor(const QColor& color) {
    return profile_color::fromRgb(color.red(), color.green(), color.blue());
}

}  // namespace tarn
