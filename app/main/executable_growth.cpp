#include "app/main/executable_growth.h"

#include <QSignalBlocker>
#include <exception>

#include "app/main/main_window.h"
#include "app/main/save_checks.h"
#include "app/widgets/prompter.h"

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
    const std::string path = parts_.executables.translatedPath.toStdString();
    const bool grow =
        canBeSettingsKey(path) && parts_.window.openSettings().readBool(kSection, path, false);
    parts_.executables.mayGrow = grow;
    const QSignalBlocker quiet(&action_);
    action_.setChecked(grow);
}

void ExecutableGrowth::choose(bool grow) {
    parts_.executables.mayGrow = grow;
    emit changed();
    const std::string path = parts_.executables.translatedPath.toStdString();
    if (!canBeSettingsKey(path)) {
        return;  // the choice holds for this run
    }
    try {
        ProfileFile ini = parts_.window.openSettings();
        // A settings file that could not be read is left as it is.
        if (ini.readError().empty()) {
            ini.writeBool(kSection, path, grow);
            ini.save();
        }
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

}  // namespace tarn
