// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/object_texts.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace tarn {
namespace {

ObjectFile file(const std::string& name, ObjectFileTexts texts) {
    ObjectFile f;
    f.fileName = name;
    f.texts = std::move(texts);
    return f;
}

const std::vector<ObjectFile> kFiles = {
    file("A.DAT", {{{0, "ab"}, {5, "c"}}, {{0, ""}}}),
    file("B.DAT", {{{7, "x"}}}),
};

TEST(ObjectTexts, AllTextsWritesEveryFileAndGroupInModelOrder) {
    const Bytes data = writeObjectTexts(kFiles, {std::nullopt, true});
    const Bytes expected{2, 0,   0,   0,   1,   5,   'A', '.', 'D', 'A',  'T', 2, 0,   2,   0, 0,
                         0, 'a', 'b', 5,   1,   0,   0,   0,   'c', 0xFF, 0,   0, 0,   0,   0, 0xFF,
                         5, 'B', '.', 'D', 'A', 'T', 1,   7,   1,   0,    0,   0, 'x', 0xFF};
    EXPECT_EQ(data, expected);
}

TEST(ObjectTexts, OneIdDropsFilesWithoutItAndKeepsEmptyGroupsOfTheOthers) {
    const Bytes data = writeObjectTexts(kFiles, {5, false});
    const Bytes expected{1,   0, 0, 0, 0, 5, 'A', '.', 'D',  'A',
                         'T', 2, 5, 1, 0, 0, 0,   'c', 0xFF, 0xFF};
    EXPECT_EQ(data, expected);
    // The dropped record must not leave bytes behind, also when it is the last one.
    EXPECT_EQ(writeObjectTexts({kFiles[1], kFiles[0]}, {5, false}), expected);
    EXPECT_EQ(writeObjectTexts(kFiles, {200, true}), (Bytes{0, 0, 0, 0, 1}));
    EXPECT_EQ(writeObjectTexts({}, {std::nullopt, false}), (Bytes{0, 0, 0, 0, 0}));
}

TEST(ObjectTexts, ModelsTheLayoutCannotHoldAreRefusedNotTruncated) {
    EXPECT_THROW(writeObjectTexts({file(std::string(256, 'n'), {{{0, "a"}}})}, {}),
                 ObjectTextsLimitError);
    EXPECT_NO_THROW(writeObjectTexts({file(std::string(255, 'n'), {{{0, "a"}}})}, {}));
    EXPECT_THROW(writeObjectTexts({file("x", ObjectFileTexts(256))}, {}), ObjectTextsLimitError);
    EXPECT_THROW(writeObjectTexts({file("x", {{{255, "a"}}})}, {}), ObjectTextsLimitError);
}

TEST(ObjectTexts, ReaderAndApplyNewTextsMergeIntoTheModel) {
    ObjectTextsReader reader(writeObjectTexts(
        {file("A.DAT", {{{0, "new0"}, {9, "nine"}}, {}, {{3, "dropped"}}})}, {std::nullopt, true}));
    reader.readHeader();
    EXPECT_EQ(reader.fileCount(), 1u);
    EXPECT_TRUE(reader.enhancedRle());
    EXPECT_EQ(reader.readFileName(), "A.DAT");
    // The user's file has two groups: the third group's entry is read and dropped.
    ObjectFileTexts texts{{{5, "five"}, {0, "old0"}, {0, "second0"}}, {{1, "one"}}};
    applyNewTexts(reader.stream(), texts);
    EXPECT_EQ(texts, (ObjectFileTexts{{{5, "five"}, {0, "new0"}, {0, "second0"}, {9, "nine"}},
                                   {{1, "one"}}}));
    EXPECT_EQ(reader.stream().remaining(), 0u);
}

TEST(ObjectTexts, ApplyNewTextsSkipsARecordWithAnEmptyModelAndFailsOnTruncatedData) {
    const Bytes data = writeObjectTexts({file("A", {{{0, "x"}}, {{1, "y"}}}), file("B", {{{2, "z"}}})},
                                     {std::nullopt, false});
    ObjectTextsReader reader(data);
    reader.readHeader();
    reader.readFileName();
    ObjectFileTexts none;
    applyNewTexts(reader.stream(), none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(reader.readFileName(), "B");

    for (std::size_t cut = 5; cut < data.size(); ++cut) {
        ObjectTextsReader partial(
            Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(cut)));
        partial.readHeader();
        EXPECT_THROW(
            {
                for (std::uint32_t i = 0; i < partial.fileCount(); ++i) {
                    partial.readFileName();
                    ObjectFileTexts texts(2);
                    applyNewTexts(partial.stream(), texts);
                }
            },
            StreamReadError)
            << cut;
    }
}

}  // namespace
}  // namespace tarn
