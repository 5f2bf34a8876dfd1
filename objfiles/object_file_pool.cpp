// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_file_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>
#include <thread>

#include "common/utf8_path.h"
#include "common/whole_file_batch.h"
#include "objfiles/object_folder.h"

namespace tarn {

namespace {

// A file's outcome and whether it is there yet. The worker writes the outcome, then sets ready
// (release) under the pool's mutex, so a waiting caller cannot miss it; the calling thread reads
// the outcome after it sees ready set (acquire).
struct Slot {
    LoadedObjectFile outcome;
    std::atomic<bool> ready{false};
};

// What one loading thread reuses from file to file.
struct Loader {
    WholeFileBatch reader;
    Bytes decoded;
};

LoadedObjectFile decode(const std::filesystem::path& path, WholeFileBatch::File& read,
                        Bytes& decoded) {
    LoadedObjectFile outcome;
    if (read.error) {
        outcome.error = read.error;
        return outcome;
    }
    try {
        outcome.file = readObjectFile(read.bytes(), pathToUtf8(path.filename()), decoded);
        outcome.identity = std::move(read.identity);
    } catch (...) {
        outcome.error = std::current_exception();
    }
    return outcome;
}

}  // namespace

void loadObjectFilesInOrder(const std::vector<std::filesystem::path>& paths,
                            const std::function<void(std::size_t, LoadedObjectFile&)>& take) {
    const std::size_t count = paths.size();
    if (count == 0) {
        return;
    }
    const std::size_t threads =
        std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
    // Files are read a batch at a time; a few batches per thread keep the threads' shares even.
    const std::size_t batch =
        std::clamp<std::size_t>(count / (4 * threads), 1, WholeFileBatch::kMaxFiles);

    const auto slots = std::make_unique<Slot[]>(count);
    std::atomic<std::size_t> next{0};
    // Waiting uses a mutex and condition variable rather than atomic waiting: where the system
    // has no futex, the standard library's atomic wait can miss a notification that comes between
    // its check of the value and its sleep, and the caller would then wait for ever.
    std::mutex mutex;
    std::condition_variable filled;
    // Loads the next batch not yet taken, handing over each file as soon as it is decoded; false
    // when every file is taken.
    const auto loadNext = [&](Loader& loader) {
        const std::size_t first = next.fetch_add(batch, std::memory_order_relaxed);
        if (first >= count) {
            return false;
        }
        const std::size_t n = std::min(batch, count - first);
        loader.reader.read(std::span(paths).subspan(first, n));
        for (std::size_t k = 0; k < n; ++k) {
            Slot& slot = slots[first + k];
            slot.outcome = decode(paths[first + k], loader.reader.file(k), loader.decoded);
            {
                const std::lock_guard lock(mutex);
                slot.ready.store(true, std::memory_order_release);
            }
            filled.notify_one();
        }
        return true;
    };
    // Declared after the slots, so that the threads are stopped and joined before the slots go,
    // also when take raises.
    std::vector<std::jthread> pool;
    pool.reserve(threads - 1);
    for (std::size_t t = 1; t < threads; ++t) {
        pool.emplace_back([&](std::stop_token stop) {
            Loader loader;
            while (!stop.stop_requested() && loadNext(loader)) {
            }
        });
    }
    // The calling thread is one of the pool: it hands over what is ready in order and, rather
    // than wait for the next file in order, loads a batch itself while any is left. Waiting would
    // spin and yield on a core the other threads need.
    Loader loader;
    std::size_t handed = 0;
    while (handed < count) {
        if (slots[handed].ready.load(std::memory_order_acquire)) {
            take(handed, slots[handed].outcome);
            ++handed;
        } else if (!loadNext(loader)) {
            std::unique_lock lock(mutex);
            filled.wait(lock, [&] { return slots[handed].ready.load(std::memory_order_acquire); });
        }
    }
}

}  // namespace tarn
