// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/temporary_files.h"

#include "platform/system_headers.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>

#include "common/utf8_path.h"

namespace tarn {

namespace {

// Paths the signal handler removes. A slot is claimed, filled, then armed; the handler only
// reads armed slots, and only lock-free atomics and unlink run inside it.
constexpr int kSlots = 16;
struct Slot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> armed{false};
    char path[PATH_MAX]{};
};
Slot gSlots[kSlots];

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction gPrevious[3];

int signalIndex(int sig) {
    for (int i = 0; i < 3; ++i) {
        if (kSignals[i] == sig) {
            return i;
        }
    }
    return -1;
}

void removeRegistered(int sig, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    for (Slot& slot : gSlots) {
        if (slot.armed.load(std::memory_order_acquire)) {
            ::unlink(slot.path);
        }
    }
    const int index = signalIndex(sig);
    const struct sigaction& previous = gPrevious[index < 0 ? 0 : index];
    if (index >= 0 && (previous.sa_flags & SA_SIGINFO) != 0 && previous.sa_sigaction != nullptr) {
        previous.sa_sigaction(sig, info, context);
    } else if (index >= 0 && previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(sig);
    } else {
        // The default action ends the process: restore it and deliver the signal again, so
        // that the parent sees the process killed by this signal.
        ::signal(sig, SIG_DFL);
        ::raise(sig);
    }
    errno = savedErrno;
}

void installHandlers() {
    for (int i = 0; i < 3; ++i) {
        struct sigaction previous {};
        if (::sigaction(kSignals[i], nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
            continue;
        }
        gPrevious[i] = previous;
        struct sigaction ours {};
        ours.sa_sigaction = removeRegistered;
        ours.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&ours.sa_mask);
        ::sigaction(kSignals[i], &ours, nullptr);
    }
}

}  // namespace

TemporaryNameGuard::TemporaryNameGuard(const std::filesystem::path& path) {
    static std::once_flag installed;
    std::call_once(installed, installHandlers);
    const std::string text = pathToUtf8(path);
    if (text.size() >= PATH_MAX) {
        return;
    }
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (gSlots[i].claimed.compare_exchange_strong(expected, true)) {
            std::memcpy(gSlots[i].path, text.c_str(), text.size() + 1);
            gSlots[i].armed.store(true, std::memory_order_release);
            slot_ = i;
            return;
        }
    }
}

TemporaryNameGuard::~TemporaryNameGuard() {
    if (slot_ >= 0) {
        gSlots[slot_].armed.store(false, std::memory_order_release);
        gSlots[slot_].claimed.store(false, std::memory_order_release);
    }
}

}  // namespace tarn
