// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/added_section.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "exetext/pe_image.h"

namespace tarn {

namespace {

// Offsets of the record's words.
constexpr std::size_t kVersionAt = 16;
constexpr std::size_t kProfileAt = 20;
constexpr std::size_t kOriginalFileSizeAt = 24;
constexpr std::size_t kOverlayOffsetAt = 28;
constexpr std::size_t kSectionCountAt = 32;
constexpr std::size_t kSizeOfImageAt = 36;
constexpr std::size_t kSizeOfInitializedDataAt = 40;

// The bytes read for a file's headers: they end within its first page in every build.
constexpr std::uint64_t kHeadersRead = 64u << 10;

constexpr std::size_t kDebugEntrySize = 28;
constexpr std::size_t kDebugSizeOfDataAt = 16;
constexpr std::size_t kDebugPointerToRawDataAt = 24;

const char* const kNotPe32 = "The file is not a 32-bit Windows program (PE32).";
const char* const kAlreadyGrown = "The executable already has a section of added texts.";
// Alignments must be powers of two, the file's no larger than the sections'.
const char* const kBadAlignment = "The executable's section or file alignment is invalid.";
const char* const kRawPastEnd =
    "The executable's sections do not match its size: their data would lie past the end of the "
    "file.";
const char* const kNoTextSection = "No section of the executable holds the build's texts.";
const char* const kNoHeaderRoom = "The executable has no room for another section header.";
const char* const kOverlayPointedInto =
    "The executable's overlay holds data that its headers point to (certificate or debug data).";
const char* const kPointsPastEnd =
    "The executable's headers point to certificate or debug data past the end of the file.";
const char* const kUnreadableDebugDirectory =
    "The executable's debug directory lies outside its sections.";
const char* const kTooLarge =
    "The added texts would make the executable larger than a 32-bit program can address.";
const char* const kNotGrown = "The executable has no section of added texts.";
const char* const kNotLast =
    "The section of added texts is no longer the executable's last section: another program "
    "changed the file.";
const char* const kUnknownVersion =
    "The section of added texts was written in a format this program does not know.";
const char* const kRecordMismatch =
    "The section of added texts does not belong to a known build of the game.";
const char* const kInconsistent =
    "The executable's sections or sizes no longer match the record of its added texts: another "
    "program changed the file.";
const char* const kDataAfterPointedInto =
    "The executable's headers point to data after its section of added texts (certificate or "
    "debug data): another program changed the file.";

std::uint64_t alignUp(std::uint64_t value, std::uint32_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

bool powerOfTwo(std::uint32_t v) {
    return v != 0 && (v & (v - 1)) == 0;
}

bool validAlignments(const PeHeaders& h) {
    return powerOfTwo(h.fileAlignment) && powerOfTwo(h.sectionAlignment) &&
           h.fileAlignment <= h.sectionAlignment;
}

// The bytes of the file from offset, length of them or fewer where it ends.
Bytes readAt(ByteSource& file, std::uint64_t offset, std::uint64_t length) {
    length = offset < file.size() ? std::min(length, file.size() - offset) : 0;
    Bytes bytes(static_cast<std::size_t>(length));
    bytes.resize(file.read(offset, bytes) ? bytes.size() : 0);
    return bytes;
}

// The headers from the start of the file, or nullopt when it is not a PE32 image whose headers
// and section table lie in its first 64 KB.
std::optional<PeHeaders> headersOf(ByteSource& file) {
    return readPeHeaders(readAt(file, 0, kHeadersRead));
}

// Whether s begins with the record's signature, with the whole record inside the file and
// inside the section both on disk and in memory.
bool hasSignature(ByteSource& file, const PeSection& s) {
    if (s.rawSize < kAddedSectionRecordSize || s.virtualSize < kAddedSectionRecordSize) {
        return false;
    }
    const Bytes start = readAt(file, s.rawOffset, kAddedSectionRecordSize);
    return start.size() == kAddedSectionRecordSize &&
           std::memcmp(start.data(), kAddedSectionSignature.data(),
                       kAddedSectionSignature.size()) == 0;
}

bool anySectionHasSignature(ByteSource& file, const std::vector<PeSection>& sections) {
    return std::any_of(sections.begin(), sections.end(),
                       [&](const PeSection& s) { return hasSignature(file, s); });
}

// The record of a section that hasSignature; nullopt when its profile or section count
// does not fit the record's fields, which no build's record does.
std::optional<AddedSectionRecord> recordAt(const std::uint8_t* record) {
    const auto word = [&](std::size_t at) { return readU32LE(record + at); };
    const std::uint32_t profile = word(kProfileAt);
    const std::uint32_t count = word(kSectionCountAt);
    if (profile > kProfileCount || count > 0xFFFF) {
        return std::nullopt;
    }
    return AddedSectionRecord{word(kVersionAt),
                              static_cast<int>(profile),
                              word(kOriginalFileSizeAt),
                              word(kOverlayOffsetAt),
                              static_cast<std::uint16_t>(count),
                              word(kSizeOfImageAt),
                              word(kSizeOfInitializedDataAt)};
}

Bytes recordBytes(const AddedSectionRecord& r) {
    Bytes bytes(kAddedSectionRecordSize, 0);
    std::uint8_t* at = bytes.data();
    std::memcpy(at, kAddedSectionSignature.data(), kAddedSectionSignature.size());
    writeU32LE(at + kVersionAt, r.version);
    writeU32LE(at + kProfileAt, static_cast<std::uint32_t>(r.profile));
    writeU32LE(at + kOriginalFileSizeAt, r.originalFileSize);
    writeU32LE(at + kOverlayOffsetAt, r.overlayOffset);
    writeU32LE(at + kSectionCountAt, r.originalSectionCount);
    writeU32LE(at + kSizeOfImageAt, r.originalSizeOfImage);
    writeU32LE(at + kSizeOfInitializedDataAt, r.originalSizeOfInitializedData);
    return bytes;
}

// A record of a build: its profile exists and has the recorded original size.
bool matchesBuild(const AddedSectionRecord& r) {
    return r.profile >= 1 && r.profile <= kProfileCount &&
           static_cast<std::uint32_t>(profileByNumber(r.profile).fileSize) == r.originalFileSize;
}

// Whether the last section lies above every other one in memory.
bool lastInMemory(const PeHeaders& h) {
    const PeSection& last = h.sections.back();
    return std::all_of(h.sections.begin(), h.sections.end() - 1,
                       [&](const PeSection& s) { return s.virtualEnd() <= last.virtualAddress; });
}

// The end of the headers and of the raw data of every section but the first `count`, the
// start of the overlay if the file goes on.
std::uint64_t rawDataEnd(const PeHeaders& h, std::size_t count) {
    std::uint64_t end = h.sizeOfHeaders;
    for (std::size_t i = 0; i < count; ++i) {
        end = std::max(end, h.sections[i].rawEnd());
    }
    return end;
}

bool overlaps(std::uint64_t first, std::uint64_t size, std::uint64_t from, std::uint64_t to) {
    return size != 0 && first < to && from < first + size;
}

enum class Pointers { None, Into, Unreadable };

// Whether the certificate table (whose address is a file offset) or the data of a debug
// directory entry lies in the file range [from, to): data that cannot move without its
// header. A debug directory that cannot be read cannot be checked.
Pointers headersPointInto(ByteSource& file, const PeHeaders& h, std::uint64_t from,
                          std::uint64_t to) {
    const DataDirectory certificates = h.directory(kCertificateDirectory);
    if (overlaps(certificates.address, certificates.size, from, to)) {
        return Pointers::Into;
    }
    const DataDirectory debug = h.directory(kDebugDirectory);
    if (debug.size == 0) {
        return Pointers::None;
    }
    const std::optional<std::size_t> at =
        fileOffsetOf(h, static_cast<std::size_t>(file.size()), debug.address, debug.size);
    if (!at) {
        return Pointers::Unreadable;
    }
    const Bytes entries = readAt(file, *at, debug.size);
    for (std::size_t i = 0; i + kDebugEntrySize <= entries.size(); i += kDebugEntrySize) {
        const std::uint8_t* entry = entries.data() + i;
        const std::uint32_t offset = readU32LE(entry + kDebugPointerToRawDataAt);
        if (offset != 0 && overlaps(offset, readU32LE(entry + kDebugSizeOfDataAt), from, to)) {
            return Pointers::Into;
        }
    }
    return Pointers::None;
}

// Refuses with into when the headers point into the file range [from, to), and when they
// cannot be checked.
void refusePointersInto(ByteSource& file, const PeHeaders& h, std::uint64_t from, std::uint64_t to,
                        const char* into) {
    switch (headersPointInto(file, h, from, to)) {
        case Pointers::Into:
            throw GrowRefused(into);
        case Pointers::Unreadable:
            throw GrowRefused(kUnreadableDebugDirectory);
        case Pointers::None:
            break;
    }
}

// Whether a new section table entry fits right after the last one: inside the headers, before
// any section's raw data, and in no data directory (in the headers an address is its file
// offset, and the certificate table's address is one anyway); where the slot is not the added
// section's own, its bytes must be zero too.
bool headerSlotFree(ByteSource& file, const PeHeaders& h, bool ownSlot) {
    const std::uint64_t slot = h.sectionTableEnd();
    const std::uint64_t slotEnd = slot + kSectionEntrySize;
    std::uint64_t firstRaw = file.size();
    for (const PeSection& s : h.sections) {
        if (s.rawSize != 0) {
            firstRaw = std::min<std::uint64_t>(firstRaw, s.rawOffset);
        }
    }
    if (h.sections.size() >= 0xFFFF || slotEnd > h.sizeOfHeaders || slotEnd > firstRaw ||
        slotEnd > file.size()) {
        return false;
    }
    const Bytes slotBytes = readAt(file, slot, kSectionEntrySize);
    if (!ownSlot &&
        std::any_of(slotBytes.begin(), slotBytes.end(), [](std::uint8_t b) { return b != 0; })) {
        return false;
    }
    return std::none_of(h.directories.begin(), h.directories.end(), [&](const DataDirectory& d) {
        return overlaps(d.address, d.size, slot, slotEnd);
    });
}

// The section whose raw data holds the first byte of the build's first text area.
const PeSection* textSection(const PeHeaders& h, const ExeProfile& p) {
    const std::uint64_t first = static_cast<std::uint32_t>(p.textAreas[0].first);
    for (const PeSection& s : h.sections) {
        if (s.rawSize != 0 && s.rawOffset <= first && first < s.rawEnd()) {
            return &s;
        }
    }
    return nullptr;
}

FileRange u32Range(std::size_t at, std::uint32_t value) {
    FileRange range{at, Bytes(4)};
    writeU32LE(range.data.data(), value);
    return range;
}

FileRange u16Range(std::size_t at, std::uint16_t value) {
    FileRange range{at, Bytes(2)};
    writeU16LE(range.data.data(), value);
    return range;
}

// A build's file as it was before any section was added to it, and where its overlay lies now.
struct Original {
    int profile;
    PeHeaders headers;  // without the added section, its sizes as they were
    std::uint64_t size;
    std::uint64_t overlayOffset;
    std::uint64_t overlayNow;
    bool grown;
};

// The original of a file whose last section is the added one, after every check that the file
// is still what the section was added to, so that taking it out loses nothing.
Original originalOfGrown(ByteSource& file, PeHeaders h) {
    const PeSection added = h.sections.back();
    if (!lastInMemory(h)) {
        throw GrowRefused(kNotLast);
    }
    const Bytes start = readAt(file, added.rawOffset, kAddedSectionRecordSize);
    if (readU32LE(start.data() + kVersionAt) != kAddedSectionVersion) {
        throw GrowRefused(kUnknownVersion);
    }
    const std::optional<AddedSectionRecord> record = recordAt(start.data());
    if (!record || !matchesBuild(*record)) {
        throw GrowRefused(kRecordMismatch);
    }
    const AddedSectionRecord& r = *record;

    // The file must be exactly what adding the section made of the recorded original: the same
    // sections before it, its raw data after theirs with only zero padding between, then the
    // overlay.
    const std::size_t originalCount = h.sections.size() - 1;
    const std::uint64_t overlayOffset = rawDataEnd(h, originalCount);
    const std::uint64_t addedEnd = added.rawEnd();
    const auto zeros = [&](std::uint64_t from, std::uint64_t to) {
        const Bytes bytes = readAt(file, from, to - from);
        return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
    };
    const bool consistent =
        validAlignments(h) && originalCount == r.originalSectionCount &&
        added.headerOffset + kSectionEntrySize <= h.sizeOfHeaders &&
        overlayOffset == r.overlayOffset && r.overlayOffset <= r.originalFileSize &&
        added.rawOffset >= overlayOffset &&
        addedEnd + (r.originalFileSize - r.overlayOffset) == file.size() &&
        h.sizeOfImage ==
            alignUp(std::uint64_t{added.virtualAddress} + added.virtualSize, h.sectionAlignment) &&
        h.sizeOfInitializedData == r.originalSizeOfInitializedData + added.rawSize &&
        zeros(overlayOffset, added.rawOffset);
    if (!consistent) {
        throw GrowRefused(kInconsistent);
    }
    refusePointersInto(file, h, overlayOffset, UINT64_MAX, kDataAfterPointedInto);
    h.sections.pop_back();
    h.sizeOfImage = r.originalSizeOfImage;
    h.sizeOfInitializedData = r.originalSizeOfInitializedData;
    return Original{r.profile, std::move(h), r.originalFileSize, overlayOffset, addedEnd, true};
}

// A build's file without an added section, after the checks that it has the build's size and
// that its overlay may move.
Original originalOfBuild(ByteSource& file, PeHeaders h, int profile) {
    const ExeProfile& p = profileByNumber(profile);
    if (file.size() != static_cast<std::uint64_t>(p.fileSize)) {
        throw GrowRefused("The file does not have the size of build " + std::to_string(profile) +
                          " (" + std::to_string(p.fileSize) + " bytes).");
    }
    if (!validAlignments(h)) {
        throw GrowRefused(kBadAlignment);
    }
    const std::uint64_t overlayOffset = rawDataEnd(h, h.sections.size());
    if (overlayOffset > file.size()) {
        throw GrowRefused(kRawPastEnd);
    }
    return Original{profile, std::move(h), file.size(), overlayOffset, overlayOffset, false};
}

// The original with a section added for textBytes, its overlay behind it.
SectionEdit grownEdit(ByteSource& file, const Original& o, std::size_t textBytes) {
    const PeHeaders& h = o.headers;
    if (!headerSlotFree(file, h, o.grown)) {
        throw GrowRefused(kNoHeaderRoom);
    }
    const PeSection* texts = textSection(h, profileByNumber(o.profile));
    if (texts == nullptr) {
        throw GrowRefused(kNoTextSection);
    }
    if (!o.grown) {
        // Data the headers place after the last section would not move with them. Past the
        // end of the file it would come to lie in the new section. (A grown file was checked
        // for both when its section was added, and again when it was read.)
        refusePointersInto(file, h, o.overlayOffset, o.size, kOverlayPointedInto);
        if (headersPointInto(file, h, o.size, UINT64_MAX) == Pointers::Into) {
            throw GrowRefused(kPointsPastEnd);
        }
    }
    if (textBytes > INT32_MAX) {
        throw GrowRefused(kTooLarge);
    }
    std::uint64_t memoryEnd = h.sizeOfHeaders;
    for (const PeSection& s : h.sections) {
        memoryEnd = std::max(memoryEnd, s.virtualEnd());
    }
    const std::uint64_t address = alignUp(memoryEnd, h.sectionAlignment);
    const std::uint64_t rawOffset = alignUp(o.overlayOffset, h.fileAlignment);
    const std::uint64_t virtualSize = std::uint64_t{kAddedSectionRecordSize} + textBytes;
    const std::uint64_t rawSize = alignUp(virtualSize, h.fileAlignment);
    const std::uint64_t sizeOfImage = alignUp(address + virtualSize, h.sectionAlignment);
    const std::uint64_t overlaySize = o.size - o.overlayOffset;
    const std::int64_t delta =
        static_cast<std::int64_t>(h.imageBase + address) - static_cast<std::int64_t>(rawOffset);
    // Text areas hold 32-bit signed offsets and deltas; the image must fit 4 GB of addresses.
    if (h.imageBase + sizeOfImage > std::uint64_t{UINT32_MAX} + 1 ||
        rawOffset + rawSize + overlaySize > INT32_MAX || delta < INT32_MIN || delta > INT32_MAX) {
        throw GrowRefused(kTooLarge);
    }

    const std::uint64_t overlayTo = rawOffset + rawSize;
    SectionEdit edit;
    edit.reshape.size = overlayTo + overlaySize;
    if (overlaySize != 0 && o.overlayNow != overlayTo) {
        edit.reshape.moves.push_back({o.overlayNow, overlayTo, overlaySize});
    }
    // The section's bytes from the end of the last one's: zero padding, the record, zeros.
    FileRange section{o.overlayOffset,
                      Bytes(static_cast<std::size_t>(overlayTo - o.overlayOffset))};
    const Bytes record = recordBytes(
        {kAddedSectionVersion, o.profile, static_cast<std::uint32_t>(o.size),
         static_cast<std::uint32_t>(o.overlayOffset), static_cast<std::uint16_t>(h.sections.size()),
         h.sizeOfImage, h.sizeOfInitializedData});
    std::copy(record.begin(), record.end(),
              section.data.begin() + static_cast<std::ptrdiff_t>(rawOffset - o.overlayOffset));
    edit.ranges.push_back(std::move(section));
    FileRange entry{h.sectionTableEnd(), Bytes(kSectionEntrySize, 0)};
    std::uint8_t* e = entry.data.data();
    std::memcpy(e, kAddedSectionName.data(), kAddedSectionName.size());
    writeU32LE(e + pe::kSectionVirtualSize, static_cast<std::uint32_t>(virtualSize));
    writeU32LE(e + pe::kSectionVirtualAddress, static_cast<std::uint32_t>(address));
    writeU32LE(e + pe::kSectionRawSize, static_cast<std::uint32_t>(rawSize));
    writeU32LE(e + pe::kSectionRawOffset, static_cast<std::uint32_t>(rawOffset));
    writeU32LE(e + pe::kSectionCharacteristics, texts->characteristics | kSectionInitializedData |
                                                    kSectionReadable | kSectionWritable);
    edit.ranges.push_back(std::move(entry));
    edit.ranges.push_back(u16Range(h.fileHeader + pe::kNumberOfSections,
                                   static_cast<std::uint16_t>(h.sections.size() + 1)));
    edit.ranges.push_back(
        u32Range(h.optionalHeader + pe::kSizeOfImage, static_cast<std::uint32_t>(sizeOfImage)));
    edit.ranges.push_back(u32Range(h.optionalHeader + pe::kSizeOfInitializedData,
                                   h.sizeOfInitializedData + static_cast<std::uint32_t>(rawSize)));
    const auto first = static_cast<std::int32_t>(rawOffset + kAddedSectionRecordSize);
    edit.area = TextArea{first, first + static_cast<std::int32_t>(textBytes) - 1,
                         static_cast<std::int32_t>(delta)};
    return edit;
}

// The original restored: its size, counts and sizes, the overlay back in place and the section
// table slot zero again.
SectionEdit restoredEdit(const Original& o) {
    const PeHeaders& h = o.headers;
    SectionEdit edit;
    edit.reshape.size = o.size;
    if (o.size != o.overlayOffset && o.overlayNow != o.overlayOffset) {
        edit.reshape.moves.push_back({o.overlayNow, o.overlayOffset, o.size - o.overlayOffset});
    }
    edit.ranges.push_back({h.sectionTableEnd(), Bytes(kSectionEntrySize, 0)});
    edit.ranges.push_back(u16Range(h.fileHeader + pe::kNumberOfSections,
                                   static_cast<std::uint16_t>(h.sections.size())));
    edit.ranges.push_back(u32Range(h.optionalHeader + pe::kSizeOfImage, h.sizeOfImage));
    edit.ranges.push_back(
        u32Range(h.optionalHeader + pe::kSizeOfInitializedData, h.sizeOfInitializedData));
    return edit;
}

// The headers of a build's file, grown or not: refused when they are not PE32 or place data past
// the end of the file.
PeHeaders checkedHeaders(ByteSource& file) {
    std::optional<PeHeaders> headers = headersOf(file);
    if (!headers) {
        throw GrowRefused(kNotPe32);
    }
    return std::move(*headers);
}

Bytes applied(Bytes image, const SectionEdit& edit) {
    applyFileReshape(image, edit.reshape);
    applyFileRanges(image, edit.ranges);
    return image;
}

}  // namespace

std::optional<AddedSection> findAddedSection(ByteSource& file) {
    const std::optional<PeHeaders> h = headersOf(file);
    if (!h || h->sections.empty()) {
        return std::nullopt;
    }
    const PeSection& s = h->sections.back();
    const std::uint64_t fileSize = file.size();
    if (!lastInMemory(*h) || !hasSignature(file, s)) {
        return std::nullopt;
    }
    const Bytes record = readAt(file, s.rawOffset, kAddedSectionRecordSize);
    const std::optional<AddedSectionRecord> read = recordAt(record.data());
    if (!read || read->version != kAddedSectionVersion || !matchesBuild(*read)) {
        return std::nullopt;
    }
    // The text bytes are those both in the file and in memory.
    const std::uint64_t first = std::uint64_t{s.rawOffset} + kAddedSectionRecordSize;
    const std::uint64_t end = std::min<std::uint64_t>(
        {std::uint64_t{s.rawOffset} + std::min(s.virtualSize, s.rawSize), fileSize});
    const std::int64_t delta =
        std::int64_t{h->imageBase} + s.virtualAddress - static_cast<std::int64_t>(s.rawOffset);
    if (end > INT32_MAX || delta < INT32_MIN || delta > INT32_MAX) {
        return std::nullopt;
    }
    return AddedSection{*read,
                        {static_cast<std::int32_t>(first), static_cast<std::int32_t>(end) - 1,
                         static_cast<std::int32_t>(delta)}};
}

std::optional<AddedSection> findAddedSection(const Bytes& image) {
    MemoryBytes file(image);
    return findAddedSection(file);
}

namespace {

// textSectionEdit, where profile 0 takes a grown file's build from its record.
SectionEdit sectionEdit(ByteSource& file, int profile, std::optional<std::size_t> textBytes) {
    PeHeaders h = checkedHeaders(file);
    const bool grown = !h.sections.empty() && hasSignature(file, h.sections.back());
    if (grown && rawDataEnd(h, h.sections.size()) > file.size()) {
        throw GrowRefused(kRawPastEnd);
    }
    const std::size_t before = grown ? h.sections.size() - 1 : h.sections.size();
    if (anySectionHasSignature(
            file, {h.sections.begin(), h.sections.begin() + static_cast<std::ptrdiff_t>(before)})) {
        throw GrowRefused(kNotLast);
    }
    const Original original =
        grown ? originalOfGrown(file, std::move(h)) : originalOfBuild(file, std::move(h), profile);
    if (profile != 0 && original.profile != profile) {
        throw GrowRefused(kRecordMismatch);
    }
    if (textBytes) {
        return grownEdit(file, original, *textBytes);
    }
    if (!grown) {
        return SectionEdit{{file.size(), {}}, {}, std::nullopt};
    }
    return restoredEdit(original);
}

}  // namespace

SectionEdit textSectionEdit(ByteSource& file, int profile, std::optional<std::size_t> textBytes) {
    if (profile < 1 || profile > kProfileCount) {
        throw std::invalid_argument("the profile number must be 1 to 4");
    }
    return sectionEdit(file, profile, textBytes);
}

Bytes withAddedSection(Bytes image, int profile, std::size_t textBytes) {
    if (profile < 1 || profile > kProfileCount) {
        throw std::invalid_argument("the profile number must be 1 to 4");
    }
    MemoryBytes file(image);
    const PeHeaders h = checkedHeaders(file);
    if (anySectionHasSignature(file, h.sections)) {
        throw GrowRefused(kAlreadyGrown);
    }
    const SectionEdit edit = textSectionEdit(file, profile, textBytes);
    return applied(std::move(image), edit);
}

Bytes withoutAddedSection(Bytes image) {
    MemoryBytes file(image);
    const PeHeaders h = checkedHeaders(file);
    if (rawDataEnd(h, h.sections.size()) > image.size()) {
        throw GrowRefused(kRawPastEnd);
    }
    if (h.sections.empty() || !hasSignature(file, h.sections.back())) {
        throw GrowRefused(anySectionHasSignature(file, h.sections) ? kNotLast : kNotGrown);
    }
    const SectionEdit edit = sectionEdit(file, 0, std::nullopt);
    return applied(std::move(image), edit);
}

}  // namespace tarn
