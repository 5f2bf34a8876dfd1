// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/added_section.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "exetext/pe_image.h"
#include "exetext/sample_executable.h"
#include "exetext/sample_texts.h"
#include "exetext/stand_in_image.h"

namespace tarn {
namespace {

constexpr std::uint32_t kImageBase = 0x400000;
constexpr std::size_t kPe = 0x80;  // e_lfanew of the hand-made images
constexpr std::size_t kOptional = kPe + 24;
constexpr std::size_t kSectionTable = kOptional + 224;

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    writeU32LE(b.data() + at, v);
}
std::uint32_t get32(const Bytes& b, std::size_t at) {
    return readU32LE(b.data() + at);
}
std::uint64_t alignUp(std::uint64_t v, std::uint64_t a) {
    return (v + a - 1) / a * a;
}

// A PE32 image of a build's size unlike the stand-in's: file alignment 0x200 below a section
// alignment of 0x1000, a code section and a data section holding the text areas, whose memory
// runs on past its raw data, and after it the bytes of the last part-unit as an overlay. Every
// byte after the headers is a pattern, so that moved or lost bytes show.
Bytes handMadeBuild(int profile) {
    const auto size = static_cast<std::size_t>(profileByNumber(profile).fileSize);
    Bytes image(size);
    for (std::size_t i = 0x400; i < size; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 1);
    std::fill_n(image.begin(), 0x400, 0);
    image[0] = 'M';
    image[1] = 'Z';
    put32(image, 0x3C, kPe);
    std::copy_n("PE\0\0", 4, image.begin() + kPe);
    writeU16LE(image.data() + kPe + 4, 0x14C);
    writeU16LE(image.data() + kPe + 6, 2);
    writeU16LE(image.data() + kPe + 20, 224);
    writeU16LE(image.data() + kOptional, 0x10B);
    const std::uint32_t dataRaw = static_cast<std::uint32_t>((size - 0x600) / 0x200 * 0x200);
    const std::uint32_t dataMemory = dataRaw + 0x23456;
    put32(image, kOptional + 8, dataRaw);
    put32(image, kOptional + 28, kImageBase);
    put32(image, kOptional + 32, 0x1000);
    put32(image, kOptional + 36, 0x200);
    put32(image, kOptional + 56, static_cast<std::uint32_t>(alignUp(0x2000 + dataMemory, 0x1000)));
    put32(image, kOptional + 60, 0x400);
    put32(image, kOptional + 92, 16);
    const auto section = [&](std::size_t i, const char* name, std::uint32_t va,
                             std::uint32_t memory, std::uint32_t raw, std::uint32_t rawSize,
                             std::uint32_t characteristics) {
        const std::size_t at = kSectionTable + i * kSectionEntrySize;
        std::copy_n(name, 8, image.begin() + static_cast<std::ptrdiff_t>(at));
        put32(image, at + 8, memory);
        put32(image, at + 12, va);
        put32(image, at + 16, rawSize);
        put32(image, at + 20, raw);
        put32(image, at + 36, characteristics);
    };
    section(0, ".text\0\0\0", 0x1000, 0x180, 0x400, 0x200, 0x60000020);
    section(1, ".data\0\0\0", 0x2000, dataMemory, 0x600, dataRaw, 0xC0000040);
    return image;
}

struct Build {
    std::string name;
    int profile;
    Bytes image;
};

// The hand-made builds, and the sample executables of every build where the stand-in game is
// carried (builds 1 and 4 end with an overlay).
const std::vector<Build>& builds() {
    static const std::vector<Build> all = [] {
        std::vector<Build> result;
        for (int p = 1; p <= kProfileCount; ++p) {
            result.push_back({"hand-made build " + std::to_string(p), p, handMadeBuild(p)});
        }
        if (standInAvailable()) {
            for (int p = 1; p <= kProfileCount; ++p) {
                result.push_back({"sample executable " + std::to_string(p), p,
                                  makeSampleExecutable(p, sampleTexts())});
            }
        }
        return result;
    }();
    return all;
}

const Bytes& handMade(int profile) {
    return builds()[static_cast<std::size_t>(profile - 1)].image;
}

std::string refusal(const std::function<Bytes()>& call) {
    try {
        call();
    } catch (const GrowRefused& e) {
        return e.what();
    }
    return "(nothing refused)";
}

// From any state to any other, a section of any size or none: the edit made from the file's
// headers gives the same bytes as adding that section to the original, and taking it away
// restores the original byte for byte.
TEST(AddedSection, EditsBetweenAnyTwoSizesGiveWhatGrowingTheOriginalGives) {
    const std::optional<std::size_t> sizes[] = {std::nullopt, 0u, 0x1FFu - 48, 100000u};
    for (const Build& b : builds()) {
        const auto state = [&](std::optional<std::size_t> textBytes) {
            return textBytes ? withAddedSection(b.image, b.profile, *textBytes) : b.image;
        };
        for (const std::optional<std::size_t> from : sizes) {
            const Bytes before = state(from);
            if (from) {
                EXPECT_TRUE(withoutAddedSection(before) == b.image);
            }
            for (const std::optional<std::size_t> to : sizes) {
                SCOPED_TRACE(b.name + ", " + std::to_string(from.value_or(-1)) + " to " +
                             std::to_string(to.value_or(-1)) + " text bytes");
                MemoryBytes file(before);
                const SectionEdit edit = textSectionEdit(file, b.profile, to);
                Bytes after = before;
                applyFileReshape(after, edit.reshape);
                applyFileRanges(after, edit.ranges);
                EXPECT_TRUE(after == state(to));
                EXPECT_EQ(edit.area.has_value(), to.has_value());
                if (to) {
                    EXPECT_EQ(edit.area->first, findAddedSection(after)->area.first);
                    EXPECT_EQ(edit.area->last, findAddedSection(after)->area.last);
                    EXPECT_EQ(edit.area->delta, findAddedSection(after)->area.delta);
                }
            }
        }
    }
}

// The new section follows every other one in memory and in the file, aligned; the headers
// count it and nothing else changes: the overlay moves behind it unchanged.
TEST(AddedSection, AddsOneAlignedSectionAndMovesTheOverlayBehindIt) {
    constexpr std::size_t kTextBytes = 5000;
    for (const Build& b : builds()) {
        SCOPED_TRACE(b.name);
        const PeHeaders before = *readPeHeaders(b.image);
        const Bytes grown = withAddedSection(b.image, b.profile, kTextBytes);
        const std::optional<PeHeaders> after = readPeHeaders(grown);
        ASSERT_TRUE(after);
        ASSERT_EQ(after->sections.size(), before.sections.size() + 1);
        const PeSection& added = after->sections.back();

        std::uint64_t memoryEnd = 0;
        std::uint64_t rawEnd = 0;
        for (const PeSection& s : before.sections) {
            memoryEnd = std::max(memoryEnd, s.virtualEnd());
            rawEnd = std::max(rawEnd, s.rawEnd());
        }
        EXPECT_EQ(added.virtualAddress, alignUp(memoryEnd, before.sectionAlignment));
        EXPECT_EQ(added.virtualSize, kAddedSectionRecordSize + kTextBytes);
        EXPECT_EQ(added.rawOffset, alignUp(rawEnd, before.fileAlignment));
        EXPECT_EQ(added.rawSize,
                  alignUp(kAddedSectionRecordSize + kTextBytes, before.fileAlignment));
        EXPECT_EQ(std::string(grown.begin() + static_cast<std::ptrdiff_t>(added.headerOffset),
                              grown.begin() + static_cast<std::ptrdiff_t>(added.headerOffset) + 8),
                  std::string(kAddedSectionName));
        // In both kinds of build the last section holds the texts.
        const std::uint32_t textCharacteristics = before.sections.back().characteristics;
        EXPECT_EQ(added.characteristics, textCharacteristics | 0xC0000040);
        EXPECT_EQ(after->sizeOfImage,
                  alignUp(added.virtualAddress + added.virtualSize, before.sectionAlignment));
        EXPECT_EQ(after->sizeOfInitializedData, before.sizeOfInitializedData + added.rawSize);

        const std::size_t overlay = b.image.size() - rawEnd;
        EXPECT_EQ(overlay != 0, b.profile == 1 || b.profile == 4);
        ASSERT_EQ(grown.size(), added.rawOffset + added.rawSize + overlay);
        EXPECT_TRUE(std::equal(b.image.end() - static_cast<std::ptrdiff_t>(overlay), b.image.end(),
                               grown.end() - static_cast<std::ptrdiff_t>(overlay)));
        // Zero padding up to the new raw data, the record, then zero text bytes.
        const auto zero = [&](std::uint64_t from, std::uint64_t to) {
            return std::all_of(grown.begin() + static_cast<std::ptrdiff_t>(from),
                               grown.begin() + static_cast<std::ptrdiff_t>(to),
                               [](std::uint8_t v) { return v == 0; });
        };
        EXPECT_TRUE(zero(rawEnd, added.rawOffset));
        EXPECT_TRUE(std::equal(kAddedSectionSignature.begin(), kAddedSectionSignature.end(),
                               grown.begin() + added.rawOffset));
        EXPECT_TRUE(zero(added.rawOffset + kAddedSectionRecordSize,
                         std::uint64_t{added.rawOffset} + added.rawSize));

        // Every byte before the new raw data is the original's but the four header fields.
        Bytes expected(b.image.begin(), b.image.begin() + static_cast<std::ptrdiff_t>(rawEnd));
        const auto grownHeader = [&](std::size_t at, std::size_t length) {
            std::copy_n(grown.begin() + static_cast<std::ptrdiff_t>(at), length,
                        expected.begin() + static_cast<std::ptrdiff_t>(at));
        };
        grownHeader(added.headerOffset, kSectionEntrySize);
        grownHeader(before.fileHeader + 2, 2);
        grownHeader(before.optionalHeader + 8, 4);
        grownHeader(before.optionalHeader + 56, 4);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), grown.begin()));
    }
}

