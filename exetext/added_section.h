// SPDX-License-Identifier: GPL-3.0-or-later
// A section appended to a build's executable for the texts that do not fit into its four text
// areas. It is the file's last section, both in the section table and in memory, readable and
// writable initialised data, and it begins with a record of what the file was before it grew,
// so that the file can be restored byte for byte. An overlay (bytes after the last section's
// raw data) moves behind the new section unchanged.
//
// Record (all words 32-bit little-endian), then the text bytes:
//   0  signature "TarnAddedTexts\0\0"     16  version        20  profile (1..4)
//   24 original file size                  28  overlay offset (== original size when none)
//   32 original NumberOfSections           36  original SizeOfImage
//   40 original SizeOfInitializedData      44  reserved, zero
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "common/byte_source.h"
#include "common/bytes.h"
#include "common/file_io.h"
#include "exetext/exe_profile.h"

namespace tarn {

inline constexpr std::uint32_t kAddedSectionVersion = 1;
inline constexpr std::string_view kAddedSectionSignature{"TarnAddedTexts\0\0", 16};
inline constexpr std::size_t kAddedSectionRecordSize = 48;
inline constexpr std::string_view kAddedSectionName{".tarntx\0", 8};

// The record at the start of the added section.
struct AddedSectionRecord {
    std::uint32_t version;  // kAddedSectionVersion
    int profile;            // build 1..4
    std::uint32_t originalFileSize;
    std::uint32_t overlayOffset;  // where the overlay began (== originalFileSize when none)
    std::uint16_t originalSectionCount;
    std::uint32_t originalSizeOfImage;
    std::uint32_t originalSizeOfInitializedData;

    bool operator==(const AddedSectionRecord&) const = default;
};

struct AddedSection {
    AddedSectionRecord record;
    // The section's text bytes after the record, as file offsets; delta = image base + the
    // section's address - its raw data offset. Empty (last = first - 1) when it has none.
    TextArea area;
};

// Why a file cannot grow or shrink back; what() is a sentence for the user.
struct GrowRefused : std::runtime_error {
    using runtime_error::runtime_error;
};

// The added section of image, when its last section (in the section table and in memory)
// begins with a valid record: signature, version, and a profile 1..4 whose file size is the
// recorded original size. nullopt otherwise. Never reads outside image.
std::optional<AddedSection> findAddedSection(const Bytes& image);

// The same for a file read by parts: only its headers and the record are read.
std::optional<AddedSection> findAddedSection(ByteSource& file);

// What makes a file of build profile, with or without an added section, that build's file with
// a section whose text area holds textBytes zero bytes, or without one (nullopt): its new size,
// the overlay's move, and the headers, record and section bytes written over it. Only the headers
// and a few small parts of the file are read. Raises GrowRefused with the reason when that cannot
// be done, std::invalid_argument for a profile not 1..4.
struct SectionEdit {
    FileReshape reshape;
    FileRanges ranges;
    std::optional<TextArea> area;  // the added section's text area, when the file gets one
};
SectionEdit textSectionEdit(ByteSource& file, int profile, std::optional<std::size_t> textBytes);

// image, a file of build profile without an added section, with one added whose text area
// holds at least textBytes zero bytes for the caller to place texts in. Raises GrowRefused
// with the reason when that cannot be done, std::invalid_argument for a profile not 1..4.
Bytes withAddedSection(Bytes image, int profile, std::size_t textBytes);

// A grown image as it was before withAddedSection: its size, NumberOfSections, SizeOfImage,
// SizeOfInitializedData, the overlay back in place and the section table slot zero again.
// Raises GrowRefused when there is no added section, when it is no longer the last one, or
// when the file no longer matches its record.
Bytes withoutAddedSection(Bytes image);

}  // namespace tarn
