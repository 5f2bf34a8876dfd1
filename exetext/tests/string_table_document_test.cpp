// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/string_table_document.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_commands.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"
#include "textcodes/pseudo_translation.h"

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

TEST(StringTableDocument, LoadTakesBothColumnsAndEmptiesSharing) {
    StringTableDocument doc;
    doc.setText(5, StringTableDocument::ShortColumn, "20");
    doc.load(loadedWith({"Yes", "No"}, {"Ja", "Nein"}));
    EXPECT_EQ(doc.text(2, 0), "2");
    EXPECT_EQ(doc.cell(1, 1), "Yes");
    EXPECT_EQ(doc.cell(2, 2), "Nein");
    EXPECT_EQ(doc.cell(5, 3), "");
    EXPECT_EQ(doc.primaryLangId(), 7);
    EXPECT_EQ(doc.secondaryLangId(), 9);
    EXPECT_EQ(doc.translatedTexts().size(), static_cast<std::size_t>(kTextCount));
    doc.setShareTargets(std::vector<int>(kTextCount, 0));
    EXPECT_EQ(doc.cell(5, 3), "");
}

// A save that wrote "-Error!-" in place of a malformed text leaves that text in the document,
// so the translator's text is still there to correct; the writer's sharing fills column 3.
TEST(StringTableDocument, SaveKeepsMalformedTextsAndShowsTheSharing) {
    TempDir dir;
    const auto path = dir.path() / "trans.exe";
    writeFileAtomically(path, makeSampleExecutable(1, sampleTexts()));
    StringTableDocument doc;
    doc.load(loadedWith({}, {}));
    doc.setNotation(Notation::CStyle);
    auto save = [&] {
        SaveOptions options;
        options.textErrors = doc.translatedErrors();
        const SaveResult result = saveStrings(path, doc.translatedTexts(), options);
        doc.setShareTargets(result.shareTargets);
        return result;
    };

    doc.setText(9, StringTableDocument::TranslatedColumn, "bad %");
    doc.setText(10, StringTableDocument::TranslatedColumn, "bad %");
    SaveResult result = save();
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.cstyleErrors, (std::vector<int>{9, 10}));
    EXPECT_EQ(doc.cell(9, StringTableDocument::TranslatedColumn), "bad %");
    EXPECT_EQ(doc.cell(9, StringTableDocument::ShortColumn), "10");  // equal texts share

    doc.setText(9, StringTableDocument::TranslatedColumn, "good %%");
    doc.setText(10, StringTableDocument::TranslatedColumn, "fine");
    EXPECT_EQ(doc.cell(9, StringTableDocument::TranslatedColumn), "good %");  // game bytes
    result = save();
    ASSERT_TRUE(result.saved);
    EXPECT_TRUE(result.cstyleErrors.empty());
    EXPECT_EQ(doc.cell(9, StringTableDocument::ShortColumn), "");

    doc.setText(11, StringTableDocument::TranslatedColumn, std::string(70000, 'x'));
    EXPECT_FALSE(save().saved);
}

