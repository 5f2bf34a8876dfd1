// A window's position kept in the settings file as "Left" and "Top" of its section. Left -1
// means no stored position. A restored position that would leave less than 10 pixels of the
// window on the primary screen moves the window to (0, 0).
#pragma once

#include <QPoint>
#include <string_view>

class QWidget;

namespace tarn {

class ProfileFile;

// Moves the window to the stored position; answers whether one was stored.
bool restoreStoredPosition(QWidget& window, const ProfileFile& settings, std::string_view section);
void writeStoredPosition(QPoint position, ProfileFile& settings, std::string_view section);
// The placement check for a position just applied.
QPoint checkedPlacement(QPoint position);

}  // namespace tarn
