// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/temporary_files.h"

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#endif

#include "common/this_process.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

constexpr std::string_view kMarker = ".tmp-";
constexpr std::size_t kUniqueLength = 6;
// Room left for the marker, a process id and the unique part within a 255-byte name.
constexpr std::size_t kMaxTargetPart = 200;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isUniqueCharacter(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string temporaryNameFor(std::string_view targetName, unsigned long pid,
                             std::string_view unique) {
    if (targetName.size() > kMaxTargetPart) {
        std::size_t cut = kMaxTargetPart;
        // Never split a UTF-8 sequence: step back over continuation bytes.
        while (cut > 0 && (static_cast<unsigned char>(targetName[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        targetName = targetName.substr(0, cut);
    }
    std::string name = ".";
    name += targetName;
    name += kMarker;
    name += std::to_string(pid);
    name += '-';
    name += unique;
    return name;
}

std::optional<unsigned long> temporaryNameOwner(std::string_view name) {
    if (name.size() < 1 + kMarker.size() + 2 + kUniqueLength || name.front() != '.') {
        return std::nullopt;
    }
    const std::string_view unique = name.substr(name.size() - kUniqueLength);
    for (const char c : unique) {
        if (!isUniqueCharacter(c)) {
            return std::nullopt;
        }
    }
    std::string_view rest = name.substr(0, name.size() - kUniqueLength);
    if (rest.back() != '-') {
        return std::nullopt;
    }
    rest.remove_suffix(1);
    const std::size_t digitsStart = rest.find_last_not_of("0123456789") + 1;
    const std::string_view digits = rest.substr(digitsStart);
    rest = rest.substr(0, digitsStart);
    if (digits.empty() || digits.size() > 10 || digits.front() == '0' ||
        rest.size() <= kMarker.size() || rest.substr(rest.size() - kMarker.size()) != kMarker) {
        return std::nullopt;
    }
    unsigned long pid = 0;
    for (const char c : digits) {
        pid = pid * 10 + static_cast<unsigned long>(c - '0');
    }
    return pid;
}

// On Windows a temporary file still open by its writer cannot be removed either.
void removeAbandonedTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = pathToUtf8(it->path().filename());
        const auto owner = temporaryNameOwner(name);
        if (owner && !processRuns(*owner)) {
            std::error_code ignored;
            if (it->is_regular_file(ignored)) {
                std::filesystem::remove(it->path(), ignored);
            }
        }
    }
}

#ifdef _WIN32

// Windows ends no writer with these signals: nothing to remove on the way out.

TemporaryNameGuard::TemporaryNameGuard(const std::filesystem::path&) {}
TemporaryNameGuard::~TemporaryNameGuard() = default;

#else

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

#endif

}  // namespace tarn
