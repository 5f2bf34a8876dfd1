// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/exe_paths.h"

#include "common/file_io.h"
#include "exetext/exe_layout.h"
#include "exetext/exe_profile.h"

namespace tarn {

namespace {

ExePathCheck failed(ExePathCheck::Failure failure, const char* text, const char* caption) {
    return ExePathCheck{failure, text, caption};
}

// A build's size, or a build grown by an added section.
bool hasKnownSize(const std::filesystem::path& path) {
    return exeLayoutOfFile(path).has_value();
}

}  // namespace

ExePathCheck checkExePaths(const std::filesystem::path& originalPath,
                           const std::filesystem::path& translatedPath) {
    using F = ExePathCheck::Failure;
    if (!fileExists(originalPath)) {
        return failed(F::OriginalMissing,
                      "The file you specified for the original executable doesn't exist.\n\r"
                      "Please enter a valid filename.",
                      "Invalid path");
    }
    if (!hasKnownSize(originalPath)) {
        return failed(F::OriginalUnknownSize,
                      "The file you specified for the original executable has an unknown size.\n\r"
                      "If you are sure that it's a Tarn executable, please send it to the author.",
                      "Unknown filesize");
    }
    if (!fileExists(translatedPath) && !copyFileNoOverwrite(originalPath, translatedPath)) {
        return failed(F::CopyFailed,
                      "The file you specified for the translated executable doesn't exist\n\r"
                      "and an error occured while copying the original file.\n\r"
                      "Please enter another path or try to copy the file yourself.",
                      "Error copying file");
    }
    if (isReadOnlyFile(translatedPath)) {
        return failed(F::TranslatedReadOnly,
                      "The file you specified for the translated executable is read-only.\n\r"
                      "Please remove the read-only flag from it or enter another filename.",
                      "Read-only translated file");
    }
    if (!hasKnownSize(translatedPath)) {
        return failed(
            F::TranslatedUnknownSize,
            "The file you specified for the translated executable has an unknown size.\n\r"
            "If you are sure that it's a Tarn executable, please send it to the author.",
            "Unknown filesize");
    }
    return {};
}

}  // namespace tarn
