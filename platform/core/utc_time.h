// SPDX-License-Identifier: GPL-3.0-or-later
// Calendar time in UTC, thread-safe on every system (gmtime_r on POSIX, gmtime_s on Windows).
#pragma once

#include <ctime>

namespace tarn::platform {

// The UTC calendar fields of t.
std::tm utcTime(std::time_t t);

}  // namespace tarn::platform