// The notation is how texts are shown: switching it changes no byte, and only a cell held as
// C-style text that does not convert is reported (and kept as it was typed).
TEST(StringTableDocument, NotationToggleChangesNoByteAndKeepsMalformedCells) {
    StringTableDocument doc;
    std::vector<std::string> texts(kTextCount);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = std::string(1, static_cast<char>(i % 256)) + "%\\" + std::to_string(i);
    }
    texts[0] = std::string(
        "a\x05"
        "b");
    texts[1] = "100%";
    texts[2] = "\x17\xff";
    doc.load(loadedWith(texts, texts));
    const StringTableDocument before = doc;
    auto sameBytes = [&] {
        for (int row = 1; row <= kTextCount; ++row) {
            for (const int column : {1, 2}) {
                if (doc.cell(row, column) != before.cell(row, column)) {
                    return false;
                }
            }
        }
        return true;
    };
    EXPECT_TRUE(doc.toggleNotation().empty());
    EXPECT_EQ(doc.notation(), Notation::CStyle);
    EXPECT_TRUE(sameBytes());
    EXPECT_EQ(doc.notationText(2, 1), "100%%");
    EXPECT_EQ(doc.notationText(1, 1), rawToCStyle(texts[0]));
    EXPECT_TRUE(doc.toggleNotation().empty());
    EXPECT_TRUE(sameBytes());
    doc.toggleNotation();

    doc.setText(2, 2, "bad %");
    doc.setText(7, 1, "\\\\q");  // valid: stored as its bytes at once
    doc.setText(7, 2, "\\\\q %");
    EXPECT_EQ(doc.cell(7, 1), "\\q");
    const auto errors = doc.toggleNotation();
    EXPECT_EQ(doc.notation(), Notation::Raw);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].row, 2);
    EXPECT_EQ(errors[0].message, "Unmatched % sign at the end of the text");
    EXPECT_EQ(errors[1].row, 7);
    EXPECT_EQ(doc.cell(2, 2), "bad %");  // left as it was typed
    EXPECT_FALSE(doc.cellError(2, 2));   // raw notation: anything may be left
    EXPECT_EQ(doc.cell(1, 1), before.cell(1, 1));
}

TEST(StringTableDocument, TypedCStyleTextIsHeldUntilTheCellIsLeft) {
    StringTableDocument doc;
    doc.setText(3, 2, "\\x41\\p0000abcd%");
    EXPECT_FALSE(doc.cellError(3, 2));  // raw notation: anything may be left
    doc.setNotation(Notation::CStyle);
    EXPECT_FALSE(doc.cellError(3, 2));  // game bytes stay game bytes
    doc.setCell(3, 2, doc.fromNotation("\\x41\\p0000abcd%", true));
    EXPECT_EQ(doc.cellError(3, 2).value_or(""), "Unmatched % sign at the end of the text");
    EXPECT_FALSE(doc.cellError(3, 3));
    EXPECT_FALSE(doc.bytes(3, 2));
    EXPECT_EQ(doc.translatedTexts()[2], "-Error!-");
    ASSERT_EQ(doc.translatedErrors().size(), 1u);
    EXPECT_EQ(doc.translatedErrors()[0].textNumber, 3);

    doc.setCell(3, 2, doc.fromNotation("\\x41\\p0000abcd", true));
    EXPECT_FALSE(doc.cellError(3, 2));
    EXPECT_EQ(doc.notationText(3, 2), "\\x41\\p0000abcd");  // as typed while held
    doc.normaliseCell(3, 2);
    EXPECT_FALSE(doc.isAsTyped(3, 2));
    EXPECT_EQ(doc.notationText(3, 2), "A\\p0000ABCD");
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
    auto copy = copyOriginalToTranslated(doc);
    EXPECT_EQ(copy->name(), "Copy strings");
    EXPECT_TRUE(copy->marksModified());
    copy->redo();
    EXPECT_EQ(doc.cell(kTextCount, 2), "o");
    EXPECT_EQ(doc.nextUntranslated(kTextCount - 1), kTextCount);
    copy->undo();
    EXPECT_EQ(doc.translatedTexts(), translated);
}

