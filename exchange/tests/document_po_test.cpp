// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/document_po.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exchange/object_po.h"
#include "exchange/po_header.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "objfiles/sample_game_objects.h"
#include "textcodes/code_table.h"
#include "textcodes/cstyle.h"

namespace tarn {
namespace {

using Doc = StringTableDocument;

// The sample texts, text 3 translated, text 5 unreadable in the original and text 6 in the
// translation; shown in the given notation.
Doc loadedDocument(Notation notation) {
    LoadedExecutables loaded;
    loaded.original = sampleTexts();
    loaded.translated = sampleTexts();
    loaded.translated[2] = rawText({'Z', 'w', 'e', 'i', 5, 'Z', 0xFC, 'g', 'e', 0x91});
    loaded.original[4] = std::string(kNotFoundText);
    loaded.originalNotFound = {5};
    loaded.translated[5] = std::string(kNotFoundText);
    loaded.translatedNotFound = {6};
    Doc document;
    document.setNotation(notation);
    document.load(loaded);
    return document;
}

const PoHeaderFields kHeader = {{"Content-Type", "text/plain; charset=UTF-8"}};

void writeMessages(const std::filesystem::path& path, const std::vector<PoEntry>& entries) {
    writePoFile(path, kHeader, entries);
}

PoEntry message(std::string context, std::string translation) {
    return {std::move(context), true, "x", std::move(translation), {}, false};
}

// Imports path and makes the step the import gives, as the window does.
PoImportReport importInto(const std::filesystem::path& path, Doc& document,
                          const CodePage& codePage,
                          std::unique_ptr<SetTextsCommand>* kept = nullptr,
                          PoCompanions* companions = nullptr,
                          PoProblems problems = PoProblems::RefuseFile) {
    std::unique_ptr<SetTextsCommand> change;
    PoCompanions none;
    PoImportReport report = importPoFile(path, document, codePage, change,
                                         companions != nullptr ? *companions : none, problems);
    EXPECT_EQ(change != nullptr, report.problems.empty() || report.skipped);
    if (change) {
        change->redo();
        if (kept != nullptr) {
            *kept = std::move(change);
        }
    }
    return report;
}

TEST(DocumentPo, MainTextsGoOutAndComeBackAsGameBytesWhateverTheNotation) {
    for (const Notation notation : {Notation::Raw, Notation::CStyle}) {
        TempDir dir;
        Doc document = loadedDocument(notation);
        const auto po = dir.path() / "t.po";
        ASSERT_TRUE(exportPoFile(po, document, kHeader, CodePage(), {}).empty());
        const PoReadResult read = readPoFile(po);
        ASSERT_TRUE(read.problems.empty());
        ASSERT_EQ(read.entries.size(), 3452u);  // text 5 could not be read
        EXPECT_EQ(read.entries[2].translation, "Zwei\nZ\xC3\xBCge\\c3");
        EXPECT_EQ(read.entries[4].context, "exe/0006");
        EXPECT_EQ(read.entries[4].translation, "");  // unreadable: no translation

        // Unchanged: nothing to apply.
        const Doc before = document;
        PoImportReport report = importInto(po, document, CodePage());
        EXPECT_TRUE(report.problems.empty());
        EXPECT_EQ(importSummaryLine(report.counts),
                  "applied 0, unchanged 1, untranslated 3451, fuzzy 0, unknown 0");

        writeMessages(po, {message("exe/0001", "Ja\n\\c3!"), message("exe/0003", "Zwei"),
                           message("exe/0006", "Sechs"), message("exe/9999", "?")});
        std::unique_ptr<SetTextsCommand> step;
        report = importInto(po, document, CodePage(), &step);
        EXPECT_TRUE(report.problems.empty());
        EXPECT_EQ(importSummaryLine(report.counts),
                  "applied 3, unchanged 0, untranslated 0, fuzzy 0, unknown 1");
        EXPECT_EQ(report.warnings.size(), 1u);
        const std::string yes = rawText({'J', 'a', 5, 145, '!'});
        EXPECT_EQ(document.cell(1, Doc::TranslatedColumn), yes);
        EXPECT_EQ(document.cell(3, Doc::TranslatedColumn), "Zwei");
        EXPECT_EQ(document.cell(6, Doc::TranslatedColumn), "Sechs");
        EXPECT_EQ(document.cell(2, Doc::TranslatedColumn), before.cell(2, Doc::TranslatedColumn));
        EXPECT_EQ(document.cell(1, Doc::OriginalColumn), before.cell(1, Doc::OriginalColumn));
        ASSERT_TRUE(step);
        EXPECT_EQ(step->name(), "Import translation (PO)");
        step->undo();
        EXPECT_EQ(document.translatedTexts(), before.translatedTexts());
    }
}

TEST(DocumentPo, MainImportIsAllOrNothing) {
    TempDir dir;
    Doc document = loadedDocument(Notation::CStyle);
    const Doc before = document;
    const auto po = dir.path() / "bad.po";
    writeMessages(po, {message("exe/0001", "fine"), message("exe/0002", "50 %x"),
                       message("exe/0003", "\xD0\x96")});
    PoImportReport report = importInto(po, document, CodePage());
    EXPECT_EQ(
        describe(report.problems),
        (std::vector<std::string>{
            "exe/0002: Incorrect % sequence at position 4",
            "exe/0003: The character '\xD0\x96' (U+0416) at position 1 is not in code page 1252"}));
    EXPECT_EQ(document.translatedTexts(), before.translatedTexts());
    // The same file under the Cyrillic code page still has the % error: still nothing.
    report = importInto(po, document, *CodePage::byNumber(1251));
    EXPECT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(document.translatedTexts(), before.translatedTexts());

    writeFileAtomically(po, toBytes("msgctxt \"exe/0001\"\nmsgid \"Yes\"\nmsgstr \"Ja\" x\n"));
    report = importInto(po, document, CodePage());
    ASSERT_FALSE(report.problems.empty());
    EXPECT_EQ(describe(report.problems[0]).rfind(po.string() + ":3: ", 0), 0u)
        << describe(report.problems[0]);
    EXPECT_EQ(document.translatedTexts(), before.translatedTexts());

    // A translated cell whose notation is broken is named, and the export writes nothing.
    document.setText(7, Doc::TranslatedColumn, "bad \\q");
    EXPECT_EQ(describe(exportPoFile(dir.path() / "x.po", document, kHeader, CodePage(), {})),
              std::vector<std::string>{"text 7: Incorrect \\ sequence at position 5"});
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.po"));
}

// Imports path into the object texts of ID 9 and does the step, as the window does.
PoImportReport importObjects(const std::filesystem::path& path, ObjectTextsDocument& document) {
    PoCompanions none;
    ObjectPoImport import = objectPoImport(path, document, 9, CodePage(), none);
    if (import.step) {
        import.step->redo();
    }
    return import.report;
}

TEST(DocumentPo, ObjectImportSetsOrAppendsTheTargetTextThroughTheDocument) {
    TempDir dir;
    for (const SampleObjectFile& file : sampleGameObjects()) {
        writeFileAtomically(dir.path() / file.fileName, file.contents);
    }
    ObjectTextsDocument document;
    document.loadFolder(dir.path());
    const auto po = dir.path() / "o.po";
    ASSERT_TRUE(exportPoFile(po, document, 0, 9, kHeader, CodePage(), {}).empty());
    const PoReadResult read = readPoFile(po);
    ASSERT_FALSE(read.entries.empty());
    const std::string first = read.entries[0].context;
    const auto named = parseObjectContext(first);
    ASSERT_TRUE(named);
    std::size_t file = 0;
    while (document.file(file).fileName != named->fileName) {
        ++file;
    }
    const std::size_t g = named->groupNumber - 1;
    const ObjectTextGroup group = document.group(file, g);

    writeMessages(po, {message(first, "Neun \\c3")});
    PoImportReport report = importObjects(po, document);
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(document.group(file, g).size(), group.size() + 1);
    EXPECT_EQ(document.group(file, g).back(),
              (ObjectText{9, rawText({'N', 'e', 'u', 'n', ' ', 145})}));
    EXPECT_EQ(document.modifiedFiles(), std::vector<std::size_t>{file});

    writeMessages(po, {message(first, "Neun"), message(first, "twice")});
    report = importObjects(po, document);
    EXPECT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(document.group(file, g).back().text, rawText({'N', 'e', 'u', 'n', ' ', 145}));
    writeMessages(po, {message(first, "Neun")});
    report = importObjects(po, document);
    EXPECT_EQ(document.group(file, g).size(), group.size() + 1);  // set, not appended again
    EXPECT_EQ(document.group(file, g).back().text, "Neun");
}

TEST(DocumentPo, NotesAndReviewStatesTravelAsCommentsAndFuzzyFlags) {
    TempDir dir;
    Doc document = loadedDocument(Notation::Raw);
    PoCompanions companions;
    companions.notes.texts["exe/0003"] = {{"keep it short"}, true};
    companions.notes.texts["exe/0004"] = {{}, true};  // untranslated: no fuzzy flag to carry it
    companions.notes.lastTranslator = "Jan <jan@example.cz>";
    companions.characters = poCharactersOf(CodePage(), "");
    const auto po = dir.path() / "p.po";
    ASSERT_TRUE(exportPoFile(po, document, poHeader("cs", "1", 0), CodePage(), companions).empty());
    PoReadResult read = readPoFile(po);
    ASSERT_TRUE(read.problems.empty());
    EXPECT_EQ(read.entries[2].comments, std::vector<std::string>{"keep it short"});
    EXPECT_TRUE(read.entries[2].fuzzy);
    EXPECT_FALSE(read.entries[3].fuzzy);
    const PoHeaderFields expectedFields = {{"Last-Translator", "Jan <jan@example.cz>"},
                                           {"X-Tarn-Code-Page", "1252"},
                                           {"X-Tarn-Character-Table", ""}};
    for (const auto& field : expectedFields) {
        EXPECT_NE(std::find(read.header.begin(), read.header.end(), field), read.header.end())
            << field.first;
    }

    // A teammate's file: a fuzzy translation of a text under review here is applied, another
    // fuzzy one is not; notes, states and the team fields come back.
    PoEntry four = message("exe/0004", "Vier");
    four.fuzzy = true;
    four.comments = {"checked by Eva"};
    PoEntry two = message("exe/0002", "Zwei?");
    two.fuzzy = true;
    PoHeaderFields header = read.header;
    std::replace(header.begin(), header.end(), expectedFields[0],
                 PoHeaderFields::value_type{"Last-Translator", "Eva <eva@example.cz>"});
    writePoFile(po, header, {four, two, message("exe/0003", "Drei")});
    PoImportReport report = importInto(po, document, CodePage(), nullptr, &companions);
    EXPECT_EQ(importSummaryLine(report.counts),
              "applied 2, unchanged 0, untranslated 0, fuzzy 1, unknown 0");
    EXPECT_TRUE(report.warnings.empty());
    EXPECT_EQ(document.cell(4, Doc::TranslatedColumn), "Vier");
    TranslationNotes expected;
    expected.texts["exe/0004"] = {{"checked by Eva"}, true};
    expected.texts["exe/0002"] = {{}, true};
    expected.lastTranslator = "Eva <eva@example.cz>";
    EXPECT_EQ(companions.notes, expected);

    // Read under another code page, the file is warned of.
    companions.characters = poCharactersOf(*CodePage::byNumber(1250), "");
    report = importInto(po, document, *CodePage::byNumber(1250), nullptr, &companions);
    EXPECT_EQ(describe(report.warnings),
              std::vector<std::string>{"p.po: made with code page 1252 and no character table, "
                                       "read with code page 1250 and no character table; letters "
                                       "may come out wrong"});
}

TEST(DocumentPo, AnImportRefusedForSomeEntriesOffersTheGoodOnes) {
    TempDir dir;
    Doc document = loadedDocument(Notation::Raw);
    const auto po = dir.path() / "some.po";
    writeMessages(po, {message("exe/0001", "fine"), message("exe/0002", "50 %x")});
    PoImportReport report = importInto(po, document, CodePage());
    EXPECT_EQ(skipProblemsQuestion(report), "Import the 1 good entry and skip 1?");
    report = importInto(po, document, CodePage(), nullptr, nullptr, PoProblems::SkipMessages);
    EXPECT_TRUE(report.skipped);
    EXPECT_EQ(document.cell(1, Doc::TranslatedColumn), "fine");
    EXPECT_EQ(importReportText(report),
              "applied 1, unchanged 0, untranslated 0, fuzzy 0, unknown 0\n"
              "skipped 1 entry for its problem:\n"
              "exe/0002: Incorrect % sequence at position 4");
    EXPECT_EQ(skipProblemsQuestion(report), std::nullopt);  // asked once

    // A file with its own problems offers nothing.
    writeFileAtomically(po, toBytes("msgctxt \"exe/0001\"\nmsgid \"Yes\"\nmsgstr \"Ja\" x\n"));
    report = importInto(po, document, CodePage(), nullptr, nullptr, PoProblems::SkipMessages);
    EXPECT_FALSE(report.skipped);
    EXPECT_EQ(skipProblemsQuestion(report), std::nullopt);

    // The object texts alike.
    TempDir game;
    for (const SampleObjectFile& file : sampleGameObjects()) {
        writeFileAtomically(game.path() / file.fileName, file.contents);
    }
    ObjectTextsDocument objects;
    objects.loadFolder(game.path());
    PoCompanions none;
    ASSERT_TRUE(exportPoFile(po, objects, 0, 9, kHeader, CodePage(), none).empty());
    const std::string first = readPoFile(po).entries[0].context;
    const std::string second = readPoFile(po).entries[1].context;
    writeMessages(po, {message(first, "Neun"), message(second, "50 %x")});
    ObjectPoImport import = objectPoImport(po, objects, 9, CodePage(), none);
    EXPECT_EQ(import.step, nullptr);
    EXPECT_EQ(skipProblemsQuestion(import.report), "Import the 1 good entry and skip 1?");
    import = objectPoImport(po, objects, 9, CodePage(), none, PoProblems::SkipMessages);
    ASSERT_NE(import.step, nullptr);
    EXPECT_TRUE(import.report.skipped);
}

TEST(DocumentPo, ReportTextShowsTheSummaryOrTheFirstProblems) {
    PoImportReport report;
    report.counts = {1, 2, 3, 4, 5};
    report.warnings = {Problem::withMessage("unknown msgctxt \"x\", message skipped")};
    EXPECT_EQ(importReportText(report),
              "applied 1, unchanged 2, untranslated 3, fuzzy 4, unknown 5\n"
              "unknown msgctxt \"x\", message skipped");
    for (int i = 1; i <= 23; ++i) {
        report.problems.push_back(Problem::withMessage("problem " + std::to_string(i)));
    }
    const std::string text = importReportText(report);
    EXPECT_EQ(text.substr(0, text.find('\n')), "Nothing was imported: the file has 23 problems.");
    EXPECT_NE(text.find("\nproblem 20\n... and 3 more"), std::string::npos);
    EXPECT_EQ(text.find("problem 21"), std::string::npos);
    EXPECT_EQ(text.find("unknown msgctxt"), std::string::npos);
}

}  // namespace
}  // namespace tarn
