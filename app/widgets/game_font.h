// SPDX-License-Identifier: GPL-3.0-or-later
// The game's font file, registered for this program only while its face is not installed.
#pragma once

#include <QString>

namespace tarn {

class GameFontRegistration {
public:
    GameFontRegistration() = default;
    ~GameFontRegistration() { remove(); }
    GameFontRegistration(const GameFontRegistration&) = delete;
    GameFontRegistration& operator=(const GameFontRegistration&) = delete;

    // Registers fontFile when no installed family is named faceName (letter case ignored).
    // Answers whether this run registered it; a failed registration is not reported.
    bool addIfMissing(const QString& faceName, const QString& fontFile);
    // Removes the registration made by addIfMissing, if any.
    void remove();
    bool added() const { return added_; }

private:
    bool added_ = false;
    int fontId_ = -1;
};

bool isFontFamilyInstalled(const QString& faceName);

}  // namespace tarn
