// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/background_writer.h"

#include <exception>
#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"

namespace tarn {

BackgroundWriter::BackgroundWriter(std::filesystem::path path, Report report)
    : path_(std::move(path)), report_(std::move(report)), thread_([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundWriter::write(Bytes data) {
    update([data = std::move(data)](const std::filesystem::path& path) {
        writeFileAtomically(path, data);
    });
}

void BackgroundWriter::remove() {
    update([](const std::filesystem::path& path) {
        std::error_code ec;
        if (!std::filesystem::remove(path, ec) && ec) {
            throw FileError("Cannot remove file \"" + pathToUtf8(path) + "\". " + ec.message(),
                            ec.message());
        }
    });
}

void BackgroundWriter::update(Job job) {
    {
        std::lock_guard lock(mutex_);
        pending_.emplace(std::move(job));
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
        const Job request = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        std::optional<std::string> failure = carryOut(request);
        if (failure) {
            // A passing cause (a virus scanner holding the file, a moment without space) often
            // clears at once; a newer request makes this one moot.
            lock.lock();
            const bool superseded = pending_.has_value();
            lock.unlock();
            if (!superseded) {
                failure = carryOut(request);
            }
        }
        if (report_) {
            report_(failure);
        }
        lock.lock();
        busy_ = false;
        done_.notify_all();
    }
}

std::optional<std::string> BackgroundWriter::carryOut(const Job& request) {
    try {
        request(path_);
        return std::nullopt;
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
}

}  // namespace tarn
