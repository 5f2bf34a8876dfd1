#include "exetext/string_table_document.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"

namespace tarn {
namespace {

LoadedExecutables loadedWith(std::vector<std::string> original,
                             std::vector<std::string> translated) {
    LoadedExecutables loaded;
    original.resize(kTextCount);
    translated.resize(kTextCount);
    loaded.original = std::move(original);
    loaded.translated = std::move(translated);
    loaded.primaryLangId = 7;
    loaded.secondaryLangId = 9;
    return loaded;
}

TEST(StringTableDocument, LoadTakesBothColumnsEmptiesSharingAndClearsModified) {
    StringTableDocument doc;
    doc.setText(5, StringTableDocument::ShortColumn, "20");
    doc.setModified(true);
    doc.load(loadedWith({"Yes", "No"}, {"Ja", "Nein"}));
    EXPECT_EQ(doc.text(2, 0), "2");
    EXPECT_EQ(doc.cell(1, 1), "Yes");
    EXPECT_EQ(doc.cell(2, 2), "Nein");
    EXPECT_EQ(doc.cell(5, 3), "");
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(doc.primaryLangId(), 7);
    EXPECT_EQ(doc.secondaryLangId(), 9);
    EXPECT_EQ(doc.translatedTexts().size(), static_cast<std::size_t>(kTextCount));
    doc.setShareTargets(std::vector<int>(kTextCount, 0));
    EXPECT_EQ(doc.cell(5, 3), "");
}

// A save that wrote "-Error!-" in place of a malformed text leaves the edits unsaved, so the
// question on closing still protects the translator's text.
TEST(StringTableDocument, SaveClearsModifiedOnlyWhenEveryTextWasStored) {
    TempDir dir;
    const auto path = dir.path() / "trans.exe";
    writeFileAtomically(path, makeSampleExecutable(1, sampleTexts()));
    StringTableDocument doc;
    doc.load(loadedWith({}, {}));
    doc.setCStyleFlag(true);
    auto save = [&] {
        doc.setModified(true);
        const SaveResult result = saveStrings(path, doc.translatedTexts(), {true, 0, 0});
        doc.saveFinished(result);
        return result;
    };

    doc.setText(9, StringTableDocument::TranslatedColumn, "bad %");
    doc.setText(10, StringTableDocument::TranslatedColumn, "bad %");
    SaveResult result = save();
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.cstyleErrors, (std::vector<int>{9, 10}));
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.cell(9, StringTableDocument::TranslatedColumn), "bad %");
    EXPECT_EQ(doc.cell(9, StringTableDocument::ShortColumn), "10");  // equal texts share

    doc.setText(9, StringTableDocument::TranslatedColumn, "good %%");
    doc.setText(10, StringTableDocument::TranslatedColumn, "fine");
    result = save();
    ASSERT_TRUE(result.saved);
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(doc.cell(9, StringTableDocument::ShortColumn), "");

    doc.setText(11, StringTableDocument::TranslatedColumn, std::string(70000, 'x'));
    EXPECT_FALSE(save().saved);
    EXPECT_TRUE(doc.modified());
}

TEST(StringTableDocument, NotationToggleRoundTripsAndKeepsMalformedCells) {
    StringTableDocument doc;
    doc.load(loadedWith({std::string("a\x05"
                                     "b"),
                         "100%"},
                        {std::string("\x17\xff"), "x"}));
    EXPECT_TRUE(doc.toggleNotation().empty());
    EXPECT_TRUE(doc.cstyle());
    EXPECT_EQ(doc.cell(1, 1), "a\\nb");
    EXPECT_EQ(doc.cell(2, 1), "100%%");
    EXPECT_EQ(doc.cell(1, 2), "\\p00000000");
    doc.setText(2, 2, "bad %");
    doc.setText(7, 1, "\\q");
    const auto errors = doc.toggleNotation();
    EXPECT_FALSE(doc.cstyle());
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].row, 2);
    EXPECT_EQ(errors[0].message, "Unmatched % sign at the end of the text");
    EXPECT_EQ(errors[1].row, 7);
    EXPECT_EQ(doc.cell(2, 2), "bad %");  // left in C-style notation
    EXPECT_EQ(doc.cell(1, 1), std::string("a\x05"
                                          "b"));
    EXPECT_EQ(doc.cell(1, 2), std::string("\x17\xff"));
}

TEST(StringTableDocument, CellCheckAndCanonicalFormOnlyInCStyleColumns) {
    StringTableDocument doc;
    doc.setText(3, 2, "\\x41\\p0000abcd%");
    EXPECT_FALSE(doc.cellError(3, 2));  // raw notation: anything may be left
    doc.setCStyleFlag(true);
    EXPECT_EQ(doc.cellError(3, 2).value_or(""), "Unmatched % sign at the end of the text");
    EXPECT_FALSE(doc.cellError(3, 3));
    doc.setText(3, 2, "\\x41\\p0000abcd");
    EXPECT_FALSE(doc.cellError(3, 2));
    doc.normaliseCell(3, 2);
    EXPECT_EQ(doc.cell(3, 2), "A\\p0000ABCD");
}

TEST(StringTableDocument, CopyAndNextUntranslated) {
    StringTableDocument doc;
    std::vector<std::string> original(kTextCount, "o");
    std::vector<std::string> translated(kTextCount, "t");
    original[9] = "";  // row 10: empty original is never untranslated
    translated[9] = "";
    translated[11] = "o";  // row 12 equals its original
    doc.load(loadedWith(original, translated));
    EXPECT_EQ(doc.nextUntranslated(1), 12);
    EXPECT_EQ(doc.nextUntranslated(12), 0);
    EXPECT_EQ(doc.nextUntranslated(kTextCount), 0);
    doc.copyOriginalToTranslated();
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.cell(kTextCount, 2), "o");
    EXPECT_EQ(doc.nextUntranslated(kTextCount - 1), kTextCount);
}

}  // namespace
}  // namespace tarn
