// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/this_process.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <filesystem>

#include "common/utf8_path.h"
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <string>
#endif

namespace tarn {

#ifdef _WIN32

unsigned long currentProcessId() {
    return ::GetCurrentProcessId();
}

std::string currentHostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(name, &size)) {
        return {};
    }
    return pathToUtf8(std::filesystem::path(std::wstring(name, size)));
}

bool processRuns(unsigned long pid) {
    if (pid == 0) {
        return false;
    }
    if (pid == ::GetCurrentProcessId()) {
        return true;
    }
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        // No such process gives ERROR_INVALID_PARAMETER; being refused means one runs.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    // A handle may outlive its process while others hold it open: the exit code tells.
    DWORD code = 0;
    const bool runs = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return runs;
}

#else

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

#endif

}  // namespace tarn
