// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/memory_stream.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace tarn {
namespace {

TEST(MemoryStream, ReadsLittleEndianValuesAndFailsPastTheEndWithoutMoving) {
    MemoryStream s(Bytes{0x01, 0x02, 0x03, 0x04, 0x05});
    EXPECT_EQ(s.readU32(), 0x04030201u);
    EXPECT_THROW(s.readU16(), StreamReadError);
    EXPECT_EQ(s.position(), 4u);
    EXPECT_EQ(s.readByte(), 0x05);
    EXPECT_THROW(s.readByte(), StreamReadError);
    try {
        s.readByte();
        FAIL();
    } catch (const StreamReadError& e) {
        // The offset of the read that failed, for the caller who names the file.
        EXPECT_EQ(e.offset(), 5u);
        EXPECT_STREQ(e.what(), "unexpected end of data at byte 5");
    }
}

TEST(MemoryStream, WritingPastTheEndGrowsAndZeroFillsTheGap) {
    MemoryStream s;
    s.seek(3);
    s.writeU16(0xABCD);
    EXPECT_EQ(s.data(), (Bytes{0, 0, 0, 0xCD, 0xAB}));
    s.seek(1);
    s.writeByte(7);
    EXPECT_EQ(s.size(), 5u);
    EXPECT_EQ(s.data()[1], 7);
}

TEST(MemoryStream, ReadAfterSeekingPastTheEndFails) {
    MemoryStream s(Bytes{1, 2});
    s.seek(10);
    EXPECT_EQ(s.remaining(), 0u);
    EXPECT_THROW(s.readString(1), StreamReadError);
    EXPECT_EQ(s.readString(0), "");
}

}  // namespace
}  // namespace tarn
