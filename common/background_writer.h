// SPDX-License-Identifier: GPL-3.0-or-later
// Writes one small file on a thread of its own, so that whoever asks never waits for the disk.
// Only the latest request counts: a write asked for while an earlier one waits replaces it. Each
// write goes through writeFileAtomically (flushed, never half written); a failure is dropped, as
// the next request writes the whole file again.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "common/bytes.h"

namespace tarn {

class BackgroundWriter {
public:
    explicit BackgroundWriter(std::filesystem::path path);
    // Carries out the last request first.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void write(Bytes data);
    void remove();
    // Waits until every request so far has been carried out.
    void flush();

private:
    void run();

    std::filesystem::path path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::optional<std::optional<Bytes>> pending_;  // a request: the bytes, or nothing to remove
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tarn
