// SPDX-License-Identifier: GPL-3.0-or-later
// How a file's texts are laid out: the build it is, known by its size, or a build that has grown
// by a section added for the texts that did not fit (its size is then no build's, and its last
// section carries the record of what it was).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "common/bytes.h"
#include "common/partial_file.h"
#include "exetext/added_section.h"
#include "exetext/exe_profile.h"

namespace tarn {

// Files larger than this are never taken for a grown build.
inline constexpr std::uint64_t kLargestGrownFile = 64u << 20;

struct ExeLayout {
    int profile = -1;           // the build, 1 to 4
    TextAreaTable textAreas;    // the build's areas, then the added section's when it has one
    std::optional<AddedSection> added;

    const ExeProfile& build() const { return profileByNumber(profile); }
};

// The layout of a file of that size whose bytes (at least when the size is no build's) are image:
// nullopt when the size is no build's and the file has no added section.
std::optional<ExeLayout> exeLayoutOf(const Bytes& image);

// The layout of the file at path, reading only its headers and the record of its last section
// when its size is no build's. Raises FileError when it cannot be read.
std::optional<ExeLayout> exeLayoutOfFile(const std::filesystem::path& path);
std::optional<ExeLayout> exeLayoutOfFile(PartialFile& file);

// The layout of a build's file that has no added section.
ExeLayout buildLayout(int profile);

}  // namespace tarn
