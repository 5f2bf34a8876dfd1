#include "textcodes/ui/stored_position.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "common/profile_file.h"

namespace tarn {

QPoint checkedPlacement(QPoint position) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return position;
    }
    const QSize size = screen->geometry().size();
    if (position.x() > size.width() - 10 || position.y() > size.height() - 10) {
        return QPoint(0, 0);
    }
    return position;
}

bool restoreStoredPosition(QWidget& window, const ProfileFile& settings, std::string_view section) {
    const int left = settings.readInteger(section, "Left", -1);
    if (left == -1) {
        return false;
    }
    const int top = settings.readInteger(section, "Top", 0);
    window.move(checkedPlacement(QPoint(left, top)));
    return true;
}

void writeStoredPosition(QPoint position, ProfileFile& settings, std::string_view section) {
    settings.writeInteger(section, "Left", position.x());
    settings.writeInteger(section, "Top", position.y());
}

}  // namespace tarn
