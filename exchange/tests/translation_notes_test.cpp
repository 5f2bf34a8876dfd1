// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/translation_notes.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

TEST(TranslationNotes, FileKeepsEveryNoteStateAndTeamFieldOneEntryAText) {
    TranslationNotes notes;
    notes.lastTranslator = "Jan Nov\xC3\xA1k <jan@example.cz>";
    notes.languageTeam = "Czech";
    notes.texts["exe/0042"] = {{"is \"gate\" the door here?", "", "  indented [x]"}, true};
    notes.texts["exe/0007"] = {{}, true};
    notes.texts["obj/Chest.dat/2"] = {{"line\x01" "break"}, false};
    notes.texts["exe/0001"] = {};  // nothing to keep: left out
    const std::string text = formatTranslationNotes(notes);
    EXPECT_EQ(text,
              "# Notes on a translation of Tarn, written by TarnEdit and tarntool (UTF-8).\n"
              "Last-Translator: Jan Nov\xC3\xA1k <jan@example.cz>\n"
              "Language-Team: Czech\n"
              "\n[exe/0007] needs review\n"
              "\n[exe/0042] needs review\n"
              "note: is \"gate\" the door here?\n"
              "note: \n"
              "note:   indented [x]\n"
              "\n[obj/Chest.dat/2]\n"
              "note: line break\n");
    TranslationNotes expected = notes;
    expected.texts.erase("exe/0001");
    expected.texts["obj/Chest.dat/2"].lines = {"line break"};
    EXPECT_EQ(parseTranslationNotes(text, "n"), expected);
    // Written by hand on Windows: a byte-order mark and CR LF lines read the same.
    std::string windows = "\xEF\xBB\xBF";
    for (const char c : text) {
        windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_EQ(parseTranslationNotes(windows, "n"), expected);

    TempDir dir;
    const auto path = notesPathFor(dir.path() / "Tarn.exe");
    EXPECT_EQ(path.filename(), "Tarn.exe.tarnnotes");
    writeTranslationNotes(path, {});  // nothing: no file made
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(readTranslationNotes(path), TranslationNotes());
    writeTranslationNotes(path, notes);
    EXPECT_EQ(readTranslationNotes(path), expected);
    writeTranslationNotes(path, {});  // emptied: the file stays, holding nothing
    EXPECT_EQ(readTranslationNotes(path), TranslationNotes());
}

TEST(TranslationNotes, DamagedFileIsRefusedWithItsLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"Translator: x\n", "n: line 1: expected Last-Translator:, Language-Team: or an entry"},
        {"note: orphan\n", "n: line 1: expected Last-Translator:, Language-Team: or an entry"},
        {"[exe/0001]\nnote: a\nnot a note\n", "n: line 3: expected \"note: \" or the next entry"},
        {"[exe/0001\n", "n: line 1: an entry is \"[CONTEXT]\" or \"[CONTEXT] needs review\""},
        {"[exe/0001] done\n", "n: line 1: an entry is \"[CONTEXT]\" or \"[CONTEXT] needs review\""},
        {"[exe/0001]\n\n[exe/0001]\n", "n: line 3: a second entry for exe/0001"},
    };
    for (const auto& c : cases) {
        try {
            parseTranslationNotes(c.text, "n");
            ADD_FAILURE() << c.text;
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), c.error) << c.text;
        }
    }
}

}  // namespace
}  // namespace tarn
