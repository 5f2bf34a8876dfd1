// SPDX-License-Identifier: GPL-3.0-or-later
// The headers of a 32-bit Windows program (PE32) as far as the stand-in game's layout and the
// added section of texts need them: the file and optional header fields that place sections,
// the data directories and the section table. Every offset is checked against the file, so a
// damaged or truncated file is simply not a PE32 image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "common/bytes.h"

namespace tarn {

inline constexpr std::size_t kSectionEntrySize = 40;
inline constexpr std::uint32_t kSectionInitializedData = 0x00000040;
inline constexpr std::uint32_t kSectionReadable = 0x40000000;
inline constexpr std::uint32_t kSectionWritable = 0x80000000;

// Offsets of the fields that the writers here change, from the start of their header.
namespace pe {
inline constexpr std::size_t kNumberOfSections = 2;       // in the COFF file header
inline constexpr std::size_t kSizeOfInitializedData = 8;  // in the optional header
inline constexpr std::size_t kSizeOfImage = 56;           // in the optional header
inline constexpr std::size_t kSectionVirtualSize = 8;     // in a section table entry
inline constexpr std::size_t kSectionVirtualAddress = 12;
inline constexpr std::size_t kSectionRawSize = 16;
inline constexpr std::size_t kSectionRawOffset = 20;
inline constexpr std::size_t kSectionCharacteristics = 36;
}  // namespace pe

// Data directory indices whose meaning the added section depends on.
inline constexpr std::size_t kCertificateDirectory = 4;  // its address is a file offset
inline constexpr std::size_t kDebugDirectory = 6;

// A section as the loader maps it.
struct PeSection {
    std::size_t headerOffset;  // of its 40-byte entry in the section table
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawOffset;
    std::uint32_t rawSize;
    std::uint32_t characteristics;

    // The end of its raw data in the file, 0 when it has none; 64 bits, so no sum wraps.
    std::uint64_t rawEnd() const { return rawSize == 0 ? 0 : std::uint64_t{rawOffset} + rawSize; }
    // The end of what it takes in memory, before section alignment.
    std::uint64_t virtualEnd() const {
        return std::uint64_t{virtualAddress} + (virtualSize > rawSize ? virtualSize : rawSize);
    }
};

struct DataDirectory {
    std::uint32_t address;  // relative to the image base, or a file offset (certificates)
    std::uint32_t size;
};

struct PeHeaders {
    std::size_t fileHeader;      // COFF file header
    std::size_t optionalHeader;  // PE32 optional header
    std::size_t sectionTable;
    std::uint32_t imageBase;
    std::uint32_t sectionAlignment;
    std::uint32_t fileAlignment;
    std::uint32_t sizeOfImage;
    std::uint32_t sizeOfHeaders;
    std::uint32_t sizeOfInitializedData;
    std::vector<DataDirectory> directories;  // those the optional header has room for
    std::vector<PeSection> sections;         // in section table order

    // The directory at index, {0, 0} when the header has none there.
    DataDirectory directory(std::size_t index) const {
        return index < directories.size() ? directories[index] : DataDirectory{0, 0};
    }
    // The slot just after the last section table entry.
    std::size_t sectionTableEnd() const {
        return sectionTable + sections.size() * kSectionEntrySize;
    }
};

// The headers of image, or nullopt when it is not a PE32 image whose headers and section
// table lie inside it.
std::optional<PeHeaders> readPeHeaders(const Bytes& image);

// The file offset of length bytes at the relative address rva, when they lie in the headers
// or in one section's raw data inside the file; nullopt otherwise.
std::optional<std::size_t> fileOffsetOf(const PeHeaders& headers, std::size_t fileSize,
                                        std::uint32_t rva, std::uint32_t length);

// The sections of a PE32 image; raises std::invalid_argument when image is not one.
std::vector<PeSection> peSections(const Bytes& image);

}  // namespace tarn
