// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool: batch work on the game's executable texts and object files, without windows.
#include "platform/core/arguments.h"
#include "platform/core/console.h"
#include "platform/core/heap_tuning.h"
#include "tarntool/commands.h"

int main(int argc, char** argv) {
    tarn::platform::tuneHeapForBatchWork();
    tarn::platform::prepareUtf8Output();
    const std::vector<std::string> args = tarn::platform::utf8Arguments(argc, argv);
    return tarn::tool::runTarntool({args.begin() + (args.empty() ? 0 : 1), args.end()});
}
