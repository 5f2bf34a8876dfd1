// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/this_process.h"

#include "platform/system_headers.h"

#include <filesystem>

#include "common/utf8_path.h"

namespace tarn {

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

}  // namespace tarn
