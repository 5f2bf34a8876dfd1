// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <iostream>
#include <streambuf>
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
            std::string utf8(wide.size() * 3 + 1, '\0');
            const int n =
                ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
            utf8.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
            out += utf8;
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
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return toConsoleText(std::u16string(wide.begin(), wide.end()));
}

namespace {

// Writes UTF-8 text to a console as wide characters, a line (or a flush) at a time; a character
// split between two writes waits for its remaining bytes.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) {
            pending_.push_back(static_cast<char>(c));
            if (c == '\n') {
                writeOut();
            }
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        pending_.append(s, static_cast<std::size_t>(n));
        writeOut();
        return n;
    }
    int sync() override {
        writeOut();
        return 0;
    }

private:
    void writeOut() {
        std::size_t complete = pending_.size();
        // Back off over an unfinished multi-byte character at the end.
        for (std::size_t back = 1; back <= 3 && back <= pending_.size(); ++back) {
            const auto b = static_cast<unsigned char>(pending_[pending_.size() - back]);
            if ((b & 0xC0) == 0x80) {
                continue;
            }
            const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            if (length > back) {
                complete = pending_.size() - back;
            }
            break;
        }
        if (complete == 0) {
            return;
        }
        std::wstring wide(complete, L'\0');
        const int n = ::MultiByteToWideChar(CP_UTF8, 0, pending_.data(), static_cast<int>(complete),
                                            wide.data(), static_cast<int>(wide.size()));
        DWORD written = 0;
        if (n > 0) {
            ::WriteConsoleW(console_, wide.data(), static_cast<DWORD>(n), &written, nullptr);
        }
        pending_.erase(0, complete);
    }

    HANDLE console_;
    std::string pending_;
};

void prepareStream(std::ostream& stream, FILE* file, DWORD handle) {
    const HANDLE h = ::GetStdHandle(handle);
    DWORD mode = 0;
    if (h != INVALID_HANDLE_VALUE && h != nullptr && ::GetConsoleMode(h, &mode)) {
        // The buffer writes through a handle of its own: the standard one may be closed while
        // the program runs, when a library call lends the standard descriptor to a pipe.
        HANDLE own = nullptr;
        const HANDLE self = ::GetCurrentProcess();
        if (!::DuplicateHandle(self, h, self, &own, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
            own = h;
        }
        // Never freed: the stream may be written until the program's very end.
        stream.rdbuf(new ConsoleBuffer(own));
    } else {
        std::fflush(file);
        ::_setmode(::_fileno(file), _O_BINARY);
    }
}

}  // namespace

void prepareConsole() {
    prepareStream(std::cout, stdout, STD_OUTPUT_HANDLE);
}

void prepareUtf8Output() {
    prepareStream(std::cout, stdout, STD_OUTPUT_HANDLE);
    prepareStream(std::cerr, stderr, STD_ERROR_HANDLE);
}

void useParentConsole() {
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    const DWORD type =
        out == nullptr || out == INVALID_HANDLE_VALUE ? FILE_TYPE_UNKNOWN : ::GetFileType(out);
    // A file or a pipe takes the output as it is; anything else is the console of the parent,
    // whose handles are not this program's until it attaches.
    if (type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console =
            ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE) {
            ::SetStdHandle(STD_OUTPUT_HANDLE, console);
            ::SetStdHandle(STD_ERROR_HANDLE, console);
        }
    }
    prepareUtf8Output();
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

void prepareUtf8Output() {}

void useParentConsole() {}

#endif

bool consoleIsOwn() {
#ifdef _WIN32
    DWORD processes[2] = {};
    return ::GetConsoleProcessList(processes, 2) == 1;
#else
    return false;
#endif
}

}  // namespace tarn::platform
