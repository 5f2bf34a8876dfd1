// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/code_page_choice.h"

namespace tarn {

// Without a Windows ANSI code page the game's own default stands in.
int systemAnsiCodePage() {
    return CodePage::kDefaultNumber;
}

}  // namespace tarn
