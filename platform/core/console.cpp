#include "platform/core/console.h"

#include "common/game_code_page.h"
#include "platform/core/unicode_case.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#endif

namespace tarn::platform {

#ifdef _WIN32

std::string_view consoleLineEnd() {
    return "\r\n";
}

std::string toConsoleText(std::u16string_view text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t lf = text.find(u'\n', start);
        const std::u16string_view piece = text.substr(
            start, lf == std::u16string_view::npos ? std::u16string_view::npos : lf - start);
        if (!piece.empty()) {
            const std::wstring wide(piece.begin(), piece.end());
            std::string oem(wide.size() * 4 + 1, '\0');
            const int n =
                ::WideCharToMultiByte(CP_OEMCP, 0, wide.data(), static_cast<int>(wide.size()),
                                      oem.data(), static_cast<int>(oem.size()), nullptr, nullptr);
            oem.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
            out += oem;
        }
        if (lf == std::u16string_view::npos) {
            break;
        }
        out += "\r\n";
        start = lf + 1;
    }
    return out;
}

std::string nativeToConsoleText(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    std::wstring wide(text.size(), L'\0');
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                        wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return toConsoleText(std::u16string(wide.begin(), wide.end()));
}

void prepareConsole() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
}

#else

std::string_view consoleLineEnd() {
    return "\n";
}

std::string toConsoleText(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        appendUtf8(out, nextUtf16(text, i));
    }
    return out;
}

std::string nativeToConsoleText(std::string_view text) {
    return std::string(text);
}

void prepareConsole() {}

#endif

}  // namespace tarn::platform
