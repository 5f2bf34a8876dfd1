// SPDX-License-Identifier: GPL-3.0-or-later
// A run of the program killed in the middle of its writes, as a power cut or a closed console
// would end it.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <functional>

#include "common/file_io.h"

namespace tarn {

// Runs run in a child process that is killed (SIGKILL) before the rename of its write number
// writes (0 the first), each write's temporary file named; answers whether the child ended on
// its own, having made fewer writes.
inline bool runKilledBeforeRename(std::size_t writes, const std::function<int()>& run) {
    const pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        WriteFault fault;
        fault.noUnnamedFile = true;
        fault.signalBeforeRename = SIGKILL;
        fault.writesBeforeSignal = writes;
        setWriteFaultForTesting(fault);
        ::_exit(run());
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status);
}

}  // namespace tarn
#endif
