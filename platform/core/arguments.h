// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command-line arguments as UTF-8 text, whatever the system hands main().
#pragma once

#include <string>
#include <vector>

namespace tarn::platform {

// The arguments, the program's name first. On Windows main()'s argv is in the ANSI code page,
// which turns a name such as "Tarn ż" into "Tarn z" before the program sees it, so the
// arguments are read again from the wide command line; elsewhere they are argv as given.
std::vector<std::string> utf8Arguments(int argc, char** argv);

}  // namespace tarn::platform
