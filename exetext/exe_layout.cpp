// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/exe_layout.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/partial_file.h"

namespace tarn {

ExeLayout buildLayout(int profile) {
    return ExeLayout{profile, profileByNumber(profile).textAreas, std::nullopt};
}

namespace {

std::optional<ExeLayout> grownLayout(std::optional<AddedSection> added) {
    if (!added) {
        return std::nullopt;
    }
    ExeLayout layout = buildLayout(added->record.profile);
    layout.textAreas.push_back(added->area);
    layout.added = std::move(added);
    return layout;
}

}  // namespace

std::optional<ExeLayout> exeLayoutOf(const Bytes& image) {
    const int profile = findProfile(static_cast<std::int64_t>(image.size()));
    if (profile != -1) {
        return buildLayout(profile);
    }
    return grownLayout(findAddedSection(image));
}

std::optional<ExeLayout> exeLayoutOfFile(PartialFile& file) {
    const std::uint64_t size = file.size();
    if (const int profile = findProfile(static_cast<std::int64_t>(size)); profile != -1) {
        return buildLayout(profile);
    }
    if (size > kLargestGrownFile) {
        return std::nullopt;
    }
    // Only the headers and the last section's record are read.
    return grownLayout(findAddedSection(file));
}

std::optional<ExeLayout> exeLayoutOfFile(const std::filesystem::path& path) {
    PartialFile file(path);
    return exeLayoutOfFile(file);
}

}  // namespace tarn
