// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/arguments.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include "common/utf8_path.h"
#endif

namespace tarn::platform {

std::vector<std::string> utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        std::vector<std::string> args;
        for (int i = 0; i < count; ++i) {
            // The path conversion is the UTF-16 to UTF-8 one, lone surrogates included.
            args.push_back(pathToUtf8(std::filesystem::path(wide[i])));
        }
        ::LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace tarn::platform
