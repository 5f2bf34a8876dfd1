// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/reload_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exetext/string_table_reader.h"

namespace tarn {
namespace {

constexpr int kT = StringTableDocument::TranslatedColumn;

std::vector<std::string> texts(const std::vector<std::pair<int, std::string>>& set) {
    std::vector<std::string> all(StringTableDocument::kRows, "same");
    for (const auto& [row, text] : set) {
        all[static_cast<std::size_t>(row - 1)] = text;
    }
    return all;
}

// Rows 1..5: untouched, only the file changed, only the translator changed, both changed alike,
// both changed differently.
TEST(ReloadMerge, KeepsEditsTheFileDidNotChangeAndListsTextsChangedOnBothSides) {
    StringTableDocument document;
    LoadedExecutables loaded;
    loaded.original = texts({});
    loaded.translated = texts({{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}});
    loaded.primaryLangId = 7;
    document.load(loaded);
    document.setCell(3, kT, {"c mine", false});
    document.setCell(4, kT, {"d both", false});
    document.setCell(5, kT, {"e mine", false});

    TranslatedFileState disk;
    disk.texts = texts({{1, "a"}, {2, "b theirs"}, {3, "c"}, {4, "d both"}, {5, "e theirs"}});
    disk.languageIds = {9, 0};
    ReloadMerge merge = mergeReloaded(document, disk, "Reload");
    ASSERT_TRUE(merge.step);
    EXPECT_EQ(merge.conflicts, std::vector<std::size_t>{5});
    EXPECT_TRUE(merge.keepsEdits);

    merge.step->redo();
    const std::vector<std::string> expected{"a", "b theirs", "c mine", "d both", "e theirs"};
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(document.cell(row, kT), expected[static_cast<std::size_t>(row - 1)]) << row;
    }
    EXPECT_EQ(document.primaryLangId(), 9);

    // One undo brings back every edit, the conflicting one included.
    merge.step->undo();
    EXPECT_EQ(document.cell(5, kT), "e mine");
    EXPECT_EQ(document.cell(2, kT), "b");
    EXPECT_EQ(document.primaryLangId(), 7);
}

TEST(ReloadMerge, NothingToDoWhenTheFileHoldsTheDocument) {
    StringTableDocument document;
    LoadedExecutables loaded;
    loaded.original = texts({});
    loaded.translated = texts({{1, "a"}});
    document.load(loaded);
    TranslatedFileState disk;
    disk.texts = loaded.translated;
    const ReloadMerge merge = mergeReloaded(document, disk, "Reload");
    EXPECT_FALSE(merge.step);
    EXPECT_TRUE(merge.conflicts.empty());
    EXPECT_FALSE(merge.keepsEdits);
}

}  // namespace
}  // namespace tarn
