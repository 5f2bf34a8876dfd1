// SPDX-License-Identifier: GPL-3.0-or-later
// This process, this machine, and whether another process still runs: what the edit lock and
// the temporary-file rule need to tell a live holder from one that crashed.
#pragma once

#include <string>

namespace tarn {

unsigned long currentProcessId();

// The machine's name as UTF-8, empty when the system does not tell it.
std::string currentHostName();

// Whether process pid runs on this machine. A process of another user counts as running; pid 0
// never does.
bool processRuns(unsigned long pid);

}  // namespace tarn
