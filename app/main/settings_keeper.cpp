// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/settings_keeper.h"

#include "app/main/write_problems.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"
#include "common/profile_file.h"

namespace tarn {

namespace {
constexpr int kLookMs = 1000;  // how often the windows' values are compared with those read
}

SettingsKeeper::SettingsKeeper(const QString& settingsPath, AppSettings& settings,
                               std::function<void()> capture, QObject* parent)
    : QObject(parent), settings_(settings), capture_(std::move(capture)) {
    const BackgroundWriter::Report tell =
        reportProblemsTo(*this, [this](const QString& reason) { emit writeProblem(reason); });
    writer_ = std::make_unique<BackgroundWriter>(
        toFilePath(settingsPath), [this, tell](const std::optional<std::string>& failure) {
            {
                std::lock_guard lock(failureMutex_);
                lastFailure_ = failure;
            }
            tell(failure);
        });
    timer_.setInterval(kLookMs);
    connect(&timer_, &QTimer::timeout, this, &SettingsKeeper::writeChanges);
}

SettingsKeeper::~SettingsKeeper() {
    writer_.reset();  // its last reports reach a whole keeper, and are dropped with it
}

void SettingsKeeper::start() {
    capture_();
    read_ = settingValues(settings_);
    started_ = true;
    timer_.start();
}

bool SettingsKeeper::markChanges(std::vector<SettingValue>& values, bool placements) {
    capture_();
    values = changedSettings(read_, settingValues(settings_));
    bool anew = false;
    for (SettingValue& v : values) {
        const auto key = std::pair{v.section, v.key};
        const auto written = written_.find(key);
        v.changed = (v.changed && (placements || !v.placement)) || written != written_.end();
        if (v.changed && (written == written_.end() || written->second != v.value)) {
            written_[key] = v.value;
            anew = true;
        }
    }
    return anew;
}

void SettingsKeeper::writeChanges() {
    std::vector<SettingValue> values;
    if (started_ && markChanges(values, false)) {
        write(std::move(values), false);
    }
}

void SettingsKeeper::write(std::vector<SettingValue> values, bool fillMissing) {
    writer_->update([values = std::move(values), fillMissing](const std::filesystem::path& path) {
        ProfileFile ini(path);
        // A file that could not be read is left as it is, as the user heard at start-up.
        if (ini.readError().empty()) {
            writeSettingValues(ini, values, fillMissing);
        }
    });
}

void SettingsKeeper::writeAtClose(bool fillMissing) {
    timer_.stop();
    // Closed before the start-up read anything, every value counts as this instance's.
    std::vector<SettingValue> values;
    markChanges(values, true);
    write(std::move(values), fillMissing);
    writer_->flush();
    std::optional<std::string> failure;
    {
        std::lock_guard lock(failureMutex_);
        failure = lastFailure_;
    }
    if (failure) {
        showExceptionMessage(QString::fromStdString(*failure));
    }
}

void SettingsKeeper::flush() {
    writeChanges();
    writer_->flush();
}

}  // namespace tarn
