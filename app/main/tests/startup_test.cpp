// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the paths dialog, the settings file and closing.
#include <unistd.h>
#include <QFontDatabase>
#include <QScreen>
#include <QTimer>
#include <cerrno>
#include <cstring>

#include "common/errors.h"

#include <QFileDialog>
#include <QListWidget>

#include "app/main/settings_location.h"
#include "app/main/tests/editor_fixture.h"
#include "app/widgets/game_font.h"
#include "textcodes/cstyle.h"

namespace tarn {
namespace {

using StartupTest = EditorTest;

TEST_F(StartupTest, FirstRunCancelEndsTheProgramAndStoresEverythingButThePaths) {
    bool okEnabled = true;
    QString origShown = QStringLiteral("x");
    prompter.answer(MessageAnswer::Ok);
    prompter.onDialog([&](QDialog& dialog) {
        QDialog& config = dialog;
        okEnabled = childByName<QPushButton>(config, "okButton")->isEnabled();
        origShown = childByName<QLineEdit>(config, "originalPathEdit")->text();
        childByName<QPushButton>(config, "cancelButton")->click();
    });
    MainWindow& f = start();
    ASSERT_GE(prompter.asked().size(), 2u);
    EXPECT_EQ(prompter.asked()[0].caption, "First run");
    EXPECT_EQ(prompter.asked()[0].text,
              "You are running this program for the first time\n\rPlease enter the locations of "
              "the necessary files");
    EXPECT_EQ(prompter.asked()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(prompter.asked()[1].isDialog);
    EXPECT_FALSE(okEnabled);
    EXPECT_TRUE(origShown.isEmpty());
    EXPECT_FALSE(f.isVisible());
    const std::string ini = settingsText();
    EXPECT_EQ(ini.find("[Paths]"), std::string::npos);
    for (const char* key :
         {"[Options]", "CStyleStrings=0", "FontName=", "[MainWindow]", "IsMaximized=0", "[Preview]",
          "Visible=0", "[ReplaceWin]", "[ReplaceQuestion]", "[PluginLang]", "[ObjTrans]",
          "[EXESettings]", "Text10=Press ENTER to continue", "YesChars=y"}) {
        EXPECT_NE(ini.find(key), std::string::npos) << key;
    }
}

TEST_F(StartupTest, FirstRunWithPathsLoadsBothColumnsAndStoresThePathsAtOnce) {
    writeGame();
    fs::remove(transPath);  // created as a copy of the original
    prompter.answer(MessageAnswer::Ok);
    prompter.onDialog([&](QDialog& dialog) {
        QDialog& config = dialog;
        childByName<QLineEdit>(config, "originalPathEdit")
            ->setText(QString::fromStdString(origPath.string()));
        childByName<QLineEdit>(config, "translatedPathEdit")
            ->setText(QString::fromStdString(transPath.string()));
        childByName<QPushButton>(config, "okButton")->click();
    });
    MainWindow& f = start();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.cellText(1, 1), "Hi");
    EXPECT_EQ(f.cellText(1, 2), "Hi");
    EXPECT_EQ(f.cellText(3453, 0), "3453");
    EXPECT_TRUE(fileExists(transPath));
    EXPECT_NE(settingsText().find("TransExePath=" + transPath.string()), std::string::npos);
    EXPECT_FALSE(f.session().isModified());
    EXPECT_FALSE(action("saveAction")->isEnabled());
}

TEST_F(StartupTest, PathsDialogBrowsesAndStaysOpenWhileThePathsAreRefused) {
    writeGame();
    const fs::path missing = dir.path() / "nowhere" / "Tarn.exe";
    bool stayedOpen = false;
    prompter.answer(MessageAnswer::Ok);  // "First run"
    prompter.onDialog([&](QDialog& dialog) {
        QDialog& config = dialog;
        prompter.onDialog([&](QDialog& files) {
            auto& chooser = static_cast<QFileDialog&>(files);
            chooser.selectFile(QString::fromStdString(origPath.string()));
            QMetaObject::invokeMethod(&chooser, "accept");
        });
        childByName<QPushButton>(config, "originalBrowseButton")->click();
        childByName<QLineEdit>(config, "translatedPathEdit")
            ->setText(QString::fromStdString(missing.string()));
        childByName<QPushButton>(config, "okButton")
            ->click();  // the copy into a missing folder fails
        stayedOpen = config.isVisible();
        childByName<QLineEdit>(config, "translatedPathEdit")
            ->setText(QString::fromStdString(transPath.string()));
        childByName<QPushButton>(config, "okButton")->click();
    });
    MainWindow& f = start();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(f.originalPath().toStdString(), origPath.string());
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].caption, "Error copying file");
    EXPECT_EQ(f.cellText(1, 2), "Hi");
}

