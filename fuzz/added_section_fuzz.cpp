// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: findAddedSection and withoutAddedSection never crash nor read outside the file,
// whatever its headers say (GrowRefused, or an area inside the file); and a build-sized file
// whose headers are the fuzzed bytes either is refused by withAddedSection with a reason or
// grows into a file whose added section is found, holds the asked text bytes, and shrinks back
// to the same file byte for byte; the edit that resizes its section gives what growing the
// original to that size gives.
//
// Input: byte 0 picks the build (1..4), bytes 1-2 the text bytes to add (little-endian), the
// rest is the start of the file (its headers); the whole input is also read as a file itself.
#include <algorithm>

#include "exetext/added_section.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

namespace {

constexpr std::size_t kPrefixSize = 3;
constexpr std::size_t kMaxHeaderBytes = 0x2000;

void checkFound(const Bytes& file) {
    const std::optional<AddedSection> found = findAddedSection(file);
    if (found) {
        FUZZ_CHECK(found->area.first >= 0);
        FUZZ_CHECK(found->area.last + 1 >= found->area.first);
        FUZZ_CHECK(static_cast<std::size_t>(found->area.last + 1) <= file.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes input(data, data + size);
    checkFound(input);
    try {
        const Bytes restored = withoutAddedSection(input);
        FUZZ_CHECK(!findAddedSection(restored));
    } catch (const GrowRefused&) {
    }
    if (size < kPrefixSize) {
        return 0;
    }

    const int profile = data[0] % kProfileCount + 1;
    const std::size_t textBytes = data[1] | data[2] << 8;
    Bytes image(static_cast<std::size_t>(profileByNumber(profile).fileSize), 0);
    std::copy(data + kPrefixSize,
              data + kPrefixSize + std::min(size - kPrefixSize, kMaxHeaderBytes), image.begin());
    Bytes grown;
    try {
        grown = withAddedSection(image, profile, textBytes);
    } catch (const GrowRefused&) {
        return 0;
    }
    checkFound(grown);
    const std::optional<AddedSection> found = findAddedSection(grown);
    FUZZ_CHECK(found);
    FUZZ_CHECK(found->record.profile == profile);
    FUZZ_CHECK(static_cast<std::size_t>(found->area.last - found->area.first + 1) == textBytes);
    FUZZ_CHECK(withoutAddedSection(grown) == image);

    const std::size_t otherBytes = textBytes / 2 + 1;
    MemoryBytes file(grown);
    const SectionEdit edit = textSectionEdit(file, profile, otherBytes);
    applyFileReshape(grown, edit.reshape);
    applyFileRanges(grown, edit.ranges);
    FUZZ_CHECK(grown == withAddedSection(image, profile, otherBytes));
    return 0;
}
