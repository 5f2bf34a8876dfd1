// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarn::platform {

// Tunes the C library's heap for a program that runs for a moment and reads files of a few
// megabytes in many small pieces; does nothing where the library offers no such settings.
void tuneHeapForBatchWork();

}  // namespace tarn::platform
