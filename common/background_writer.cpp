// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/background_writer.h"

#include <exception>
#include <system_error>

#include "common/file_io.h"

namespace tarn {

BackgroundWriter::BackgroundWriter(std::filesystem::path path)
    : path_(std::move(path)), thread_([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundWriter::write(Bytes data) {
    {
        std::lock_guard lock(mutex_);
        pending_.emplace(std::move(data));
    }
    wake_.notify_one();
}

void BackgroundWriter::remove() {
    {
        std::lock_guard lock(mutex_);
        pending_.emplace(std::nullopt);
    }
    wake_.notify_one();
}

void BackgroundWriter::flush() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return !pending_ && !busy_; });
}

void BackgroundWriter::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) {
            return;  // stopping with nothing left to do
        }
        std::optional<Bytes> request = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        try {
            if (request) {
                writeFileAtomically(path_, *request);
            } else {
                std::error_code ec;
                std::filesystem::remove(path_, ec);
            }
        } catch (const std::exception&) {
            // Dropped: the next request writes the whole file again.
        }
        lock.lock();
        busy_ = false;
        done_.notify_all();
    }
}

}  // namespace tarn
