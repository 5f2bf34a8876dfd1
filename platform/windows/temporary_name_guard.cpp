// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/temporary_files.h"

namespace tarn {

// Windows ends no writer with these signals: nothing to remove on the way out.

TemporaryNameGuard::TemporaryNameGuard(const std::filesystem::path&) {}
TemporaryNameGuard::~TemporaryNameGuard() = default;

}  // namespace tarn
