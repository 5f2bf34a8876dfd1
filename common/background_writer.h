// SPDX-License-Identifier: GPL-3.0-or-later
// Writes one small file on a thread of its own, so that whoever asks never waits for the disk.
// Only the latest request counts: a write asked for while an earlier one waits replaces it. Each
// write goes through writeFileAtomically (flushed, never half written, no temporary file left),
// or is a job that rewrites the file itself (read anew, so that what others wrote is kept). A
// failed request is tried once more, unless a newer one has come; the outcome of every request
// carried out goes to the report, so that a lasting failure can be shown.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "common/bytes.h"

namespace tarn {

class BackgroundWriter {
public:
    // Called on the writer's thread after each request carried out: the error's message when it
    // failed twice, nullopt when it succeeded.
    using Report = std::function<void(const std::optional<std::string>& failure)>;

    explicit BackgroundWriter(std::filesystem::path path, Report report = {});
    // Carries out the last request first.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // A request: what to do to the file at the path, raising an exception when it fails.
    using Job = std::function<void(const std::filesystem::path& path)>;

    void write(Bytes data);
    void remove();
    void update(Job job);
    // Waits until every request so far has been carried out.
    void flush();

private:
    void run();
    // Carries out one request; the error's message when it fails.
    std::optional<std::string> carryOut(const Job& request);

    std::filesystem::path path_;
    Report report_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::optional<Job> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tarn
