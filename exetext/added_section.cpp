#include "exetext/added_section.h"

#include <functional>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
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

// Whether s begins with the record's signature, with the whole record inside the file and
// inside the section both on disk and in memory.
bool hasSignature(const Bytes& image, const PeSection& s) {
    return s.rawSize >= kAddedSectionRecordSize && s.virtualSize >= kAddedSectionRecordSize &&
           std::uint64_t{s.rawOffset} + kAddedSectionRecordSize <= image.size() &&
           std::memcmp(image.data() + s.rawOffset, kAddedSectionSignature.data(),
                       kAddedSectionSignature.size()) == 0;
}

bool anySectionHasSignature(const Bytes& image, const PeHeaders& h) {
    return std::any_of(h.sections.begin(), h.sections.end(),
                       [&](const PeSection& s) { return hasSignature(image, s); });
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

std::optional<AddedSectionRecord> readRecord(const Bytes& image, const PeSection& s) {
    return recordAt(image.data() + s.rawOffset);
}

std::uint32_t recordVersion(const Bytes& image, const PeSection& s) {
    return readU32LE(image.data() + s.rawOffset + kVersionAt);
}

void writeRecord(std::uint8_t* at, const AddedSectionRecord& r) {
    std::memcpy(at, kAddedSectionSignature.data(), kAddedSectionSignature.size());
    writeU32LE(at + kVersionAt, r.version);
    writeU32LE(at + kProfileAt, static_cast<std::uint32_t>(r.profile));
    writeU32LE(at + kOriginalFileSizeAt, r.originalFileSize);
    writeU32LE(at + kOverlayOffsetAt, r.overlayOffset);
    writeU32LE(at + kSectionCountAt, r.originalSectionCount);
    writeU32LE(at + kSizeOfImageAt, r.originalSizeOfImage);
    writeU32LE(at + kSizeOfInitializedDataAt, r.originalSizeOfInitializedData);
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
Pointers headersPointInto(const Bytes& image, const PeHeaders& h, std::uint64_t from,
                          std::uint64_t to) {
    const DataDirectory certificates = h.directory(kCertificateDirectory);
    if (overlaps(certificates.address, certificates.size, from, to)) {
        return Pointers::Into;
    }
    const DataDirectory debug = h.directory(kDebugDirectory);
    if (debug.size == 0) {
        return Pointers::None;
    }
    const std::optional<std::size_t> entries =
        fileOffsetOf(h, image.size(), debug.address, debug.size);
    if (!entries) {
        return Pointers::Unreadable;
    }
    for (std::size_t i = 0; i + kDebugEntrySize <= debug.size; i += kDebugEntrySize) {
        const std::uint8_t* entry = image.data() + *entries + i;
        const std::uint32_t offset = readU32LE(entry + kDebugPointerToRawDataAt);
        if (offset != 0 && overlaps(offset, readU32LE(entry + kDebugSizeOfDataAt), from, to)) {
            return Pointers::Into;
        }
    }
    return Pointers::None;
}

// Whether a new section table entry fits right after the last one: zero bytes inside the
// headers, before any section's raw data, and in no data directory (in the headers an
// address is its file offset, and the certificate table's address is one anyway).
bool headerSlotFree(const Bytes& image, const PeHeaders& h) {
    const std::uint64_t slot = h.sectionTableEnd();
    const std::uint64_t slotEnd = slot + kSectionEntrySize;
    std::uint64_t firstRaw = image.size();
    for (const PeSection& s : h.sections) {
        if (s.rawSize != 0) {
            firstRaw = std::min<std::uint64_t>(firstRaw, s.rawOffset);
        }
    }
    if (h.sections.size() >= 0xFFFF || slotEnd > h.sizeOfHeaders || slotEnd > firstRaw ||
        slotEnd > image.size()) {
        return false;
    }
    const auto slotBytes = image.begin() + static_cast<std::ptrdiff_t>(slot);
    if (std::any_of(slotBytes, slotBytes + kSectionEntrySize,
                    [](std::uint8_t b) { return b != 0; })) {
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

void setU32(Bytes& b, std::size_t at, std::uint32_t v) {
    writeU32LE(b.data() + at, v);
}

}  // namespace

std::optional<AddedSection> findAddedSection(const Bytes& head, std::uint64_t fileSize,
                                             const std::function<Bytes(std::uint64_t)>& bytesAt) {
    const std::optional<PeHeaders> h = readPeHeaders(head);
    if (!h || h->sections.empty()) {
        return std::nullopt;
    }
    const PeSection& s = h->sections.back();
    if (s.rawSize < kAddedSectionRecordSize || s.virtualSize < kAddedSectionRecordSize ||
        std::uint64_t{s.rawOffset} + kAddedSectionRecordSize > fileSize || !lastInMemory(*h)) {
        return std::nullopt;
    }
    const Bytes record = bytesAt(s.rawOffset);
    if (record.size() < kAddedSectionRecordSize ||
        std::memcmp(record.data(), kAddedSectionSignature.data(),
                    kAddedSectionSignature.size()) != 0) {
        return std::nullopt;
    }
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
    return findAddedSection(image, image.size(), [&image](std::uint64_t at) {
        return Bytes(image.begin() + static_cast<std::ptrdiff_t>(at),
                     image.begin() + static_cast<std::ptrdiff_t>(at + kAddedSectionRecordSize));
    });
}

Bytes withAddedSection(Bytes image, int profile, std::size_t textBytes) {
    if (profile < 1 || profile > kProfileCount) {
        throw std::invalid_argument("the profile number must be 1 to 4");
    }
    const ExeProfile& p = profileByNumber(profile);
    const std::optional<PeHeaders> headers = readPeHeaders(image);
    if (!headers) {
        throw GrowRefused(kNotPe32);
    }
    const PeHeaders& h = *headers;
    if (anySectionHasSignature(image, h)) {
        throw GrowRefused(kAlreadyGrown);
    }
    if (image.size() != static_cast<std::size_t>(p.fileSize)) {
        throw GrowRefused("The file does not have the size of build " + std::to_string(profile) +
                          " (" + std::to_string(p.fileSize) + " bytes).");
    }
    if (!validAlignments(h)) {
        throw GrowRefused(kBadAlignment);
    }
    const std::uint64_t overlayOffset = rawDataEnd(h, h.sections.size());
    if (overlayOffset > image.size()) {
        throw GrowRefused(kRawPastEnd);
    }
    if (!headerSlotFree(image, h)) {
        throw GrowRefused(kNoHeaderRoom);
    }
    const PeSection* texts = textSection(h, p);
    if (texts == nullptr) {
        throw GrowRefused(kNoTextSection);
    }
    // Data the headers place after the last section would not move with them. Past the end
    // of the file it would come to lie in the new section.
    switch (headersPointInto(image, h, overlayOffset, image.size())) {
        case Pointers::Into:
            throw GrowRefused(kOverlayPointedInto);
        case Pointers::Unreadable:
            throw GrowRefused(kUnreadableDebugDirectory);
        case Pointers::None:
            break;
    }
    if (headersPointInto(image, h, image.size(), UINT64_MAX) == Pointers::Into) {
        throw GrowRefused(kPointsPastEnd);
    }

    if (textBytes > INT32_MAX) {
        throw GrowRefused(kTooLarge);
    }
    std::uint64_t memoryEnd = h.sizeOfHeaders;
    for (const PeSection& s : h.sections) {
        memoryEnd = std::max(memoryEnd, s.virtualEnd());
    }
    const std::uint64_t address = alignUp(memoryEnd, h.sectionAlignment);
    const std::uint64_t rawOffset = alignUp(overlayOffset, h.fileAlignment);
    const std::uint64_t virtualSize = std::uint64_t{kAddedSectionRecordSize} + textBytes;
    const std::uint64_t rawSize = alignUp(virtualSize, h.fileAlignment);
    const std::uint64_t sizeOfImage = alignUp(address + virtualSize, h.sectionAlignment);
    const std::uint64_t overlaySize = image.size() - overlayOffset;
    const std::int64_t delta =
        static_cast<std::int64_t>(h.imageBase + address) - static_cast<std::int64_t>(rawOffset);
    // Text areas hold 32-bit signed offsets and deltas; the image must fit 4 GB of addresses.
    if (h.imageBase + sizeOfImage > std::uint64_t{UINT32_MAX} + 1 ||
        rawOffset + rawSize + overlaySize > INT32_MAX || delta < INT32_MIN || delta > INT32_MAX) {
        throw GrowRefused(kTooLarge);
    }

    // The section goes in before the overlay, in place: only the overlay's bytes move.
    const auto originalSize = static_cast<std::uint32_t>(image.size());
    image.insert(image.begin() + static_cast<std::ptrdiff_t>(overlayOffset),
                 rawOffset + rawSize - overlayOffset, 0);
    writeRecord(image.data() + rawOffset,
                {kAddedSectionVersion, profile, originalSize,
                 static_cast<std::uint32_t>(overlayOffset),
                 static_cast<std::uint16_t>(h.sections.size()), h.sizeOfImage,
                 h.sizeOfInitializedData});
    const std::size_t entry = h.sectionTableEnd();
    std::memcpy(image.data() + entry, kAddedSectionName.data(), kAddedSectionName.size());
    setU32(image, entry + pe::kSectionVirtualSize, static_cast<std::uint32_t>(virtualSize));
    setU32(image, entry + pe::kSectionVirtualAddress, static_cast<std::uint32_t>(address));
    setU32(image, entry + pe::kSectionRawSize, static_cast<std::uint32_t>(rawSize));
    setU32(image, entry + pe::kSectionRawOffset, static_cast<std::uint32_t>(rawOffset));
    setU32(image, entry + pe::kSectionCharacteristics,
           texts->characteristics | kSectionInitializedData | kSectionReadable | kSectionWritable);
    writeU16LE(image.data() + h.fileHeader + pe::kNumberOfSections,
               static_cast<std::uint16_t>(h.sections.size() + 1));
    setU32(image, h.optionalHeader + pe::kSizeOfImage, static_cast<std::uint32_t>(sizeOfImage));
    setU32(image, h.optionalHeader + pe::kSizeOfInitializedData,
           h.sizeOfInitializedData + static_cast<std::uint32_t>(rawSize));
    return image;
}

Bytes withoutAddedSection(Bytes image) {
    const std::optional<PeHeaders> headers = readPeHeaders(image);
    if (!headers) {
        throw GrowRefused(kNotPe32);
    }
    const PeHeaders& h = *headers;
    if (rawDataEnd(h, h.sections.size()) > image.size()) {
        throw GrowRefused(kRawPastEnd);
    }
    if (h.sections.empty() || !hasSignature(image, h.sections.back())) {
        throw GrowRefused(anySectionHasSignature(image, h) ? kNotLast : kNotGrown);
    }
    if (!lastInMemory(h)) {
        throw GrowRefused(kNotLast);
    }
    const PeSection& added = h.sections.back();
    if (recordVersion(image, added) != kAddedSectionVersion) {
        throw GrowRefused(kUnknownVersion);
    }
    const std::optional<AddedSectionRecord> record = readRecord(image, added);
    if (!record || !matchesBuild(*record)) {
        throw GrowRefused(kRecordMismatch);
    }
    const AddedSectionRecord& r = *record;

    // The file must be exactly what withAddedSection made of the recorded original, so that
    // cutting the section out loses nothing: the same sections before it, its raw data after
    // theirs with only zero padding between, then the overlay.
    const std::size_t originalCount = h.sections.size() - 1;
    const std::uint64_t overlayOffset = rawDataEnd(h, originalCount);
    const std::uint64_t addedEnd = added.rawEnd();
    const bool consistent =
        validAlignments(h) && originalCount == r.originalSectionCount &&
        added.headerOffset + kSectionEntrySize <= h.sizeOfHeaders &&
        overlayOffset == r.overlayOffset && r.overlayOffset <= r.originalFileSize &&
        added.rawOffset >= overlayOffset &&
        addedEnd + (r.originalFileSize - r.overlayOffset) == image.size() &&
        h.sizeOfImage ==
            alignUp(std::uint64_t{added.virtualAddress} + added.virtualSize, h.sectionAlignment) &&
        h.sizeOfInitializedData == r.originalSizeOfInitializedData + added.rawSize &&
        std::all_of(image.begin() + static_cast<std::ptrdiff_t>(overlayOffset),
                    image.begin() + static_cast<std::ptrdiff_t>(added.rawOffset),
                    [](std::uint8_t b) { return b == 0; });
    if (!consistent) {
        throw GrowRefused(kInconsistent);
    }
    switch (headersPointInto(image, h, overlayOffset, UINT64_MAX)) {
        case Pointers::Into:
            throw GrowRefused(kDataAfterPointedInto);
        case Pointers::Unreadable:
            throw GrowRefused(kUnreadableDebugDirectory);
        case Pointers::None:
            break;
    }

    // The section is cut out in place: only the overlay's bytes move.
    image.erase(image.begin() + static_cast<std::ptrdiff_t>(overlayOffset),
                image.begin() + static_cast<std::ptrdiff_t>(addedEnd));
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(added.headerOffset),
                kSectionEntrySize, 0);
    writeU16LE(image.data() + h.fileHeader + pe::kNumberOfSections, r.originalSectionCount);
    setU32(image, h.optionalHeader + pe::kSizeOfImage, r.originalSizeOfImage);
    setU32(image, h.optionalHeader + pe::kSizeOfInitializedData,
           r.originalSizeOfInitializedData);
    return image;
}

}  // namespace tarn
