// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/utc_time.h"

namespace tarn::platform {

std::tm utcTime(std::time_t t) {
    std::tm fields{};
#ifdef _WIN32
    ::gmtime_s(&fields, &t);
#else
    ::gmtime_r(&t, &fields);
#endif
    return fields;
}

}  // namespace tarn::platform
