// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/user_folders.h"

#include <cstdlib>

namespace tarn::platform {

std::optional<std::filesystem::path> userDataFolder() {
#ifdef _WIN32
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    if (appData == nullptr || *appData == L'\0') {
        return std::nullopt;
    }
    return std::filesystem::path(appData) / L"TarnEdit";
#else
    // The variables hold the system's own bytes, as paths do.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return std::filesystem::path(data) / "TarnEdit";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home != '/') {
        return std::nullopt;
    }
    return std::filesystem::path(home) / ".local" / "share" / "TarnEdit";
#endif
}

std::optional<std::filesystem::path> systemDictionaryFolder() {
#ifdef _WIN32
    return std::nullopt;
#else
    return std::filesystem::path("/usr/share/hunspell");
#endif
}

}  // namespace tarn::platform
