// tarntool exe export-po|import-po and obj export-po|import-po: the texts as gettext PO files
// for translation tools. Each takes the arguments from the command name on and answers the
// exit status: 0 success, 1 the save failed, 2 bad use or bad input (nothing written).
#pragma once

#include "tarntool/commands.h"

namespace tarn::tool {

int exportExePo(const Args& args);  // ORIGINAL TRANSLATED -o FILE.po [--language LL] [--code-page N]
int importExePo(const Args& args);  // TRANSLATED FILE.po [--code-page N] [--primary-id N] ...
int exportObjPo(const Args& args);  // GAME_DIR --source-id S --target-id T -o FILE.po ...
int importObjPo(const Args& args);  // GAME_DIR FILE.po --target-id T [--code-page N] [--normal-rle]

}  // namespace tarn::tool
