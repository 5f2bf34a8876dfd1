// SPDX-License-Identifier: GPL-3.0-or-later
// The checks on the two executable paths the user chose: the original (only ever read) and
// the translated copy (rewritten on save).
#pragma once

#include <filesystem>
#include <string>

namespace tarn {

// Which check failed, with the text and caption of the error box the window shows.
struct ExePathCheck {
    enum class Failure {
        None,
        OriginalMissing,
        OriginalUnknownSize,
        CopyFailed,
        TranslatedReadOnly,
        TranslatedUnknownSize,
    };
    Failure failure = Failure::None;
    std::string text;  // "\n\r" breaks the lines
    std::string caption;

    bool ok() const { return failure == Failure::None; }
};

// Runs the checks in order and stops at the first failure. A missing translated file is
// first created as a copy of the original (never overwriting); the copy stays in place even
// when a later check fails.
ExePathCheck checkExePaths(const std::filesystem::path& originalPath,
                           const std::filesystem::path& translatedPath);

}  // namespace tarn