// The record tells what the file was; the area is the zeroed text bytes after it, and its
// delta maps the addresses the game sees there to those file offsets.
TEST(AddedSection, FindAddedSectionReadsTheRecordAndTheTextArea) {
    constexpr std::size_t kTextBytes = 777;
    for (const Build& b : builds()) {
        SCOPED_TRACE(b.name);
        EXPECT_FALSE(findAddedSection(b.image));
        const PeHeaders before = *readPeHeaders(b.image);
        const Bytes grown = withAddedSection(b.image, b.profile, kTextBytes);
        const std::optional<AddedSection> found = findAddedSection(grown);
        ASSERT_TRUE(found);
        std::uint64_t rawEnd = 0;
        for (const PeSection& s : before.sections)
            rawEnd = std::max(rawEnd, s.rawEnd());
        EXPECT_EQ(found->record,
                  (AddedSectionRecord{kAddedSectionVersion, b.profile,
                                      static_cast<std::uint32_t>(b.image.size()),
                                      static_cast<std::uint32_t>(rawEnd),
                                      static_cast<std::uint16_t>(before.sections.size()),
                                      before.sizeOfImage, before.sizeOfInitializedData}));

        const PeSection added = readPeHeaders(grown)->sections.back();
        const TextArea& area = found->area;
        EXPECT_EQ(area.first, static_cast<std::int32_t>(added.rawOffset + kAddedSectionRecordSize));
        EXPECT_EQ(area.last - area.first + 1, static_cast<std::int32_t>(kTextBytes));
        const std::uint32_t firstAddress =
            kImageBase + added.virtualAddress + static_cast<std::uint32_t>(kAddedSectionRecordSize);
        EXPECT_TRUE(area.holdsAddress(firstAddress));
        EXPECT_FALSE(area.holdsAddress(firstAddress - 1));
        EXPECT_TRUE(area.holdsAddress(firstAddress + kTextBytes - 1));
        EXPECT_FALSE(area.holdsAddress(firstAddress + kTextBytes));
        EXPECT_EQ(firstAddress - area.delta, static_cast<std::uint32_t>(area.first));
        EXPECT_TRUE(std::all_of(grown.begin() + area.first, grown.begin() + area.last + 1,
                                [](std::uint8_t v) { return v == 0; }));
    }
}

