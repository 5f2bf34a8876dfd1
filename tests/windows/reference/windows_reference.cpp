// SPDX-License-Identifier: GPL-3.0-or-later
// Runs scripts of settings-file and message-formatting operations through the Windows functions
// themselves, so that the differential test can hold our own implementations against them.
//
//   windows_reference.exe FOLDER
//
// Every FOLDER\NAME.script is run against the settings file FOLDER\NAME.ini; what the operations
// answer goes to FOLDER\NAME.out. Scripts and answers are UTF-8, one operation a line, fields
// separated by tabs (see script_format.h):
//
//   get  SECTION KEY DEFAULT       GetPrivateProfileStringW, 2048-character buffer -> "get\tVALUE"
//   set  SECTION KEY VALUE         WritePrivateProfileStringW                      -> "set\t1" or "set\t0"
//   fmt  TEXT INSERT...            FormatMessageW, string source, argument array, width 80
//                                                                     -> "fmt\tTEXT" or "fmt\t!failed"
#include <windows.h>

#include "script_format.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using tarn::reference::escapeField;

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::string run(const std::vector<std::string>& op, const std::wstring& ini) {
    if (op[0] == "get" && op.size() == 4) {
        std::wstring buffer(2048, L'\0');
        const DWORD n = GetPrivateProfileStringW(wide(op[1]).c_str(), wide(op[2]).c_str(),
                                                 wide(op[3]).c_str(), buffer.data(), 2048,
                                                 ini.c_str());
        buffer.resize(n);
        return "get\t" + escapeField(narrow(buffer));
    }
    if (op[0] == "set" && op.size() == 4) {
        const BOOL ok = WritePrivateProfileStringW(wide(op[1]).c_str(), wide(op[2]).c_str(),
                                                   wide(op[3]).c_str(), ini.c_str());
        return ok ? "set\t1" : "set\t0";
    }
    if (op[0] == "fmt" && op.size() >= 2) {
        std::vector<std::wstring> inserts;
        for (std::size_t i = 2; i < op.size(); ++i) {
            inserts.push_back(wide(op[i]));
        }
        std::vector<DWORD_PTR> arguments;
        for (const auto& insert : inserts) {
            arguments.push_back(reinterpret_cast<DWORD_PTR>(insert.c_str()));
        }
        arguments.push_back(0);
        LPWSTR result = nullptr;
        SetLastError(ERROR_SUCCESS);
        const std::wstring text = wide(op[1]);
        const DWORD n = FormatMessageW(
            FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                FORMAT_MESSAGE_ALLOCATE_BUFFER | 80,
            text.c_str(), 0, 0, reinterpret_cast<LPWSTR>(&result), 0,
            reinterpret_cast<va_list*>(arguments.data()));
        if (n == 0) {
            // An empty result is no failure: only the error code tells them apart.
            if (result != nullptr) {
                LocalFree(result);
            }
            return GetLastError() == ERROR_SUCCESS ? "fmt\t" : "fmt\t!failed";
        }
        const std::wstring formatted(result, n);
        LocalFree(result);
        return "fmt\t" + escapeField(narrow(formatted));
    }
    return "bad\t" + escapeField(op[0]);
}

std::string readFile(const std::wstring& path) {
    std::string text;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
            text.append(buffer, n);
        }
        std::fclose(f);
    }
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: windows_reference FOLDER\n", stderr);
        return 2;
    }
    const std::wstring folder = argv[1];
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.script").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 1;
    }
    do {
        std::wstring name = found.cFileName;
        name.resize(name.size() - 7);  // ".script"
        const std::wstring base = folder + L"\\" + name;
        const std::string script = readFile(base + L".script");
        std::string answers;
        for (const std::string& line : tarn::reference::scriptLines(script)) {
            answers += run(tarn::reference::splitLine(line), base + L".ini") + "\n";
        }
        if (FILE* out = _wfopen((base + L".out").c_str(), L"wb")) {
            std::fwrite(answers.data(), 1, answers.size(), out);
            std::fclose(out);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return 0;
}