// Only the texts still equal to their originals change, each to its original's pseudo-
// translation in the page given; a held cell that does not convert and empty texts stay.
TEST(StringTableCommands, PseudoTranslateChangesOnlyUntranslatedTexts) {
    StringTableDocument doc;
    const std::string original = "Scenic \x7B zone";  // %N between the words
    std::vector<std::string> originals(kTextCount, original);
    std::vector<std::string> translations = originals;
    translations[1] = "Szene \x7B Zone";  // text 2: translated
    originals[2] = translations[2] = "";  // text 3: empty
    originals[3] = "\x17\x01\x05";        // text 4: a picture alone, untranslated too
    translations[3] = originals[3];
    doc.load(loadedWith(originals, translations));
    doc.setNotation(Notation::CStyle);
    doc.setText(5, 2, "Scenic %");  // held as typed: it does not convert
    const std::vector<std::string> before = doc.translatedTexts();
    const CodePage page = *CodePage::byNumber(1250);

    const auto step = pseudoTranslateUntranslated(doc, 50, page);
    EXPECT_EQ(step->name(), countedName("Pseudo-translate", kTextCount - 3));
    EXPECT_EQ(step->changedCells(), kTextCount - 3);
    EXPECT_TRUE(step->marksModified());
    EXPECT_EQ(doc.translatedTexts(), before);  // nothing until redo
    step->redo();
    const std::string expected = pseudoTranslate(original, 50, page);
    EXPECT_NE(expected, pseudoTranslate(original, 50, CodePage()));  // the page counts
    EXPECT_EQ(doc.cell(1, 2), expected);
    EXPECT_EQ(doc.cell(kTextCount, 2), expected);
    EXPECT_EQ(doc.cell(2, 2), translations[1]);
    EXPECT_EQ(doc.cell(3, 2), "");
    EXPECT_EQ(doc.cell(4, 2), pseudoTranslate(originals[3], 50, page));
    EXPECT_TRUE(doc.isAsTyped(5, 2));
    EXPECT_EQ(doc.cell(5, 2), "Scenic %");
    step->undo();
    EXPECT_EQ(doc.translatedTexts(), before);

    // Nothing left to pseudo-translate: an empty step.
    StringTableDocument translated;
    translated.load(loadedWith({"Yes", ""}, {"Ja", ""}));
    EXPECT_TRUE(pseudoTranslateUntranslated(translated, 30, page)->empty());
}

// Undo brings back every byte a step changed, a held cell included, and redo every change;
// a held C-style cell redone in raw notation is settled as the toggle settles it.
TEST(StringTableCommands, UndoAndRedoBringBackEveryCell) {
    StringTableDocument doc;
    std::vector<std::string> texts(kTextCount);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = "text " + std::to_string(i) + std::string(1, static_cast<char>(i % 256));
    }
    doc.load(loadedWith(texts, texts));
    doc.setNotation(Notation::CStyle);
    SetTextsCommand all(doc, countedName("Replace All", kTextCount));
    for (int row = 1; row <= kTextCount; ++row) {
        all.add(row, 2, doc.fromNotation(row == 5 ? "50 %" : "x"));
    }
    EXPECT_EQ(all.name(), "Replace All (3453 texts)");
    EXPECT_EQ(countedName("Replace", 1), "Replace (1 text)");
    EXPECT_EQ(doc.translatedTexts(), texts);  // nothing until redo
    all.redo();
    EXPECT_EQ(all.changedCells(), kTextCount);
    EXPECT_EQ(doc.cellError(5, 2).value_or(""), "Unmatched % sign at the end of the text");
    all.undo();
    EXPECT_EQ(doc.translatedTexts(), texts);
    EXPECT_TRUE(doc.translatedErrors().empty());
    doc.setNotation(Notation::Raw);
    all.redo();
    EXPECT_EQ(doc.cell(5, 2), "50 %");
    EXPECT_FALSE(doc.isAsTyped(5, 2));

    // A step still being typed takes each further change at once, and keeps the first "before".
    SetTextsCommand typing(doc, "Edit text 1", true);
    typing.add(1, 2, {"a", false});
    typing.redo();
    typing.change(1, 2, {"ab", false});
    EXPECT_EQ(doc.cell(1, 2), "ab");
    typing.undo();
    EXPECT_EQ(doc.cell(1, 2), "x");

    SetLangIdsCommand ids(doc, 7, 9);
    const std::uint8_t before[] = {doc.primaryLangId(), doc.secondaryLangId()};
    ids.redo();
    EXPECT_EQ(doc.primaryLangId(), 7);
    ids.undo();
    EXPECT_EQ(doc.primaryLangId(), before[0]);
    EXPECT_EQ(doc.secondaryLangId(), before[1]);
}

}  // namespace
}  // namespace tarn
