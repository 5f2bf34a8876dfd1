// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/stand_in_image.h"

#include <algorithm>
#include <string_view>

#include "embedded/stand_in_game.h"

namespace tarn {

namespace {

constexpr std::uint32_t kImageBase = 0x400000;
constexpr std::uint32_t kAlignment = 0x1000;  // the program is linked with both alignments so
// Initialised data, readable, writable.
constexpr std::uint32_t kGameSectionCharacteristics =
    kSectionInitializedData | kSectionReadable | kSectionWritable;
constexpr std::string_view kGameSectionName = ".gamedat";
// The program's layout record: this marker, then "filled", then the profile's offsets.
constexpr std::string_view kLayoutMarker = "TarnStandInGame1";

void setU32(Bytes& b, std::size_t at, std::uint32_t v) { writeU32LE(b.data() + at, v); }

// The lowest and highest file offsets a profile's structures take, end exclusive.
std::pair<std::uint32_t, std::uint32_t> structureSpan(const ExeProfile& p) {
    std::uint32_t low = UINT32_MAX;
    std::uint32_t high = 0;
    const auto take = [&](std::int64_t first, std::int64_t end) {
        low = std::min(low, static_cast<std::uint32_t>(first));
        high = std::max(high, static_cast<std::uint32_t>(end));
    };
    for (const PointerBlock& b : p.pointerBlocks) take(b.first, b.last + 1);
    for (const TextArea& a : p.textAreas) take(a.first, a.last + 1);
    take(p.fixupSpot(FixupSpot::PointerCopyRun), p.fixupSpot(FixupSpot::PointerCopyRun) + 48);
    take(p.fixupSpot(FixupSpot::TextEndRef1), p.fixupSpot(FixupSpot::TextEndRef1) + 4);
    take(p.fixupSpot(FixupSpot::TextEndRef2), p.fixupSpot(FixupSpot::TextEndRef2) + 4);
    take(p.fixupSpot(FixupSpot::LangIdSpot),
         p.fixupSpot(FixupSpot::LangIdSpot) + kSecondaryLangIdOffset + 1);
    return {low, high};
}

// Fills the program's layout record with the profile's offsets.
void fillLayout(Bytes& image, const ExeProfile& p) {
    const auto found = std::search(image.begin(), image.end(), kLayoutMarker.begin(),
                                   kLayoutMarker.end());
    if (found == image.end()) {
        throw std::logic_error("the stand-in game carries no layout record");
    }
    std::size_t at = static_cast<std::size_t>(found - image.begin()) + kLayoutMarker.size();
    const auto put = [&](std::int64_t v) {
        setU32(image, at, static_cast<std::uint32_t>(v));
        at += 4;
    };
    put(1);
    for (const PointerBlock& b : p.pointerBlocks) {
        put(b.first);
        put(b.last);
    }
    for (const TextArea& a : p.textAreas) {
        put(a.first);
        put(a.last);
        put(a.delta);
    }
    put(p.fixupSpot(FixupSpot::PointerCopyRun));
    put(p.fixupSpot(FixupSpot::TextEndRef1));
    put(p.fixupSpot(FixupSpot::TextEndRef2));
    put(p.fixupSpot(FixupSpot::LangIdSpot));
}

}  // namespace

bool standInAvailable() {
    return embedded::stand_in_game_size > 0;
}

Bytes standInImage(const ExeProfile& profile) {
    if (!standInAvailable()) {
        throw std::logic_error("this build carries no stand-in game");
    }
    Bytes image(embedded::stand_in_game, embedded::stand_in_game + embedded::stand_in_game_size);
    const std::optional<PeHeaders> headers = readPeHeaders(image);
    if (!headers) {
        throw std::logic_error("the stand-in game is not a 32-bit Windows program");
    }
    const PeHeaders& h = *headers;
    const std::size_t opt = h.optionalHeader;
    if (h.imageBase != kImageBase || h.sectionAlignment != kAlignment ||
        h.fileAlignment != kAlignment) {
        throw std::logic_error("the stand-in game is not linked at 0x400000 with 4 KB alignment");
    }
    // The game section follows the program's own sections in memory without a gap, and its
    // file offset equals its address, so the profile's offsets are its addresses - 0x400000.
    std::uint32_t start = static_cast<std::uint32_t>(image.size());
    for (const PeSection& s : h.sections) {
        start = std::max({start, s.virtualAddress + s.virtualSize, s.rawOffset + s.rawSize});
    }
    start = (start + kAlignment - 1) / kAlignment * kAlignment;
    const std::uint32_t fileSize = static_cast<std::uint32_t>(profile.fileSize);
    const std::uint32_t end = fileSize / kAlignment * kAlignment;  // the rest is an overlay
    const auto [low, high] = structureSpan(profile);
    const std::size_t entry = h.sectionTableEnd();
    if (start > low || high > end || entry + kSectionEntrySize > h.sizeOfHeaders) {
        throw std::logic_error("the stand-in game does not fit the build's layout");
    }

    std::fill(image.begin() + static_cast<std::ptrdiff_t>(entry),
              image.begin() + static_cast<std::ptrdiff_t>(entry + kSectionEntrySize), 0);
    std::copy(kGameSectionName.begin(), kGameSectionName.end(),
              image.begin() + static_cast<std::ptrdiff_t>(entry));
    setU32(image, entry + 8, end - start);   // VirtualSize
    setU32(image, entry + 12, start);        // VirtualAddress
    setU32(image, entry + 16, end - start);  // SizeOfRawData
    setU32(image, entry + 20, start);        // PointerToRawData
    setU32(image, entry + 36, kGameSectionCharacteristics);
    writeU16LE(image.data() + h.fileHeader + pe::kNumberOfSections,
               static_cast<std::uint16_t>(h.sections.size() + 1));
    setU32(image, opt + pe::kSizeOfInitializedData, h.sizeOfInitializedData + (end - start));
    setU32(image, opt + pe::kSizeOfImage, end);
    fillLayout(image, profile);
    image.resize(fileSize, 0);
    return image;
}

}  // namespace tarn
