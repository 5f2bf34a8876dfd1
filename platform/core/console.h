// SPDX-License-Identifier: GPL-3.0-or-later
// Console text of the end-user program. On Linux the console takes UTF-8 and lines end with
// LF; on Windows it takes the OEM code page and lines end with CR LF. A bare carriage return
// (the progress line) is written as it is everywhere.
#pragma once

#include <string>
#include <string_view>

namespace tarn::platform {

// The native line end of the console.
std::string_view consoleLineEnd();

// Converts UTF-16 text to the console's encoding; each LF becomes the native line end.
std::string toConsoleText(std::u16string_view text);

// Converts the program's own narrow text (error messages with paths and the system's reasons,
// all UTF-8) to the console's encoding: the OEM code page on Windows; elsewhere the console takes
// UTF-8 and the text stays as it is.
std::string nativeToConsoleText(std::string_view text);

// Makes std::cout and std::cerr carry the program's UTF-8 text unchanged to files and pipes
// (LF line ends on every system) and show it right in a Windows console, where it is written
// as wide characters whatever the console's code page. Nothing changes elsewhere.
void prepareUtf8Output();

// Whether the program's console window is its own, as when it was started by a double click
// and the window closes with it: no other program shares it. Always false outside Windows.
bool consoleIsOwn();

// Puts standard input and output into the mode the functions above assume (binary on Windows,
// so that line ends are written exactly once).
void prepareConsole();

}  // namespace tarn::platform
