// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/heap_tuning.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tarn::platform {

void tuneHeapForBatchWork() {
#ifdef __GLIBC__
    // The heap grows in large steps, is given back only when 64 MB lie free at its top, and
    // serves large blocks too, which spares the system calls and page faults of growing,
    // trimming and mapping memory again and again (a PO file's 3453 messages).
    ::mallopt(M_TOP_PAD, 16 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

}  // namespace tarn::platform
