// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/executable_growth.h"

#include <QMainWindow>
#include <QSignalBlocker>

#include "app/main/window_settings.h"

namespace tarn {

namespace {

constexpr const char* kSection = "GrowExecutable";

}  // namespace

ExecutableGrowth::ExecutableGrowth(WindowParts& parts, QAction& action)
    : QObject(&parts.window), parts_(parts), action_(action) {
    action_.setCheckable(true);
    connect(&action_, &QAction::toggled, this, &ExecutableGrowth::choose);
}

void ExecutableGrowth::translatedFileLoaded() {
    const bool grow = readFileSetting(parts_, kSection,
                                      parts_.executables.translatedPath.toStdString(), false);
    parts_.executables.mayGrow = grow;
    const QSignalBlocker quiet(&action_);
    action_.setChecked(grow);
}

void ExecutableGrowth::choose(bool grow) {
    parts_.executables.mayGrow = grow;
    emit changed();
    storeFileSetting(parts_, kSection, parts_.executables.translatedPath.toStdString(),
                     grow);
}

}  // namespace tarn
