// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the settings this instance's user changes into the settings file as they change, so
// that a crash loses none: the windows' values are looked at every second, and the keys that
// differ from what was read go to the file on a thread of its own (the file read anew, only those
// keys edited, every other byte kept), so that typing never waits for the disk. Window positions
// and sizes wait for the close, which also gives a file that lacks keys the whole set. A key this
// instance only read is never written, so that instances sharing the file keep each other's
// settings; a read-only instance writes only what its user changed.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/main/app_settings.h"
#include "common/background_writer.h"

namespace tarn {

class SettingsKeeper : public QObject {
    Q_OBJECT
public:
    // capture puts the windows' current values into settings.
    SettingsKeeper(const QString& settingsPath, AppSettings& settings,
                   std::function<void()> capture, QObject* parent = nullptr);
    ~SettingsKeeper() override;

    // What the settings hold now counts as read: called once the start-up has applied them.
    void start();
    // Looks at the values now and writes those changed since they were read, in the background.
    void writeChanges();
    // The last write, placements included, and with fillMissing every key the file lacks;
    // waits for it and shows a failure.
    void writeAtClose(bool fillMissing);
    // Waits until every write asked for has been carried out (tests).
    void flush();

signals:
    // A write failed even when tried again (the reason), or, after such a failure, succeeded
    // (an empty text).
    void writeProblem(const QString& reason);

private:
    // The values now, those differing from the ones read marked changed (placements only when
    // asked), and every key changed once stays marked, so that each write carries them all;
    // answers whether any differs from what was last written.
    bool markChanges(std::vector<SettingValue>& values, bool placements);
    void write(std::vector<SettingValue> values, bool fillMissing);

    AppSettings& settings_;
    std::function<void()> capture_;
    std::vector<SettingValue> read_;  // the values as read at start
    // Each key changed here, with the value last handed to the writer.
    std::map<std::pair<std::string, std::string>, std::string> written_;
    bool started_ = false;
    std::mutex failureMutex_;
    std::optional<std::string> lastFailure_;  // of the last write carried out
    QTimer timer_;
    std::unique_ptr<BackgroundWriter> writer_;
};

}  // namespace tarn
