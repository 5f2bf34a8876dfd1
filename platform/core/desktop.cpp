// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/desktop.h"

namespace tarn::platform {

bool usesSystemFileDialogs() {
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

}  // namespace tarn::platform
