// SPDX-License-Identifier: GPL-3.0-or-later
// The four known builds of the game executable. A build is recognised by its exact file size
// alone; every file offset the reader and writer need comes from its profile.
//
// Layout of the texts inside an executable:
//   - 14 pointer blocks of 4-byte little-endian addresses, one per text, in text-number order
//     (block 1 gives texts 1.., block 2 the next ones, ..., block 14 text 3453);
//   - 4 text areas holding the zero-terminated texts; an address A lies in area k when
//     First + Delta <= A <= Last + Delta, at file position A - Delta;
//   - 4 fix-up spots: PointerCopyRun (12 addresses repeating texts 2236..2247), TextEndRef1 and
//     TextEndRef2 (the address of the zero ending text 3166's / 3169's own characters), and
//     LangIdSpot (primary object-language ID byte; the secondary one is 9 bytes further on).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "common/bytes.h"

namespace tarn {

inline constexpr int kTextCount = 3453;
inline constexpr int kPointerBlockCount = 14;
inline constexpr int kTextAreaCount = 4;
inline constexpr int kProfileCount = 4;

// Texts whose stored form carries 31 spare zero bytes after their own characters.
inline constexpr int kPaddedText1 = 3166;
inline constexpr int kPaddedText2 = 3169;
inline constexpr int kTextPadding = 31;
// Texts whose addresses PointerCopyRun repeats.
inline constexpr int kPointerCopyFirst = 2236;
inline constexpr int kPointerCopyCount = 12;
inline constexpr std::uint32_t kSecondaryLangIdOffset = 9;

struct PointerBlock {
    std::int32_t first;  // file offsets, both inclusive
    std::int32_t last;
    int pointerCount() const { return (last - first + 1) / 4; }
};

struct TextArea {
    std::int32_t first;  // file offsets, both inclusive
    std::int32_t last;
    std::int32_t delta;  // address = file offset + delta
    bool holdsAddress(std::int64_t address) const {
        return first + static_cast<std::int64_t>(delta) <= address &&
               address <= last + static_cast<std::int64_t>(delta);
    }
};

using PointerBlockTable = std::array<PointerBlock, kPointerBlockCount>;
// The text areas of a file: a build's own kTextAreaCount areas and, in a file that has grown,
// the text area of its added section after them.
using TextAreaTable = std::vector<TextArea>;

enum class FixupSpot { PointerCopyRun = 0, TextEndRef1 = 1, TextEndRef2 = 2, LangIdSpot = 3 };

struct ExeProfile {
    std::int32_t fileSize;
    std::string_view variantName;
    PointerBlockTable pointerBlocks;
    TextAreaTable textAreas;
    std::array<std::int32_t, 4> fixupSpots;  // indexed by FixupSpot

    std::int32_t fixupSpot(FixupSpot spot) const {
        return fixupSpots[static_cast<std::size_t>(spot)];
    }
};

// Profiles 1 to 4 at indices 0 to 3.
extern const std::array<ExeProfile, kProfileCount> kExeProfiles;

// The profile number (1..4) of a file of this size, or -1 when no build has that size.
int findProfile(std::int64_t size);

// Profile 1..4; the number must be valid.
const ExeProfile& profileByNumber(int number);

// The size of the file in bytes; raises FileError when it cannot be opened.
std::uintmax_t exeFileSize(const std::filesystem::path& path);

// The object-language IDs the game prefers (primary) and falls back on (secondary), stored as
// one byte each at LangIdSpot and kSecondaryLangIdOffset bytes further on.
struct LanguageIds {
    std::uint8_t primary = 0;
    std::uint8_t secondary = 0;

    bool operator==(const LanguageIds&) const = default;
};

// Raise StreamReadError / StreamWriteError when the file is too short to hold both bytes.
LanguageIds readLanguageIds(const Bytes& file, const ExeProfile& profile);
void writeLanguageIds(Bytes& file, const ExeProfile& profile, LanguageIds ids);

// The file position of an address: the first area holding it decides. nullopt when
// no area holds it.
std::optional<std::uint32_t> addressToPosition(const TextAreaTable& areas, std::uint32_t address);

}  // namespace tarn