// Each way a file can be unfit to grow, or a grown file unfit to shrink back, is refused with
// its own reason.
TEST(AddedSection, RefusesUnfitFilesWithTheReason) {
    // Hand-made build 1, whose overlay is its last 463 bytes, and a place in its data section.
    const std::size_t size = handMade(1).size();
    const std::size_t dataSection = kSectionTable + kSectionEntrySize;
    const std::uint32_t debugAt = 0x10000;  // file offset 0x10000 - 0x2000 + 0x600
    const auto directory = [](Bytes& image, std::size_t index, std::uint32_t address,
                              std::uint32_t length) {
        put32(image, kOptional + 96 + index * 8, address);
        put32(image, kOptional + 96 + index * 8 + 4, length);
    };
    const auto grow = [](const Bytes& image) { return withAddedSection(image, 1, 100); };
    const auto grownOne = [&] { return grow(handMade(1)); };
    const PeSection added = readPeHeaders(grownOne())->sections.back();
    struct Case {
        std::string name;
        std::function<Bytes()> call;
        std::string reason;
    };
    const auto growing = [&](std::function<void(Bytes&)> change) {
        return [=] {
            Bytes image = handMade(1);
            change(image);
            return grow(image);
        };
    };
    const auto shrinking = [&](std::function<void(Bytes&)> change) {
        return [=] {
            Bytes image = grownOne();
            change(image);
            return withoutAddedSection(image);
        };
    };
    const std::vector<Case> cases = {
        {"truncated headers", growing([](Bytes& b) { b.resize(0x100); }),
         "The file is not a 32-bit Windows program (PE32)."},
        {"PE header offset past the end", growing([](Bytes& b) { put32(b, 0x3C, 0xFFFFFFF0); }),
         "The file is not a 32-bit Windows program (PE32)."},
        {"PE32+", growing([](Bytes& b) { writeU16LE(b.data() + kOptional, 0x20B); }),
         "The file is not a 32-bit Windows program (PE32)."},
        {"section table past the end", growing([](Bytes& b) {
             writeU16LE(b.data() + kPe + 20, 0xFFFF);
             b.resize(0x10000);
         }),
         "The file is not a 32-bit Windows program (PE32)."},
        {"another build's size", [] { return withAddedSection(handMade(1), 2, 100); },
         "The file does not have the size of build 2 (6746112 bytes)."},
        {"already grown", [&] { return grow(grownOne()); },
         "The executable already has a section of added texts."},
        {"file alignment zero", growing([](Bytes& b) { put32(b, kOptional + 36, 0); }),
         "The executable's section or file alignment is invalid."},
        {"section alignment not a power of two",
         growing([](Bytes& b) { put32(b, kOptional + 32, 0x1800); }),
         "The executable's section or file alignment is invalid."},
        {"file alignment above section alignment",
         growing([](Bytes& b) { put32(b, kOptional + 36, 0x2000); }),
         "The executable's section or file alignment is invalid."},
        {"raw data past the end",
         growing([&](Bytes& b) { put32(b, dataSection + 16, get32(b, dataSection + 16) + 0x400); }),
         "The executable's sections do not match its size: their data would lie past the end of "
         "the file."},
        {"headers past the end", growing([&](Bytes& b) { put32(b, kOptional + 60, 0x7FFFFFFF); }),
         "The executable's sections do not match its size: their data would lie past the end of "
         "the file."},
        {"header slot not zero",
         growing([](Bytes& b) { b[kSectionTable + 2 * kSectionEntrySize + 39] = 1; }),
         "The executable has no room for another section header."},
        {"header slot past SizeOfHeaders",
         growing([](Bytes& b) { put32(b, kOptional + 60, kSectionTable + 100); }),
         "The executable has no room for another section header."},
        {"header slot holds bound imports", growing([&](Bytes& b) {
             directory(b, 11, kSectionTable + 2 * kSectionEntrySize + 8, 0x20);
         }),
         "The executable has no room for another section header."},
        {"header slot overlaps raw data",
         growing([&](Bytes& b) { put32(b, kSectionTable + 20, kSectionTable + 90); }),
         "The executable has no room for another section header."},
        {"no section holds the texts",
         growing([&](Bytes& b) { put32(b, dataSection + 16, 0x200000); }),
         "No section of the executable holds the build's texts."},
        {"certificates in the overlay",
         growing([&](Bytes& b) { directory(b, 4, static_cast<std::uint32_t>(size - 0x100), 8); }),
         "The executable's overlay holds data that its headers point to (certificate or debug "
         "data)."},
        {"debug data in the overlay", growing([&](Bytes& b) {
             directory(b, 6, debugAt, 2 * 28);
             const std::size_t entries = debugAt - 0x2000 + 0x600;
             std::fill_n(b.begin() + entries, 2 * 28, 0);
             const std::size_t entry = entries + 28;
             put32(b, entry + 16, 0x10);
             put32(b, entry + 24, static_cast<std::uint32_t>(size - 0x10));
         }),
         "The executable's overlay holds data that its headers point to (certificate or debug "
         "data)."},
        {"certificates past the end",
         growing([&](Bytes& b) { directory(b, 4, static_cast<std::uint32_t>(size), 8); }),
         "The executable's headers point to certificate or debug data past the end of the file."},
        {"debug directory outside every section",
         growing([&](Bytes& b) { directory(b, 6, 0x7FFF0000, 28); }),
         "The executable's debug directory lies outside its sections."},
        {"too many text bytes", [] { return withAddedSection(handMade(1), 1, 0x7FFFF000); },
         "The added texts would make the executable larger than a 32-bit program can address."},

        {"not grown", [] { return withoutAddedSection(handMade(1)); },
         "The executable has no section of added texts."},
        {"truncated in the headers", shrinking([](Bytes& b) { b.resize(0x100); }),
         "The file is not a 32-bit Windows program (PE32)."},
        {"truncated in the sections", shrinking([](Bytes& b) { b.resize(0x200000); }),
         "The executable's sections do not match its size: their data would lie past the end of "
         "the file."},
        {"a section added after it", shrinking([&](Bytes& b) {
             const std::size_t next = added.headerOffset + kSectionEntrySize;
             std::copy_n(b.begin() + static_cast<std::ptrdiff_t>(added.headerOffset),
                         kSectionEntrySize, b.begin() + static_cast<std::ptrdiff_t>(next));
             put32(b, next + 12, added.virtualAddress + 0x1000);
             put32(b, next + 20, 0x600);
             writeU16LE(b.data() + kPe + 6, 4);
         }),
         "The section of added texts is no longer the executable's last section: another program "
         "changed the file."},
        {"moved below another section in memory",
         shrinking([&](Bytes& b) { put32(b, added.headerOffset + 12, 0x1000); }),
         "The section of added texts is no longer the executable's last section: another program "
         "changed the file."},
        {"unknown record version", shrinking([&](Bytes& b) { put32(b, added.rawOffset + 16, 2); }),
         "The section of added texts was written in a format this program does not know."},
        {"record of another build", shrinking([&](Bytes& b) { put32(b, added.rawOffset + 20, 2); }),
         "The section of added texts does not belong to a known build of the game."},
        {"record of no build", shrinking([&](Bytes& b) { put32(b, added.rawOffset + 20, 9); }),
         "The section of added texts does not belong to a known build of the game."},
        {"section count changed", shrinking([&](Bytes& b) { put32(b, added.rawOffset + 32, 1); }),
         "The executable's sections or sizes no longer match the record of its added texts: "
         "another program changed the file."},
        {"SizeOfImage changed",
         shrinking([&](Bytes& b) { put32(b, kOptional + 56, get32(b, kOptional + 56) + 0x1000); }),
         "The executable's sections or sizes no longer match the record of its added texts: "
         "another program changed the file."},
        {"SizeOfInitializedData changed",
         shrinking([&](Bytes& b) { put32(b, kOptional + 8, get32(b, kOptional + 8) - 1); }),
         "The executable's sections or sizes no longer match the record of its added texts: "
         "another program changed the file."},
        {"overlay cut short", shrinking([](Bytes& b) { b.pop_back(); }),
         "The executable's sections or sizes no longer match the record of its added texts: "
         "another program changed the file."},
        {"bytes appended", shrinking([](Bytes& b) { b.push_back(0); }),
         "The executable's sections or sizes no longer match the record of its added texts: "
         "another program changed the file."},
        {"certificates appended after it", shrinking([&](Bytes& b) {
             directory(b, 4, static_cast<std::uint32_t>(b.size() - 0x10), 0x10);
         }),
         "The executable's headers point to data after its section of added texts (certificate "
         "or debug data): another program changed the file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(refusal(c.call), c.reason);
    }
}

// Headers that lie, truncated files and bytes of every value: findAddedSection answers nullopt
// or an area inside the file, and never reads outside it (the sanitizer build checks that).
TEST(AddedSection, FindAddedSectionStaysInsideAnyInput) {
    const Bytes grown = withAddedSection(handMade(2), 2, 300);
    const PeSection added = readPeHeaders(grown)->sections.back();
    const auto inside = [](const Bytes& image) {
        const std::optional<AddedSection> found = findAddedSection(image);
        return !found || (found->area.first >= 0 && found->area.last + 1 >= found->area.first &&
                          static_cast<std::size_t>(found->area.last) < image.size());
    };
    // Cut anywhere in the headers, the record or the text area.
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{1}, std::size_t{0x3F}, std::size_t{0x40}, kPe + 4,
          kOptional + 95, kSectionTable + 3 * kSectionEntrySize - 1, std::size_t{added.rawOffset},
          added.rawOffset + kAddedSectionRecordSize - 1, added.rawOffset + kAddedSectionRecordSize,
          added.rawOffset + std::size_t{200}}) {
        SCOPED_TRACE(cut);
        const Bytes part(grown.begin(), grown.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_TRUE(inside(part));
        EXPECT_EQ(findAddedSection(part).has_value(),
                  cut >= added.rawOffset + kAddedSectionRecordSize);
    }
    // Each header byte of the section and the record set to 0xFF.
    Bytes small(grown.begin(), grown.begin() + added.rawOffset + 0x200);
    for (std::size_t at : {added.headerOffset + 8, added.headerOffset + 12, added.headerOffset + 16,
                           added.headerOffset + 20, std::size_t{0x3C}, std::size_t{kPe + 6},
                           std::size_t{kPe + 20}}) {
        for (std::size_t i = at; i < at + 4; ++i) {
            Bytes changed = small;
            changed[i] = 0xFF;
            EXPECT_TRUE(inside(changed)) << i;
        }
    }
    for (const Bytes& garbage : {Bytes(0x1000, 0x00), Bytes(0x1000, 0x4D), Bytes(0x1000, 0xFF)}) {
        EXPECT_TRUE(inside(garbage));
    }
}

}  // namespace
}  // namespace tarn
