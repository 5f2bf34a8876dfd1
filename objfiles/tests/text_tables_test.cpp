// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/text_tables.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "objfiles/sample_objects.h"

namespace tarn {
namespace {

// Decoded data of an object of the given type: prefix bytes, then tables, then tail.
Bytes objectData(unsigned type, const Bytes& tables, const Bytes& tail = {0xAA, 0xBB}) {
    Bytes data = makeObjectLikeBytes(TextTableStart[type], type + 1);
    data.insert(data.end(), tables.begin(), tables.end());
    data.insert(data.end(), tail.begin(), tail.end());
    return data;
}

ObjectFile ofType(unsigned type) {
    ObjectFile object;
    object.flags = 0x70 | type;
    return object;
}

TEST(TextTables, ReadsEntriesEmptyTextsAndFFInsideTextsAndWritesThemBackUnchanged) {
    const Bytes table{0x00, 'A',  'B',  0x00, 0x05, 'C',  0x00,
                      0x07, 0x00, 0x09, 0xFF, 'x',  0x00, 0xFF};
    const Bytes data = objectData(4, table);
    ObjectFile object = ofType(4);
    readTextGroups(data, object);
    ASSERT_EQ(object.texts.size(), 1u);
    EXPECT_EQ(object.texts[0], (ObjectTextGroup{{0, "AB"}, {5, "C"}, {7, ""}, {9, "\xFFx"}}));
    EXPECT_EQ(writeTextGroups(data, object), data);
}

TEST(TextTables, ChangingTheSecondOfThreeTablesMovesOnlyWhatFollowsIt) {
    const Bytes tables{0x00, 'a', 0x00, 0xFF, 0x00, 'b', 'b', 0x00, 0xFF, 0xFF};
    const Bytes data = objectData(0, tables, {1, 2, 3});
    ObjectFile object = ofType(0);
    readTextGroups(data, object);
    ASSERT_EQ(object.texts.size(), 3u);
    EXPECT_TRUE(object.texts[2].empty());
    object.texts[1][0].text = "BBBB";
    object.texts[2].push_back({14, "XY"});
    const Bytes written = writeTextGroups(data, object);
    Bytes expected(data.begin(), data.begin() + 450);
    expected.insert(expected.end(), {0x00, 'a', 0x00, 0xFF, 0x00, 'B', 'B', 'B', 'B', 0x00, 0xFF,
                                     0x0E, 'X', 'Y', 0x00, 0xFF, 1, 2, 3});
    EXPECT_EQ(written, expected);
}

TEST(TextTables, AddingAnEntryAppendsItBeforeTheEndMarker) {
    const Bytes data = objectData(8, {0x00, 'A', 0x00, 0xFF}, {});
    ObjectFile object = ofType(8);
    readTextGroups(data, object);
    object.texts[0].push_back({14, "XY"});
    const Bytes written = writeTextGroups(data, object);
    EXPECT_EQ(Bytes(written.begin() + 8, written.end()),
              (Bytes{0x00, 'A', 0x00, 0x0E, 'X', 'Y', 0x00, 0xFF}));
}

TEST(TextTables, TextsWithAZeroByteAndTheIdOf255AreRefusedNotWrittenIntoTheTable) {
    const Bytes data = objectData(8, {0x00, 'A', 0x00, 0xFF}, {});
    ObjectFile object = ofType(8);
    object.texts = {{{0, "A"}, {7, std::string("ab\0cd", 5)}}};
    try {
        writeTextGroups(data, object);
        FAIL() << "a zero byte would end the text early and break the table";
    } catch (const TextTableError& e) {
        EXPECT_STREQ(e.what(),
                     "The text with language ID 7 contains a zero byte and cannot be stored");
    }
    object.texts = {{{255, "end"}}};
    EXPECT_THROW(writeTextGroups(data, object), TextTableError);
}

TEST(TextTables, TruncatedTablesAndUnknownTypesRaiseTheReadError) {
    const Bytes full = objectData(10, {0x00, 'A', 0x00, 0xFF, 0xFF, 0x01, 'B', 0x00, 0xFF}, {});
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        const Bytes data(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        ObjectFile object = ofType(10);
        EXPECT_THROW(readTextGroups(data, object), StreamReadError) << cut;
        object.texts.assign(3, {});
        EXPECT_THROW(writeTextGroups(data, object), StreamReadError) << cut;
    }
    for (unsigned type = 11; type < 16; ++type) {
        ObjectFile object = ofType(type);
        EXPECT_THROW(readTextGroups(full, object), StreamReadError);
        EXPECT_THROW(writeTextGroups(full, object), StreamReadError);
    }
}

TEST(TextTables, ReadTextGroupKeepsEntriesReadBeforeAFailureAndStopsAfterTheMarker) {
    MemoryStream stream(Bytes{0x01, 'a', 0x00, 0xFF, 0x02, 'b'});
    ObjectTextGroup group{{9, "old"}};
    readTextGroup(group, stream);
    EXPECT_EQ(group, (ObjectTextGroup{{1, "a"}}));
    EXPECT_EQ(stream.position(), 4u);
    EXPECT_THROW(readTextGroup(group, stream), StreamReadError);
    EXPECT_EQ(group, (ObjectTextGroup{{2, ""}}));
}

}  // namespace
}  // namespace tarn
