#include "objfiles/object_file_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

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

LoadedObjectFile loadOne(const std::filesystem::path& path, ObjectFileBuffers& buffers) {
    LoadedObjectFile outcome;
    try {
        outcome.file = loadObjectFile(path, buffers, &outcome.identity);
    } catch (...) {
        outcome.error = std::current_exception();
    }
    return outcome;
}

}  // namespace

void loadObjectFilesInOrder(const std::vector<std::filesystem::path>& paths,
                            const std::function<void(std::size_t, LoadedObjectFile&)>& take) {
    const std::size_t count = paths.size();
    const std::size_t threads =
        std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
    if (threads <= 1) {
        ObjectFileBuffers buffers;
        for (std::size_t i = 0; i < count; ++i) {
            LoadedObjectFile outcome = loadOne(paths[i], buffers);
            take(i, outcome);
        }
        return;
    }

    const auto slots = std::make_unique<Slot[]>(count);
    std::atomic<std::size_t> next{0};
    // Waiting uses a mutex and condition variable rather than atomic waiting: where the system
    // has no futex, the standard library's atomic wait can miss a notification that comes between
    // its check of the value and its sleep, and the caller would then wait for ever.
    std::mutex mutex;
    std::condition_variable filled;
    // Loads the next file not yet taken, so a large file delays no other thread; false when
    // every file is taken.
    const auto loadNext = [&](ObjectFileBuffers& buffers) {
        const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
        if (i >= count) {
            return false;
        }
        slots[i].outcome = loadOne(paths[i], buffers);
        {
            const std::lock_guard lock(mutex);
            slots[i].ready.store(true, std::memory_order_release);
        }
        filled.notify_one();
        return true;
    };
    // Declared after the slots, so that the threads are stopped and joined before the slots go,
    // also when take raises.
    std::vector<std::jthread> pool;
    pool.reserve(threads - 1);
    for (std::size_t t = 1; t < threads; ++t) {
        pool.emplace_back([&](std::stop_token stop) {
            ObjectFileBuffers buffers;
            while (!stop.stop_requested() && loadNext(buffers)) {
            }
        });
    }
    // The calling thread is one of the pool: it hands over what is ready in order and, rather
    // than wait for the next file in order, loads a file itself while any is left. Waiting would
    // spin and yield on a core the other threads need.
    ObjectFileBuffers buffers;
    std::size_t handed = 0;
    while (handed < count) {
        if (slots[handed].ready.load(std::memory_order_acquire)) {
            take(handed, slots[handed].outcome);
            ++handed;
        } else if (!loadNext(buffers)) {
            std::unique_lock lock(mutex);
            filled.wait(lock, [&] { return slots[handed].ready.load(std::memory_order_acquire); });
        }
    }
}

}  // namespace tarn
