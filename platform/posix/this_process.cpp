// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/this_process.h"

#include "platform/system_headers.h"

#include <cerrno>
#include <climits>
#include <fstream>
#include <string>

namespace tarn {

unsigned long currentProcessId() {
    return static_cast<unsigned long>(::getpid());
}

std::string currentHostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return {};
    }
    return name;
}

bool processRuns(unsigned long pid) {
    if (pid == 0 || pid > static_cast<unsigned long>(INT_MAX)) {
        return false;
    }
    const auto id = static_cast<pid_t>(pid);
    if (id == ::getpid()) {
        return true;
    }
    // EPERM: the process runs under another user.
    if (::kill(id, 0) != 0 && errno == ESRCH) {
        return false;
    }
#ifdef __linux__
    // A zombie has ended; only its parent has not yet collected it. Its state is the letter
    // after the parenthesised name in /proc/PID/stat.
    std::ifstream stat("/proc/" + std::to_string(id) + "/stat");
    std::string line;
    if (std::getline(stat, line)) {
        const auto close = line.rfind(')');
        if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z') {
            return false;
        }
    }
#endif
    return true;
}

}  // namespace tarn
