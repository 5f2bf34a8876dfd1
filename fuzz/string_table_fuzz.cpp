// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: readStringTable never crashes nor reads outside the executable, whatever its pointer
// blocks and text areas hold, including pointers to the last byte and texts without their
// terminator (StreamReadError). The fuzzed bytes are a small executable with its own layout:
// two pointer blocks at its start and four text areas, one partly outside the file and two
// overlapping each other and the pointers. When the read succeeds, the unresolved texts are
// exactly the listed numbers, and the C-style reading is rawToCStyle of the raw one.
#include <string>
#include <vector>

#include "common/errors.h"
#include "exetext/string_table_reader.h"
#include "fuzz/fuzz_check.h"
#include "textcodes/cstyle.h"

using namespace tarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes file(data, data + size);
    const PointerBlockTable blocks = {{
        {0, 15},
        {16, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 23},
        {24, 27},
    }};
    const TextAreaTable areas = {
        {28, 95, 0x00401000},
        {0, 63, 0x00500000},
        {64, 4095, 0x00600000},
        {40, 200, 0x00401010},  // overlaps area 1's addresses: area 1 decides
    };
    std::vector<std::string> raw;
    std::vector<int> rawNotFound;
    bool allFound = false;
    try {
        allFound = readStringTable(file, raw, blocks, areas, Notation::Raw, rawNotFound);
    } catch (const StreamReadError&) {
        return 0;
    }
    FUZZ_CHECK(raw.size() == 7);
    FUZZ_CHECK(allFound == rawNotFound.empty());
    std::size_t notFound = 0;
    for (std::size_t n = 0; n < raw.size(); ++n) {
        if (notFound < rawNotFound.size() && rawNotFound[notFound] == static_cast<int>(n + 1)) {
            FUZZ_CHECK(raw[n] == kNotFoundText);
            ++notFound;
        }
    }
    FUZZ_CHECK(notFound == rawNotFound.size());

    std::vector<std::string> cstyle;
    std::vector<int> cstyleNotFound;
    readStringTable(file, cstyle, blocks, areas, Notation::CStyle, cstyleNotFound);
    FUZZ_CHECK(cstyleNotFound == rawNotFound);
    for (std::size_t n = 0; n < raw.size(); ++n) {
        FUZZ_CHECK(cstyle[n] == rawToCStyle(raw[n]));
    }
    return 0;
}
