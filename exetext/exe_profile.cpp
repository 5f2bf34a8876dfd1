// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/exe_profile.h"

#include "common/errors.h"
#include "common/file_io.h"

namespace tarn {

namespace {

constexpr std::int32_t kDelta = 0x400000;

// Layout A: profiles 1 and 2 ("American v2.01.028").
constexpr PointerBlockTable kBlocksA{{
    {0x5BF2D4, 0x5C10EB},
    {0x5C10F0, 0x5C241F},
    {0x5C2428, 0x5C2447},
    {0x5C244C, 0x5C28AF},
    {0x2C27F1, 0x2C27F4},
    {0x2C280F, 0x2C2812},
    {0x2C26EB, 0x2C26EE},
    {0x2C26E1, 0x2C26E4},
    {0x2C2703, 0x2C2706},
    {0x2C2729, 0x2C272C},
    {0x2C2741, 0x2C2744},
    {0x2C26A1, 0x2C26A4},
    {0x2C26B6, 0x2C26B9},
    {0x2C28B6, 0x2C28B9},
}};
const TextAreaTable kAreasA{
    {0x5AFBA0, 0x5B5F2A, kDelta},
    {0x5B602D, 0x5BC312, kDelta},
    {0x5BC5B1, 0x5BC676, kDelta},
    {0x5BC878, 0x5BF2D3, kDelta},
};
constexpr std::array<std::int32_t, 4> kFixupsA{0x592F88, 0x2AB605, 0x2AB802, 0x2A9E33};

// Layout B: profile 3 ("American Big").
constexpr PointerBlockTable kBlocksB{{
    {0x5BF2D8, 0x5C10EF},
    {0x5C10F4, 0x5C2423},
    {0x5C242C, 0x5C244B},
    {0x5C2450, 0x5C28B3},
    {0x2C2855, 0x2C2858},
    {0x2C2873, 0x2C2876},
    {0x2C274F, 0x2C2752},
    {0x2C2745, 0x2C2748},
    {0x2C2767, 0x2C276A},
    {0x2C278D, 0x2C2790},
    {0x2C27A5, 0x2C27A8},
    {0x2C2705, 0x2C2708},
    {0x2C271A, 0x2C271D},
    {0x2C291A, 0x2C291D},
}};
const TextAreaTable kAreasB{
    {0x5AFBA0, 0x5B5F1C, kDelta},
    {0x5B601F, 0x5BC30A, kDelta},
    {0x5BC5A9, 0x5BC66E, kDelta},
    {0x5BC870, 0x5BF2D7, kDelta},
};
constexpr std::array<std::int32_t, 4> kFixupsB{0x592FE8, 0x2AB5F8, 0x2AB7F6, 0x2A9E27};

// Layout C: profile 4 ("Spanish v2.01.032").
constexpr PointerBlockTable kBlocksC{{
    {0x5C0924, 0x5C273B},
    {0x5C2740, 0x5C3A6F},
    {0x5C3A78, 0x5C3A97},
    {0x5C3A9C, 0x5C3EFF},
    {0x2C2889, 0x2C288C},
    {0x2C28A7, 0x2C28AA},
    {0x2C2783, 0x2C2786},
    {0x2C2779, 0x2C277C},
    {0x2C279B, 0x2C279E},
    {0x2C27C1, 0x2C27C4},
    {0x2C27D9, 0x2C27DC},
    {0x2C2739, 0x2C273C},
    {0x2C274E, 0x2C2751},
    {0x2C294E, 0x2C2951},
}};
const TextAreaTable kAreasC{
    {0x5AFBA0, 0x5B6721, kDelta},
    {0x5B6824, 0x5BD457, kDelta},
    {0x5BD6F6, 0x5BD7CF, kDelta},
    {0x5BD9D1, 0x5C0920, kDelta},
};
constexpr std::array<std::int32_t, 4> kFixupsC{0x592FE8, 0x2AB62D, 0x2AB82A, 0x2A9E5B};

}  // namespace

const std::array<ExeProfile, kProfileCount> kExeProfiles{{
    {6802895, "American v2.01.028", kBlocksA, kAreasA, kFixupsA},
    {6746112, "American v2.01.028", kBlocksA, kAreasA, kFixupsA},
    {17006592, "American Big", kBlocksB, kAreasB, kFixupsB},
    {6868431, "Spanish v2.01.032", kBlocksC, kAreasC, kFixupsC},
}};

int findProfile(std::int64_t size) {
    int found = -1;
    for (int i = 0; i < kProfileCount; ++i) {
        if (kExeProfiles[static_cast<std::size_t>(i)].fileSize == size) {
            found = i + 1;
        }
    }
    return found;
}

const ExeProfile& profileByNumber(int number) {
    return kExeProfiles.at(static_cast<std::size_t>(number - 1));
}

std::uintmax_t exeFileSize(const std::filesystem::path& path) {
    return fileSizeOf(path);
}

std::optional<std::uint32_t> addressToPosition(const TextAreaTable& areas, std::uint32_t address) {
    for (const TextArea& area : areas) {
        if (area.holdsAddress(address)) {
            return static_cast<std::uint32_t>(static_cast<std::int64_t>(address) - area.delta);
        }
    }
    return std::nullopt;
}

namespace {

// The position of the primary language ID, when the file holds both ID bytes.
std::optional<std::size_t> languageIdSpot(const Bytes& file, const ExeProfile& profile) {
    const auto spot = static_cast<std::size_t>(profile.fixupSpot(FixupSpot::LangIdSpot));
    if (spot + kSecondaryLangIdOffset >= file.size()) {
        return std::nullopt;
    }
    return spot;
}

}  // namespace

LanguageIds readLanguageIds(const Bytes& file, const ExeProfile& profile) {
    const auto spot = languageIdSpot(file, profile);
    if (!spot) {
        throw StreamReadError();
    }
    return {file[*spot], file[*spot + kSecondaryLangIdOffset]};
}

void writeLanguageIds(Bytes& file, const ExeProfile& profile, LanguageIds ids) {
    const auto spot = languageIdSpot(file, profile);
    if (!spot) {
        throw StreamWriteError();
    }
    file[*spot] = ids.primary;
    file[*spot + kSecondaryLangIdOffset] = ids.secondary;
}

}  // namespace tarn
