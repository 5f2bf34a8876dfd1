// SPDX-License-Identifier: GPL-3.0-or-later
// The settings a user changes are in the settings file as soon as they change, not only after a
// clean close, and an instance writes only what its user changed, so that two instances sharing
// the file keep each other's settings.
#include "app/main/settings_keeper.h"
#include "app/main/tests/editor_fixture.h"
#include "spelling/tests/test_dictionary.h"

#include <QComboBox>

#ifdef TARN_CRASH_CHILD
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

extern char** environ;
#endif

namespace tarn {
namespace {

class SettingsKeeperTest : public EditorTest {
protected:
    static SettingsKeeper& keeper(MainWindow& w) { return *w.findChild<SettingsKeeper*>(); }
    ProfileFile stored() const { return ProfileFile(settingsPath); }
};

// Two instances on one settings file, the second read-only: each writes what its user changed
// while it runs; neither undoes the other's, and the read-only one adds no defaults at its close.
TEST_F(SettingsKeeperTest, TwoInstancesKeepEachOthersSettings) {
    writeGame();
    writeSettings("[Options]\r\nFontSize=11\r\n");
    MainWindow& first = start();
    std::unique_ptr<MainWindow> second = openMainWindow();
    // One process holds the lock for both windows: read-only as another process's would be.
    second->session().setReadOnly(true);
    prompter.clear();

    childByName<QAction>(first, "notationAction")->trigger();
    keeper(first).flush();
    EXPECT_TRUE(stored().readBool("Options", "CStyleStrings", false));
    second->setFontCharset(204);
    keeper(*second).flush();
    EXPECT_EQ(stored().readInteger("Options", "FontCharset", 1), 204);
    EXPECT_TRUE(stored().readBool("Options", "CStyleStrings", false));

    EXPECT_TRUE(second->close());
    EXPECT_EQ(settingsText().find("[Preview]"), std::string::npos);  // no defaults
    EXPECT_TRUE(first.close());
    const ProfileFile after = stored();
    EXPECT_TRUE(after.readBool("Options", "CStyleStrings", false));
    EXPECT_EQ(after.readInteger("Options", "FontCharset", 1), 204);
    EXPECT_EQ(after.readInteger("Options", "FontSize", 8), 11);
    EXPECT_NE(settingsText().find("[Preview]"), std::string::npos);  // the lacking keys filled
}

#ifdef TARN_CRASH_CHILD
// A TarnEdit killed with SIGKILL after its user set the code page, a character table, the
// notation and a spelling language: the next start has all four.
TEST_F(SettingsKeeperTest, SettingsSurviveAKilledSession) {
    writeGame();
    writeSettings();
    const fs::path table = dir.path() / "cs-1250.tbl";
    writeFileAtomically(table, toBytes("A4=\xC5\x9A\n"));
    const fs::path dictionaries = dir.path() / "dictionaries";
    fs::create_directory(dictionaries);
    writeTestDictionary(dictionaries, "cs_CZ", {"dve\xC5\x99\x65"});
    const std::string settings = settingsPath.string();
    const std::string programDir = dir.path().string();
    const std::string tableArg = table.string();
    const std::string dictionaryArg = dictionaries.string();
    char* const argv[] = {
        const_cast<char*>(TARN_CRASH_CHILD),      const_cast<char*>(settings.c_str()),
        const_cast<char*>(programDir.c_str()),    const_cast<char*>(tableArg.c_str()),
        const_cast<char*>(dictionaryArg.c_str()), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, TARN_CRASH_CHILD, nullptr, nullptr, argv, environ), 0);
    const auto allFour = [&] {
        const ProfileFile ini = stored();
        return ini.readInteger("Options", "FontCharset", 1) == 238 &&
               ini.readBool("Options", "CStyleStrings", false) &&
               ini.readString("Characters", "TableFile", "") == tableArg &&
               ini.readString("Spelling", "Language", "") == "cs_CZ";
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!allFour() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(allFour()) << settingsText();

    MainWindow& f = start();
    EXPECT_EQ(f.fontCharset(), 238);
    EXPECT_EQ(f.codePage().number(), 1250);
    EXPECT_TRUE(f.codePage().hasPlaced());
    EXPECT_EQ(f.document().notation(), Notation::CStyle);
    QString language;
    prompter.onDialog([&](QDialog& d) {
        language = childByName<QComboBox>(d, "spellingLanguageBox")->currentData().toString();
    });
    action("spellingLanguageAction")->trigger();
    EXPECT_EQ(language, QStringLiteral("cs_CZ"));
}
#endif

}  // namespace
}  // namespace tarn
