// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/game_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace tarn {

bool isFontFamilyInstalled(const QString& faceName) {
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families) {
        if (family.compare(faceName, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool GameFontRegistration::addIfMissing(const QString& faceName, const QString& fontFile) {
    if (isFontFamilyInstalled(faceName)) {
        added_ = false;
        return false;
    }
    fontId_ = QFontDatabase::addApplicationFont(fontFile);
    added_ = true;  // like the system call, the outcome is not checked
    return true;
}

void GameFontRegistration::remove() {
    if (added_ && fontId_ >= 0) {
        QFontDatabase::removeApplicationFont(fontId_);
    }
    fontId_ = -1;
    added_ = false;
}

}  // namespace tarn
