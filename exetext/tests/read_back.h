// SPDX-License-Identifier: GPL-3.0-or-later
// What a written executable holds, read the plain way: a text's pointer, and every text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "exetext/exe_profile.h"
#include "exetext/string_table_reader.h"

namespace tarn {

inline std::uint32_t pointerOf(const Bytes& file, const ExeProfile& profile, int text) {
    int n = 1;
    for (const PointerBlock& block : profile.pointerBlocks) {
        for (int k = 0; k < block.pointerCount(); ++k, ++n) {
            if (n == text) {
                return readU32LE(file.data() + block.first + 4 * k);
            }
        }
    }
    return 0;
}

inline std::vector<std::string> readBack(const Bytes& file, int profile) {
    std::vector<std::string> column;
    std::vector<int> notFound;
    const ExeProfile& p = profileByNumber(profile);
    EXPECT_TRUE(
        readStringTable(file, column, p.pointerBlocks, p.textAreas, Notation::Raw, notFound));
    return column;
}

}  // namespace tarn
