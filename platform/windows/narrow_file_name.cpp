// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/narrow_file_name.h"

#include "platform/system_headers.h"

namespace tarn::platform {

namespace {

// The name in the ANSI code page, when each of its characters has a place there.
std::optional<std::string> ansiName(const std::wstring& wide) {
    const bool utf8 = ::GetACP() == CP_UTF8;  // which takes no flags and reports no loss
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lost = FALSE;
    const int size = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr,
                                        utf8 ? nullptr : &lost);
    if (n <= 0 || lost) {
        return std::nullopt;
    }
    std::string narrow(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, narrow.data(), n, nullptr,
                          utf8 ? nullptr : &lost);
    return lost ? std::nullopt : std::optional<std::string>(narrow);
}

}  // namespace

std::optional<std::string> narrowFileName(const std::filesystem::path& path) {
    if (auto name = ansiName(path.native())) {
        return name;
    }
    std::wstring shortName(32768, L'\0');
    const DWORD n =
        ::GetShortPathNameW(path.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (n > 0 && n < shortName.size()) {
        shortName.resize(n);
        return ansiName(shortName);
    }
    return std::nullopt;
}

}  // namespace tarn::platform
