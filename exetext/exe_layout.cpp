#include "exetext/exe_layout.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/partial_file.h"

namespace tarn {

namespace {

// The bytes read for a file's headers: they end within its first page in every build.
constexpr std::uint64_t kHeadersRead = 64u << 10;

}  // namespace

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
    const auto bytesAt = [&file, size](std::uint64_t offset, std::uint64_t length) {
        length = offset < size ? std::min(length, size - offset) : 0;
        if (length == 0) {
            return Bytes();
        }
        file.prefetch({{offset, length}});
        const std::span<const std::uint8_t> bytes = file.from(offset);
        return Bytes(bytes.begin(),
                     bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::uint64_t>(
                                         length, bytes.size())));
    };
    return grownLayout(
        findAddedSection(bytesAt(0, kHeadersRead), size, [&bytesAt](std::uint64_t offset) {
            return bytesAt(offset, kAddedSectionRecordSize);
        }));
}

std::optional<ExeLayout> exeLayoutOfFile(const std::filesystem::path& path) {
    PartialFile file(path);
    return exeLayoutOfFile(file);
}

}  // namespace tarn
