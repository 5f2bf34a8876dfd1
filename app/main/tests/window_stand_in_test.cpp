// SPDX-License-Identifier: GPL-3.0-or-later
// A save in the window, read back by the stand-in game under the 32-bit Wine: the game follows
// the pointers the window wrote and finds the texts the file stores, its language IDs kept.
#include "app/main/tests/editor_fixture.h"
#include "tests/windows/stand_in_run.h"

namespace tarn {
namespace {

const auto* const kWine = ::testing::AddGlobalTestEnvironment(new WinePrefix(WINESERVER_PATH));

class WindowStandInTest : public EditorTest {};

TEST_F(WindowStandInTest, TheGameReadsWhatTheWindowSaved) {
    std::vector<std::string> translated = texts;
    translated[1] = "Neues Spiel";
    writeGame(texts, texts);
    writeFileAtomically(transPath, makeSampleExecutable(2, translated, 14, 3));
    writeSettings();
    MainWindow& f = start();
    const std::string before = storedHex(dir.path(), transPath.string());
    // Shorter, longer, emptied and a copy of another text, over every area of the build.
    // Texts without codes, so that the checks find nothing to ask about before the save.
    for (int row = 3; row <= StringTableDocument::kRows; row += 7) {
        const std::string text = f.document().cell(row, StringTableDocument::OriginalColumn);
        if (std::any_of(text.begin(), text.end(), [](unsigned char c) {
                return c < 32 || c >= 123 || c == '%' || c == '\\';
            })) {
            continue;
        }
        std::string changed = row % 3 == 0   ? text.substr(0, text.size() / 2)
                              : row % 3 == 1 ? "Der " + text.substr(text.size() / 2)
                                             : std::string();
        f.setCellText(row, StringTableDocument::TranslatedColumn, changed);
    }
    f.setCellText(4, StringTableDocument::TranslatedColumn, f.document().cell(2, 2));
    action("saveAction")->trigger();
    ASSERT_FALSE(f.session().isModified()) << messageTexts().join("\n").toStdString();

    const std::string after = storedHex(dir.path(), transPath.string());
    EXPECT_NE(after, before);
    const StandInRun game = runStandIn(dir.path(), transPath.string());
    EXPECT_EQ(game.code, 0);
    EXPECT_EQ(game.texts, after);
    ASSERT_FALSE(game.rest.empty());
    EXPECT_EQ(game.rest[0], "ids 0e 03");
    EXPECT_TRUE(game.allChecksHeld()) << ::testing::PrintToString(game.rest);
}

}  // namespace
}  // namespace tarn
