// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/pe_image.h"

#include <algorithm>
#include <cstring>

namespace tarn {

namespace {

constexpr std::size_t kLfanewOffset = 0x3C;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::uint16_t kPe32Magic = 0x10B;
// The PE32 optional header up to its data directories.
constexpr std::size_t kOptionalHeaderFixedSize = 96;
constexpr std::size_t kDirectorySize = 8;

}  // namespace

std::optional<PeHeaders> readPeHeaders(const Bytes& image) {
    if (image.size() < kLfanewOffset + 4 || image[0] != 'M' || image[1] != 'Z') {
        return std::nullopt;
    }
    const std::size_t pe = readU32LE(image.data() + kLfanewOffset);
    const std::size_t fileHeader = pe + 4;
    const std::size_t optional = fileHeader + kFileHeaderSize;
    if (pe > image.size() || image.size() - pe < 4 + kFileHeaderSize + kOptionalHeaderFixedSize ||
        std::memcmp(image.data() + pe, "PE\0\0", 4) != 0 ||
        readU16LE(image.data() + optional) != kPe32Magic) {
        return std::nullopt;
    }
    const std::size_t optionalSize = readU16LE(image.data() + fileHeader + 16);
    const std::size_t sectionCount = readU16LE(image.data() + fileHeader + pe::kNumberOfSections);
    const std::size_t sectionTable = optional + optionalSize;
    if (optionalSize < kOptionalHeaderFixedSize ||
        sectionTable + sectionCount * kSectionEntrySize > image.size()) {
        return std::nullopt;
    }
    const auto u32 = [&](std::size_t at) { return readU32LE(image.data() + at); };
    PeHeaders h{fileHeader,
                optional,
                sectionTable,
                u32(optional + 28),
                u32(optional + 32),
                u32(optional + 36),
                u32(optional + pe::kSizeOfImage),
                u32(optional + 60),
                u32(optional + pe::kSizeOfInitializedData),
                {},
                {}};
    const std::size_t directoryCount = std::min<std::size_t>(
        u32(optional + 92), (optionalSize - kOptionalHeaderFixedSize) / kDirectorySize);
    for (std::size_t i = 0; i < directoryCount; ++i) {
        const std::size_t at = optional + kOptionalHeaderFixedSize + i * kDirectorySize;
        h.directories.push_back({u32(at), u32(at + 4)});
    }
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = sectionTable + i * kSectionEntrySize;
        h.sections.push_back({at, u32(at + pe::kSectionVirtualAddress),
                              u32(at + pe::kSectionVirtualSize), u32(at + pe::kSectionRawOffset),
                              u32(at + pe::kSectionRawSize),
                              u32(at + pe::kSectionCharacteristics)});
    }
    return h;
}

std::optional<std::size_t> fileOffsetOf(const PeHeaders& headers, std::size_t fileSize,
                                        std::uint32_t rva, std::uint32_t length) {
    const std::uint64_t end = std::uint64_t{rva} + length;
    // The headers are mapped at relative address 0 as they lie in the file.
    if (rva < headers.sizeOfHeaders) {
        if (end <= headers.sizeOfHeaders && end <= fileSize) {
            return rva;
        }
        return std::nullopt;
    }
    for (const PeSection& s : headers.sections) {
        if (rva >= s.virtualAddress && end - s.virtualAddress <= s.rawSize) {
            const std::uint64_t offset = std::uint64_t{s.rawOffset} + (rva - s.virtualAddress);
            if (offset + length <= fileSize) {
                return static_cast<std::size_t>(offset);
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::vector<PeSection> peSections(const Bytes& image) {
    const std::optional<PeHeaders> headers = readPeHeaders(image);
    if (!headers) {
        throw std::invalid_argument("not a 32-bit Windows program");
    }
    return headers->sections;
}

}  // namespace tarn
