// SPDX-License-Identifier: GPL-3.0-or-later
// Other > "Pseudo-translate untranslated texts...": asks how much longer the texts are to be and
// gives every text still equal to its original its pseudo-translation (pseudo_translation.h, in
// the window's code page with its character table), as one undoable step. A game run then shows
// which texts pass through the translation, whether the letters come out right and which texts
// outgrow their place, before the remaining texts are translated.
#pragma once

#include <QObject>

#include "app/main/window_parts.h"

class QAction;

namespace tarn {

class PseudoTranslation : public QObject {
    Q_OBJECT
public:
    explicit PseudoTranslation(WindowParts& parts);

    QAction* action() const { return action_; }

    // Runs only when the current cell may be left (the window wires it so).
    void pseudoTranslate();

private:
    WindowParts& parts_;
    QAction* action_;
    int expandPercent_;  // offered again the next time
};

}  // namespace tarn