TEST_F(StartupTest, UnusablePathsShowTheReasonThenThePathsDialog) {
    writeGame();
    writeFileAtomically(origPath, Bytes(1000, 0));  // unknown size
    writeSettings();
    prompter.answer(MessageAnswer::Ok);
    prompter.onDialog(
        [](QDialog& dialog) { childByName<QPushButton>(dialog, "cancelButton")->click(); });
    MainWindow& f = start();
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages()[0].caption, "Unknown filesize");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_TRUE(prompter.asked().back().isDialog);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(StartupTest, UnresolvedPointersAreListedPerFile) {
    writeGame();
    Bytes translated = readWholeFile(transPath);
    const auto pointer =
        static_cast<std::size_t>(profileByNumber(2).pointerBlocks[0].first + 4 * 4);
    std::fill(translated.begin() + static_cast<std::ptrdiff_t>(pointer),
              translated.begin() + static_cast<std::ptrdiff_t>(pointer) + 4, 0);
    writeFileAtomically(transPath, translated);
    writeSettings();
    QString label;
    QStringList numbers;
    prompter.onDialog([&](QDialog& dialog) {
        label = childByName<QLabel>(dialog, "captionLabel")->text();
        const auto* list = childByName<QListWidget>(dialog, "numberList");
        for (int i = 0; i < list->count(); ++i) {
            numbers << list->item(i)->text();
        }
        childByName<QPushButton>(dialog, "okButton")->click();
    });
    MainWindow& f = start();
    EXPECT_EQ(label,
              "Strings with the following numbers could not be found in the translated "
              "executable:");
    EXPECT_EQ(numbers, QStringList{"5"});
    EXPECT_EQ(f.cellText(5, 2), "-- Not found! --");
    EXPECT_EQ(f.cellText(5, 1), QString::fromStdString(texts[4]));
    EXPECT_EQ(prompter.asked().size(), 1u);  // the original was complete: one dialog only
}

TEST_F(StartupTest, StoredPlacementOffScreenMovesToTheCorner) {
    writeGame();
    writeSettings("[MainWindow]\r\nLeft=5000\r\nTop=10\r\nWidth=400\r\nHeight=350\r\n");
    window = std::make_unique<MainWindow>(QString::fromStdString(settingsPath.string()),
                                          QString::fromStdString(dir.path().string()));
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_EQ(window->size(), QSize(400, 350));
}

TEST_F(StartupTest, WithoutAStoredPlacementTheWindowOpensCentredAtTwoThirdsOfTheScreen) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(f.size(), QSize(available.width() * 2 / 3, available.height() * 2 / 3));
    EXPECT_LE((f.geometry().center() - available.center()).manhattanLength(), 2);

    // A small or odd screen still gets a window inside it.
    EXPECT_EQ(firstWindowRect(QRect(0, 0, 1920, 1080)), QRect(320, 180, 1280, 720));
    EXPECT_EQ(firstWindowRect(QRect(1920, 30, 1200, 900)), QRect(2120, 180, 800, 600));
}

TEST_F(StartupTest, MaximizedWindowKeepsItsRestoredBoundsThroughClosing) {
    writeGame();
    writeSettings(
        "[MainWindow]\r\nLeft=30\r\nTop=40\r\nWidth=500\r\nHeight=400\r\n"
        "IsMaximized=1\r\n");
    MainWindow& f = start();
    EXPECT_TRUE(f.isMaximized());
    EXPECT_TRUE(f.close());
    const std::string ini = settingsText();
    EXPECT_NE(ini.find("IsMaximized=1"), std::string::npos);
    EXPECT_NE(ini.find("Left=30"), std::string::npos);
    EXPECT_NE(ini.find("Top=40"), std::string::npos);
    EXPECT_NE(ini.find("Width=500"), std::string::npos);
    EXPECT_NE(ini.find("Height=400"), std::string::npos);
}

TEST_F(StartupTest, SettingsAreAppliedAndReadBackAfterClosing) {
    writeGame();
    writeSettings(
        "; translator's note\r\n[Options]\r\nCStyleStrings=1\r\nFontSize=11\r\n"
        "FontStyle=1\r\n[EXESettings]\r\nTextID=7\r\nText3=Bitte warten...\r\n"
        "[Preview]\r\nVisible=1\r\n");
    MainWindow& f = start();
    EXPECT_TRUE(action("previewAction")->isChecked());
    EXPECT_TRUE(action("notationAction")->isChecked());
    EXPECT_EQ(f.document().notation(), Notation::CStyle);
    EXPECT_EQ(f.document().notationText(7, 1), rawToCStyle(texts[6]));
    EXPECT_EQ(f.editorFont().pointSize(), 11);
    EXPECT_TRUE(f.editorFont().bold());
    f.setGeometry(12, 34, 500, 400);
    EXPECT_TRUE(f.close());
    const std::string ini = settingsText();
    EXPECT_NE(ini.find("; translator's note\r\n[Options]\r\nCStyleStrings=1\r\n"),
              std::string::npos);
    AppSettings back;
    readStartupSettings(ProfileFile(settingsPath), back);
    EXPECT_TRUE(back.options.cstyleStrings);
    EXPECT_EQ(back.options.fontSize, 11);
    EXPECT_EQ(back.options.fontStyle, 1);
    EXPECT_EQ(back.exeSettings.textId, 7);
    EXPECT_EQ(back.exeSettings.texts[3], "Bitte warten...");
    EXPECT_EQ(readPaths(ProfileFile(settingsPath)).origExePath, origPath.string());
    const PlacementSettings placement = readMainWindowPlacement(ProfileFile(settingsPath));
    EXPECT_EQ(placement.left, 12);
    EXPECT_EQ(placement.top, 34);
}

