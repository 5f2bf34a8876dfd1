#include "textcodes/ui/toolkit_colour.h"

#include <QApplication>
#include <QPalette>

#include "common/profile_file.h"

namespace tarn {
namespace {

// The palette role closest to each Windows system colour index.
QPalette::ColorRole roleOfSystemColour(int index, QPalette::ColorGroup& group) {
    group = QPalette::Active;
    switch (index) {
        case 5:
            return QPalette::Base;  // window
        case 7:
            return QPalette::WindowText;  // menu text
        case 8:
            return QPalette::Text;  // window text
        case 9:
            return QPalette::HighlightedText;  // caption text
        case 13:
            return QPalette::Highlight;  // highlight
        case 14:
            return QPalette::HighlightedText;  // highlight text
        case 16:
            return QPalette::Mid;  // button shadow
        case 17:
            group = QPalette::Disabled;
            return QPalette::Text;  // grey text
        case 18:
            return QPalette::ButtonText;  // button text
        case 20:
            return QPalette::Light;  // button highlight
        case 21:
            return QPalette::Shadow;  // 3D dark shadow
        case 22:
            return QPalette::Midlight;  // 3D light
        case 23:
            return QPalette::ToolTipText;  // info text
        case 24:
            return QPalette::ToolTipBase;  // info background
        case 26:
            return QPalette::Link;  // hot light
        case 15:                    // button face
        default:
            return QPalette::Button;
    }
}

}  // namespace

QColor toolkitColourToQColor(std::int32_t value) {
    if (profile_color::isSystemColor(value)) {
        QPalette::ColorGroup group;
        QPalette::ColorRole role =
            roleOfSystemColour(profile_color::systemColorIndex(value), group);
        return QApplication::palette().color(group, role);
    }
    return QColor(profile_color::red(value), profile_color::green(value),
                  profile_color::blue(value));
}

std::int32_t toolkitColourFromQColor(const QColor& colour) {
    QColor rgb = colour.toRgb();
    return profile_color::fromRgb(rgb.red(), rgb.green(), rgb.blue());
}

QColor rgbToQColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace tarn
