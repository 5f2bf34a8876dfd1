#include "exetext/exe_layout.h"

#include "common/file_io.h"

namespace tarn {

ExeLayout buildLayout(int profile) {
    return ExeLayout{profile, profileByNumber(profile).textAreas, std::nullopt};
}

std::optional<ExeLayout> exeLayoutOf(const Bytes& image) {
    const int profile = findProfile(static_cast<std::int64_t>(image.size()));
    if (profile != -1) {
        return buildLayout(profile);
    }
    std::optional<AddedSection> added = findAddedSection(image);
    if (!added) {
        return std::nullopt;
    }
    ExeLayout layout = buildLayout(added->record.profile);
    layout.textAreas.push_back(added->area);
    layout.added = std::move(added);
    return layout;
}

std::optional<ExeLayout> exeLayoutOfFile(const std::filesystem::path& path) {
    const std::uintmax_t size = fileSizeOf(path);
    if (const int profile = findProfile(static_cast<std::int64_t>(size)); profile != -1) {
        return buildLayout(profile);
    }
    if (size > kLargestGrownFile) {
        return std::nullopt;
    }
    return exeLayoutOf(readWholeFile(path));
}

}  // namespace tarn
