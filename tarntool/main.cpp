// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool: batch work on the game's executable texts and object files, without windows.
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/core/arguments.h"
#include "platform/core/console.h"
#include "tarntool/commands.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // A command runs for a moment and reads files of a few megabytes, in many small pieces (a PO
    // file's 3453 messages): the heap grows in large steps, is given back only when 64 MB lie
    // free at its top, and serves large blocks too, which spares the system calls and page
    // faults of growing, trimming and mapping memory again and again.
    ::mallopt(M_TOP_PAD, 16 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
    tarn::platform::prepareUtf8Output();
    const std::vector<std::string> args = tarn::platform::utf8Arguments(argc, argv);
    return tarn::tool::runTarntool({args.begin() + (args.empty() ? 0 : 1), args.end()});
}
