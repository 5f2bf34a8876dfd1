// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows file code's one way to put a system error into words.
#pragma once

#include <string>

namespace tarn {

// The system's own text for a Windows error code, without its final full stop and line end.
std::string windowsErrorText(unsigned long err);

}  // namespace tarn
