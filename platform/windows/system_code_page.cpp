// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/code_page_choice.h"

#include "platform/system_headers.h"

namespace tarn {

int systemAnsiCodePage() {
    return static_cast<int>(::GetACP());
}

}  // namespace tarn