TEST_F(StartupTest, RefusedSettingsWriteAtCloseIsReportedWithThePath) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    setWriteFaultForTesting({WriteFault::Step::CreateTemporary, 0});
    EXPECT_TRUE(f.close());
    ASSERT_FALSE(prompter.messages().empty());
#ifdef _WIN32
    // The reason in the system's own words.
    EXPECT_TRUE(prompter.messages().back().text.startsWith(
        QString::fromStdString("Unable to write to " + settingsPath.string() + ". ")))
        << prompter.messages().back().text.toStdString();
#else
    EXPECT_EQ(prompter.messages().back().text,
              QString::fromStdString("Unable to write to " + settingsPath.string() +
                                     ". The folder \"" + settingsPath.parent_path().string() +
                                     "\" cannot hold a temporary file: " + std::strerror(EACCES)));
#endif
    EXPECT_EQ(prompter.messages().back().caption, "TarnEdit");
}

// A settings file that exists but cannot be read: the user hears so, the program runs on its
// defaults, and the file keeps every setting it had.
TEST_F(StartupTest, UnreadableSettingsFileIsReportedAndNeverWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no permission bits that forbid reading a file (only its ACL)";
#else
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
#endif
    writeGame();
    writeSettings();
    const Bytes before = readWholeFile(settingsPath);
    fs::permissions(settingsPath, fs::perms::owner_write);
    prompter.answer(MessageAnswer::Ok);
    prompter.onDialog([](QDialog& dialog) { dialog.reject(); });
    MainWindow& f = start();
    ASSERT_FALSE(prompter.asked().empty());
    EXPECT_TRUE(prompter.asked()[0].text.startsWith(
        QString::fromStdString("The settings file " + settingsPath.string() + " cannot be read")))
        << prompter.asked()[0].text.toStdString();
    EXPECT_EQ(prompter.asked()[0].icon, MessageIcon::Warning);
    f.close();
    fs::permissions(settingsPath, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readWholeFile(settingsPath), before);
}

TEST(GameFont, RegistrationIsSkippedWhenTheFaceIsInstalled) {
    testApplication<TarnEditApplication>();
    const QStringList families = QFontDatabase::families();
    if (families.isEmpty()) {
        GTEST_SKIP() << "no font is installed";
    }
    GameFontRegistration installed;
    EXPECT_FALSE(installed.addIfMissing(families.first().toUpper(), "/nowhere/mirk.fon"));
    EXPECT_FALSE(installed.added());
    GameFontRegistration missing;
    EXPECT_TRUE(missing.addIfMissing("No Such Face Mirkface", "/nowhere/mirk.fon"));
    missing.remove();
    EXPECT_FALSE(missing.added());
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST(ExceptionBox, AnExceptionThatReachesTheEventLoopIsShownAndTheProgramGoesOn) {
    testApplication<TarnEditApplication>();
    ScriptedPrompter prompter;
    QObject receiver;
    QTimer::singleShot(0, &receiver, []() { throw FileError("Cannot open file \"x\""); });
    QCoreApplication::processEvents();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Cannot open file \"x\"");
    EXPECT_EQ(prompter.messages()[0].caption, "TarnEdit");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
}

TEST(SettingsLocation, OptionNamesTheFileOtherwiseBesideTheProgram) {
    testApplication<TarnEditApplication>();
    EXPECT_TRUE(settingsOptionOf({}).isEmpty());
    // Named with either separator, the file is shown and used in the system's own form.
#ifdef _WIN32
    EXPECT_EQ(settingsOptionOf({"--settings", "C:/p/a.ini"}), "C:\\p\\a.ini");
    EXPECT_EQ(settingsOptionOf({"--settings=C:\\p/b.ini"}), "C:\\p\\b.ini");
#else
    EXPECT_EQ(settingsOptionOf({"--settings", "/p/a.ini"}), "/p/a.ini");
    EXPECT_EQ(settingsOptionOf({"--settings=/p/b.ini"}), "/p/b.ini");
#endif
    TempDir program;
    TempDir config;
    const QString programDir = fromFilePath(program.path());
    const QString configDir = fromFilePath(config.path() / "TarnEdit");
    const QString name = QDir::separator() + QStringLiteral("tarnedit.ini");
    EXPECT_EQ(defaultSettingsPath(programDir, configDir), programDir + name);
    const QString missing = fromFilePath(program.path() / "gone");
    EXPECT_EQ(defaultSettingsPath(missing, configDir), configDir + name);
    EXPECT_TRUE(directoryExists(config.path() / "TarnEdit"));
    // An installed copy keeps its settings in the user's folder, its own folder writable or not.
    writeFileAtomically(program.path() / kUninstallerName, Bytes{});
    EXPECT_EQ(defaultSettingsPath(programDir, configDir), configDir + name);
}

}  // namespace
}  // namespace tarn
