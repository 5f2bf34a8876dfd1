// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's stored settings: read at start-up (the paths, notation, font and what the
// other windows take when the window says the settings are loaded), its own values captured for
// the SettingsKeeper, which writes them, and the window's placement.
#pragma once

#include <QObject>
#include <QRect>
#include <string>

#include "app/main/window_parts.h"

class QAction;
class QWidget;

namespace tarn {

class WindowFont;

class WindowSettings : public QObject {
    Q_OBJECT
public:
    // notation: the C-style command, checked as stored.
    WindowSettings(WindowParts& parts, WindowFont& font, QAction& notation);

    // The stored placement, or the first one.
    void applyPlacement();
    // Reads every stored value the window itself uses; false when the file could not be used.
    bool read();
    // Puts the window's own values into the settings, before the other windows add theirs.
    void capture();

private:
    WindowParts& parts_;
    WindowFont& font_;
    QAction& notation_;
};

// Puts a window whose stored position would leave less than 10 pixels on the primary screen
// at (0, 0).
void applyPlacementCheck(QWidget& window);

// Whether a settings key can hold the path and read back as the same key: a path with "=",
// a line break, or spaces or a section's bracket at its ends cannot.
bool canBeSettingsKey(const std::string& path);

// A choice kept per file in a section of the settings, the file's path as key: defaultValue
// for a path that cannot be a key. Storing writes at once, and leaves a settings file that
// could not be read as it is; a path that cannot be a key keeps the choice for this run only.
bool readFileSetting(const WindowParts& parts, const char* section, const std::string& path,
                     bool defaultValue);
void storeFileSetting(const WindowParts& parts, const char* section, const std::string& path,
                      bool value);

// Where a window without a stored placement first opens: centred on the available screen area,
// two thirds of its width and height.
QRect firstWindowRect(const QRect& available);

}  // namespace tarn
