// SPDX-License-Identifier: GPL-3.0-or-later
// The Save option "Let the executable grow when the texts do not fit": kept per translated
// executable in [GrowExecutable] of the settings, the file's path as key, and read again
// whenever other files are loaded. The save and the live budget take it from
// OpenExecutables::mayGrow.
#pragma once

#include <QAction>
#include <QObject>

#include "app/main/window_parts.h"

namespace tarn {

class ExecutableGrowth : public QObject {
    Q_OBJECT
public:
    ExecutableGrowth(WindowParts& parts, QAction& action);

    // Shows the choice stored for the translated executable now loaded.
    void translatedFileLoaded();

signals:
    // The translator changed the choice: the budget is out of date.
    void changed();

private:
    void choose(bool grow);

    WindowParts& parts_;
    QAction& action_;
};

}  // namespace tarn
