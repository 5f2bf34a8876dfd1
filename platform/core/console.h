// SPDX-License-Identifier: GPL-3.0-or-later
// Console text of the end-user program: UTF-8 everywhere, lines ending with LF, on Windows
// with CR LF. A Windows console gets it as wide characters (prepareConsole), so that every
// letter shows whatever the console's code page; a pipe or a file gets the UTF-8 bytes. A bare
// carriage return (the progress line) is written as it is everywhere.
#pragma once

#include <string>
#include <string_view>

namespace tarn::platform {

// The native line end of the console.
std::string_view consoleLineEnd();

// Converts UTF-16 text to UTF-8; each LF becomes the native line end.
std::string toConsoleText(std::u16string_view text);

// The program's own narrow text (error messages with paths and the system's reasons, all
// UTF-8) as console text: the native line ends.
std::string nativeToConsoleText(std::string_view text);

// Makes std::cout and std::cerr carry the program's UTF-8 text unchanged to files and pipes
// (LF line ends on every system) and show it right in a Windows console, where it is written
// as wide characters whatever the console's code page. Nothing changes elsewhere.
void prepareUtf8Output();

// A windowed program (TarnEdit.exe) started from a console has none of its own: before it
// prints its --version or --help, this attaches it to the console it was started from, unless
// its output goes to a file or a pipe, and prepares the output as prepareUtf8Output does.
// Nothing happens outside Windows.
void useParentConsole();

// Whether the program's console window is its own, as when it was started by a double click
// and the window closes with it: no other program shares it. Always false outside Windows.
bool consoleIsOwn();

// Puts standard output into the mode the functions above assume: on Windows binary, so that
// line ends are written exactly once, and to a console through its wide-character output.
void prepareConsole();

}  // namespace tarn::platform
