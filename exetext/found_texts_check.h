// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a file of a build's size, or a build grown by a section, really holds that build's
// texts. A file is known by its size alone, so another file of the same size would be taken for
// the game; before texts are written into a file, most of its pointers must lead into its text
// areas, else the write would overwrite whatever the file really is.
#pragma once

#include <filesystem>

#include "common/byte_source.h"
#include "exetext/exe_layout.h"

namespace tarn {

// The least share of a file's texts that must be found for texts to be written into it.
inline constexpr int kLeastFoundPercent = 90;

struct FoundTexts {
    int found = 0;  // pointers leading into a text area (the added one included)
    int total = 0;
};

// Counts the file's pointers that lead into its text areas. Raises StreamReadError when a pointer
// block lies outside the file.
FoundTexts countFoundTexts(ByteSource& file, const ExeLayout& layout);

// Raises FileError when fewer than kLeastFoundPercent of the file's texts can be found: "PATH: N
// of 3453 texts cannot be found, so this is not a build B (NAME) executable; nothing written".
void refuseUnrecognisedExecutable(const std::filesystem::path& path, ByteSource& file,
                                  const ExeLayout& layout);

}  // namespace tarn
