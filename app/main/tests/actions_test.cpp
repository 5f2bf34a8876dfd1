// SPDX-License-Identifier: GPL-3.0-or-later
// The window's commands: Save, Run, Jump to, Next untranslated, Copy strings, Configure.
#include <QDir>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>

#include "app/main/tests/editor_fixture.h"
#include "app/widgets/shell.h"
#include "exetext/added_section.h"
#include "exchange/po_file.h"

namespace tarn {
namespace {

class ActionsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ShellActions fake;
        fake.startDetached = [this](const QString& program, const QStringList& arguments,
                                    const QString& folder) {
            started.push_back(program + "|" + arguments.join(',') + "|" + folder);
            return startFailure;
        };
        fake.findExecutable = [this](const QString& name) {
            looked.push_back(name);
            if (!installed.contains(name)) {
                return QString();
            }
            return name.startsWith('/') ? name : "/usr/bin/" + name;
        };
        fake.openUrl = [](const QString&) { return true; };
        setShellActionsForTesting(fake);
    }
    void TearDown() override {
        setShellActionsForTesting({});
        EditorTest::TearDown();
    }
    void jumpWith(const QString& entry, const std::function<void()>& afterOk = {}) {
        prompter.onDialog([entry, afterOk](QDialog& dialog) {
            childByName<QLineEdit>(dialog, "numberEdit")->setText(entry);
            childByName<QPushButton>(dialog, "okButton")->click();
            if (afterOk) {
                afterOk();
            }
        });
    }
    QStringList started;
    QString startFailure;  // the system's reason the fake start gives; empty: started
    QStringList installed{"wine"};  // programs the fake search finds
    QStringList looked;             // the names it was asked for, in order
};

TEST_F(ActionsTest, SaveWritesTheTranslatedColumnAndReportsTheFreeSpace) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    ASSERT_TRUE(grid()->moveTo(2, 2));
    type("Hallo");
    pressInEditor(Qt::Key_Return);
    ASSERT_TRUE(action("saveAction")->isEnabled());
    action("saveAction")->trigger();
    EXPECT_FALSE(f.session().isModified());
    EXPECT_FALSE(action("saveAction")->isEnabled());
    EXPECT_EQ(translatedOnDisk()[1], texts[1] + "Hallo");
    EXPECT_EQ(f.statusBar()->currentMessage(), "Saved");
    EXPECT_TRUE(grid()->statusTip().endsWith(" unused bytes remaining"));
    EXPECT_EQ(child<QLabel>("phaseLabel")->text(), "Arranging shortenings...");
    EXPECT_TRUE(child<QLabel>("countLabel")->text().endsWith("0/3453 strings completed"));
    EXPECT_FALSE(child<QDialog>("saveProgressDialog")->isVisible());
    // Text 41, "Map", lies at the end of text 466, "Clay Map".
    EXPECT_EQ(f.cellText(41, 3), "466");
    EXPECT_EQ(f.cellText(466, 3), "");
}

TEST_F(ActionsTest, TheTitleMarksUnsavedChangesUntilTheyAreSaved) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    EXPECT_EQ(f.windowTitle(), "TarnEdit[*]");
    EXPECT_FALSE(f.isWindowModified());
    ASSERT_TRUE(grid()->moveTo(2, 2));
    type("x");
    pressInEditor(Qt::Key_Return);
    EXPECT_TRUE(f.isWindowModified());
    setWriteFaultForTesting({WriteFault::Step::Rename, 0});
    f.saveTexts();  // refused: the changes are still unsaved
    setWriteFaultForTesting({});
    EXPECT_TRUE(f.isWindowModified());
    f.saveTexts();
    EXPECT_FALSE(f.isWindowModified());
}

TEST_F(ActionsTest, RefusedSaveKeepsModifiedAndTheFile) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    ASSERT_TRUE(grid()->moveTo(2, 2));
    type("x");
    const Bytes before = readWholeFile(transPath);
    setWriteFaultForTesting({WriteFault::Step::Rename, 0});
    f.saveTexts();
    EXPECT_TRUE(f.session().isModified());
    EXPECT_TRUE(action("saveAction")->isEnabled());
    EXPECT_EQ(readWholeFile(transPath), before);
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages().back().icon, MessageIcon::Error);
    EXPECT_EQ(prompter.messages().back().caption, "TarnEdit");
}

TEST_F(ActionsTest, TextsThatDoNotFitAreNotSaved) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    const Bytes before = readWholeFile(transPath);
    for (int row = 1; row <= 40; ++row) {
        f.setCellText(row, 2, std::string(20000, static_cast<char>('a' + row % 26)));
    }
    f.saveTexts();
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_TRUE(prompter.messages().back().text.startsWith(
        "Not enough space in the executable file - try to be shorter\n\rOr let it grow: File > "
        "Let the executable grow when the texts do not fit\n\rFirst texts that do not fit: "));
    EXPECT_TRUE(f.session().isModified());
    EXPECT_EQ(readWholeFile(transPath), before);
}

// The Save option lets the same texts be saved into a section added to the file; it is kept for
// that executable, the grown file opens, edits and saves again, and once the texts fit the build
// again without it, the file is the build's size again.
TEST_F(ActionsTest, GrowOptionSavesWhatDoesNotFitAndIsKeptPerExecutable) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    const std::uintmax_t buildSize = fs::file_size(transPath);
    QAction* grow = action("growAction");
    EXPECT_FALSE(grow->isChecked());
    for (int row = 1; row <= 40; ++row) {
        f.setCellText(row, 2, std::string(2000, static_cast<char>('a' + row % 26)));
    }
    ASSERT_TRUE(grid()->moveTo(50, 2));
    EXPECT_TRUE(child<QLabel>("budgetLabel")->text().startsWith("Over by "));
    grow->trigger();
    EXPECT_TRUE(child<QLabel>("budgetLabel")->text().endsWith(" in an added section"))
        << child<QLabel>("budgetLabel")->text().toStdString();
    EXPECT_NE(settingsText().find("[GrowExecutable]\r\n" + transPath.string() + "=1\r\n"),
              std::string::npos);
    action("saveAction")->trigger();
    ASSERT_FALSE(f.session().isModified()) << messageTexts().join("\n").toStdString();
    EXPECT_GT(fs::file_size(transPath), buildSize);
    EXPECT_TRUE(findAddedSection(readWholeFile(transPath)));
    // A second save of the grown file asks nothing: the window wrote it.
    const std::size_t asked = prompter.asked().size();
    f.setCellText(2, 2, "Zwei");
    action("saveAction")->trigger();
    ASSERT_FALSE(f.session().isModified()) << messageTexts().join("\n").toStdString();
    ASSERT_EQ(prompter.asked().size(), asked + 1);  // only the save's progress
    EXPECT_TRUE(prompter.asked().back().text.endsWith("SaveProgressDialog"));
    std::vector<std::string> expected = f.document().translatedTexts();
    EXPECT_EQ(translatedOnDisk(), expected);

    // Opened again: the choice and the texts are there; an edit saves into the grown file.
    EXPECT_TRUE(f.close());
    window.reset();
    MainWindow& again = start();
    EXPECT_TRUE(action("growAction")->isChecked());
    EXPECT_EQ(again.document().translatedTexts(), expected);
    again.setCellText(3, 2, "Drei");
    action("saveAction")->trigger();
    ASSERT_FALSE(again.session().isModified());
    expected[2] = "Drei";
    EXPECT_EQ(translatedOnDisk(), expected);

    // Short texts fit the build's areas again: the file is the build's size again.
    for (int row = 1; row <= 40; ++row) {
        again.setCellText(row, 2, texts[static_cast<std::size_t>(row - 1)]);
    }
    action("growAction")->trigger();
    EXPECT_NE(settingsText().find(transPath.string() + "=0\r\n"), std::string::npos);
    action("saveAction")->trigger();
    ASSERT_FALSE(again.session().isModified());
    EXPECT_EQ(fs::file_size(transPath), buildSize);
}

TEST_F(ActionsTest, CStyleErrorsAreStoredAsErrorMarks) {
    writeGame();
    writeSettings("[Options]\r\nCStyleStrings=1\r\n");
    MainWindow& f = start();
    f.setCellText(9, 2, "bad %");
    prompter.onDialog([](QDialog& question) {  // the save asks about the error first
        childByName<QPushButton>(question, "saveAnywayButton")->click();
    });
    f.saveTexts();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "C-style error");
    EXPECT_EQ(prompter.messages()[0].text,
              "C-string error in string number 9:\n\rUnmatched % sign at the end of the text"
              "\n\rThe string won't be saved");
    EXPECT_EQ(translatedOnDisk()[8], "-Error!-");
    // The translator's text exists only in the grid now: closing still asks.
    EXPECT_TRUE(f.session().isModified());
}

TEST_F(ActionsTest, RunSavesFirstAndStartsTheGameThroughWine) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows starts the game itself; Wine is how Run works on other systems";
#endif
    writeGame();
    writeSettings();
    MainWindow& f = start();
    action("runAction")->trigger();  // nothing modified: started at once
    ASSERT_EQ(started.size(), 1);
    const QString folder = QString::fromStdString(transPath.parent_path().string()) + "/";
    EXPECT_EQ(started[0],
              "/usr/bin/wine|" + QString::fromStdString(transPath.string()) + "|" + folder);

    ASSERT_TRUE(grid()->moveTo(3, 2));
    type("z");
    setWriteFaultForTesting({WriteFault::Step::Rename, 0});
    action("runAction")->trigger();  // the save fails: nothing is started
    EXPECT_EQ(started.size(), 1);
    setWriteFaultForTesting({});
    action("runAction")->trigger();
    EXPECT_EQ(started.size(), 2);
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(translatedOnDisk()[2], texts[2] + "z");
}

// One local file dropped on the window: a PO file is imported, another file is offered as the
// translated executable in the paths dialog.
TEST_F(ActionsTest, ADroppedPoFileIsImportedAndADroppedExecutableOffered) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    const fs::path po = dir.path() / "de.po";
    writePoFile(po, {{"Content-Type", "text/plain; charset=UTF-8"}},
                {{"exe/0002", true, "x", "Hallo", {}, false}});
    const auto drop = [&f](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f, &dropped);
        return true;
    };
    const QUrl poUrl = QUrl::fromLocalFile(QString::fromStdString(po.string()));
    EXPECT_FALSE(drop({poUrl, poUrl}));  // two files: not taken
    EXPECT_FALSE(drop({QUrl("https://example.org/de.po")}));
    ASSERT_TRUE(drop({poUrl}));
    EXPECT_EQ(f.document().cell(2, StringTableDocument::TranslatedColumn), "Hallo");
    EXPECT_EQ(prompter.messages().back().text,
              "applied 1, unchanged 0, untranslated 0, fuzzy 0, unknown 0");

    const fs::path other = dir.path() / "Other.exe";
    QString offered;
    prompter.answer(MessageAnswer::No);  // the imported text is not saved first
    prompter.onDialog([&offered](QDialog& d) {
        offered = childByName<QLineEdit>(d, "translatedPathEdit")->text();
        d.reject();
    });
    ASSERT_TRUE(drop({QUrl::fromLocalFile(QString::fromStdString(other.string()))}));
    EXPECT_EQ(offered, QString::fromStdString(other.string()));
    // Cancelled: the texts stay as they were, the import still unsaved.
    EXPECT_EQ(f.document().cell(2, StringTableDocument::TranslatedColumn), "Hallo");
    EXPECT_TRUE(f.session().isModified());
}

TEST_F(ActionsTest, RunWithoutWineSaysWhyNothingStarted) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows starts the game itself; Wine is how Run works on other systems";
#endif
    writeGame();
    writeSettings();
    installed.clear();
    start();
    action("runAction")->trigger();
    EXPECT_TRUE(started.isEmpty());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages()[0].text.contains("Wine"));

    // A start the system refuses is told with its reason, as a warning.
    installed = {"wine"};
    startFailure = QStringLiteral("Permission denied");
    action("runAction")->trigger();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].text, "Could not start " +
                                               QString::fromStdString(transPath.string()) +
                                               " through Wine:\n\rPermission denied");
    EXPECT_EQ(prompter.messages()[1].icon, MessageIcon::Warning);

    // The real start names the system's reason too.
    setShellActionsForTesting({});
    const fs::path notAProgram = dir.path() / "notes.txt";
    writeFileAtomically(notAProgram, toBytes("not a program"));
    const QString why = runExecutable(QString::fromStdString(notAProgram.string()));
    EXPECT_TRUE(why.startsWith("Could not start " + QString::fromStdString(notAProgram.string()) +
                               ":\n\r"));
    EXPECT_GT(why.size(), QString("Could not start :\n\r").size() + notAProgram.string().size())
        << why.toStdString();
}

TEST_F(ActionsTest, RunFallsBackToWine64WhereOnlyItIsInstalled) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows starts the game itself; Wine is how Run works on other systems";
#endif
    writeGame();
    writeSettings();
    installed = {"wine64", "/usr/lib/wine/wine64"};
    start();
    action("runAction")->trigger();
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(started[0].startsWith("/usr/bin/wine64|"));

    // Debian's wine64 package alone puts its starter off the search path.
    installed = {"/usr/lib/wine/wine64"};
    looked.clear();
    action("runAction")->trigger();
    ASSERT_EQ(started.size(), 2);
    EXPECT_TRUE(started[1].startsWith("/usr/lib/wine/wine64|"));
    EXPECT_EQ(looked, (QStringList{"wine", "wine64", "/usr/lib/wine/wine64"}));

    // The real search takes such an absolute path when the file there is executable.
    const auto starter = dir.path() / "wine64";
    writeFileAtomically(starter, Bytes{'#', '!'}, std::filesystem::perms::owner_all);
    const QString path = QString::fromStdString(starter.string());
    EXPECT_EQ(QStandardPaths::findExecutable(path), path);
}

TEST_F(ActionsTest, JumpToChecksTheRange) {
    writeGame();
    writeSettings();
    start();
    ASSERT_TRUE(grid()->moveTo(5, 2));
    bool stillOpen = false;
    for (const char* bad : {"0", "9999"}) {
        prompter.clear();
        jumpWith(bad, [&]() { stillOpen = child<QDialog>("jumpToTextDialog")->isVisible(); });
        action("jumpToAction")->trigger();
        EXPECT_TRUE(stillOpen) << bad;
        ASSERT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(prompter.messages()[0].text, "You have to enter a number between 1 and 3453!");
        EXPECT_EQ(prompter.messages()[0].caption, "Error");
        EXPECT_EQ(grid()->currentRow(), 5);
    }
    prompter.clear();
    jumpWith("");
    action("jumpToAction")->trigger();
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(grid()->currentRow(), 5);
    jumpWith("17");
    action("jumpToAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 17);
    EXPECT_EQ(grid()->currentColumn(), 2);  // the translation, where typing is meant to go
}

TEST_F(ActionsTest, JumpToAcceptsOnlyDigits) {
    writeGame();
    writeSettings();
    start();
    prompter.onDialog([](QDialog& dialog) {
        auto* number = childByName<QLineEdit>(dialog, "numberEdit");
        number->clear();
        QTest::keyClicks(number, "1a2-34567");
        QTest::keyClick(number, Qt::Key_Return);
    });
    action("jumpToAction")->trigger();
    EXPECT_EQ(child<QLineEdit>("numberEdit")->text(), "1234");
    EXPECT_EQ(prompter.beeps(), 2);  // the fifth digit is cut by the length limit
    EXPECT_EQ(grid()->currentRow(), 1234);
}

TEST_F(ActionsTest, DesktopKeysWorkBesideTheToolsOwnAndMenusNameBoth) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    EXPECT_EQ(action("saveAction")->text(), "Save\tF2; Ctrl+S");
    EXPECT_EQ(action("findAction")->text(), "Find...\tF5; Ctrl+F");
    EXPECT_EQ(action("replaceAction")->text(), "Replace\tF6; Ctrl+H");
    EXPECT_EQ(action("jumpToAction")->text(), "&Jump to...\tF4; Ctrl+G");
    EXPECT_EQ(action("saveAction")->iconText(), "Save");
    EXPECT_EQ(action("helpContentsAction")->shortcut(), QKeySequence(Qt::Key_F1));

    // No key means two commands of this window.
    QMap<QKeySequence, QString> owner;
    for (const QAction* a : f.actions()) {
        for (const QKeySequence& key : a->shortcuts()) {
            EXPECT_FALSE(owner.contains(key))
                << key.toString().toStdString() << ": " << owner[key].toStdString() << ", "
                << a->objectName().toStdString();
            owner[key] = a->objectName();
        }
    }

    // The keys reach their commands while a cell is being edited.
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    ASSERT_TRUE(grid()->moveTo(2, 2));
    type("x");
    QTest::keyClick(grid()->cellEditor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(translatedOnDisk()[1], texts[1] + "x");

    f.activateWindow();  // the save's progress window had the focus
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    jumpWith("17");
    QTest::keyClick(grid(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(grid()->currentRow(), 17);

    prompter.onDialog([](QDialog& dialog) { dialog.reject(); });
    QTest::keyClick(grid(), Qt::Key_H, Qt::ControlModifier);
    ASSERT_FALSE(prompter.asked().empty());
    EXPECT_EQ(prompter.asked().back().caption, "Replace");

    QTest::keyClick(grid(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(child<QDialog>("findDialog")->isVisible());
}

TEST_F(ActionsTest, NextUntranslatedFindsEqualRowsAndAsksAtTheEnd) {
    useRepetitiveSample();
    std::vector<std::string> translated = texts;
    for (auto& t : translated) {
        t += "!";
    }
    translated[199] = texts[199];  // row 200 untranslated
    texts[299] = "";               // row 300: empty original is skipped
    translated[299] = "";
    writeGame(texts, translated);
    writeSettings();
    start();
    ASSERT_TRUE(grid()->moveTo(150, 1));
    action("nextUntranslatedAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 200);
    EXPECT_EQ(grid()->currentColumn(), 2);
    ASSERT_TRUE(grid()->moveTo(3453, 1));
    action("nextUntranslatedAction")->trigger();  // unscripted: No
    EXPECT_EQ(grid()->currentRow(), 3453);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Start from the first text?");
}

TEST_F(ActionsTest, CopyStringsAsksAndMarksModified) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    action("copyTextsAction")->trigger();  // unscripted: answered No
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(prompter.messages()[0].caption, "Confirmation");
    prompter.answer(MessageAnswer::Yes);
    action("copyTextsAction")->trigger();
    EXPECT_TRUE(f.session().isModified());  // even though both columns were equal
}

TEST_F(ActionsTest, ConfigureAfterAFailedSaveDoesNotOpenThePathsDialog) {
    writeGame();
    writeSettings();
    start();
    ASSERT_TRUE(grid()->moveTo(2, 2));
    type("q");
    setWriteFaultForTesting({WriteFault::Step::Rename, 0});
    prompter.answer(MessageAnswer::Yes);
    action("pathsAction")->trigger();
    EXPECT_EQ(prompter.asked()[0].caption, "Unsaved changes");
    for (const auto& asked : prompter.asked()) {
        EXPECT_NE(asked.caption, "Configuration");
    }
    setWriteFaultForTesting({});
    prompter.clear();
    prompter.answer(MessageAnswer::Yes);
    action("pathsAction")->trigger();
    EXPECT_EQ(prompter.asked().back().caption, "Configuration");
}

// File > Recent translations: the pairs opened last, most recent first, each opened again with
// the code page and PO language it was left with, after the question about unsaved edits.
TEST_F(ActionsTest, RecentTranslationsReopenEachPairWithItsSettings) {
    writeGame();
    const fs::path otherOrig = dir.path() / "ru-orig" / "Tarn.exe";
    const fs::path otherTrans = dir.path() / "ru" / "Tarn.exe";
    std::vector<std::string> other = texts;
    other[0] = "Privet";
    for (const fs::path& path : {otherOrig, otherTrans}) {
        fs::create_directories(path.parent_path());
        writeFileAtomically(path, windowsProgram(makeSampleExecutable(2, other)));
    }
    writeSettings("[Recent]\r\nOriginal1=" + otherOrig.string() + "\r\nTranslated1=" +
                  otherTrans.string() + "\r\nFontCharset1=204\r\nLanguage1=ru\r\n");
    MainWindow& w = start();
    w.setFontCharset(238);
    emit w.aboutToWriteSettings();  // the settings are looked at: the open pair comes first
    auto* menu = child<QMenu>("recentTranslationsMenu");
    const auto shownAs = [](const fs::path& path) {
        return QDir::toNativeSeparators(QString::fromStdString(path.string()));
    };
    emit menu->aboutToShow();
    ASSERT_NE(action("recentTranslation2"), nullptr);
    EXPECT_EQ(action("recentTranslation1")->text(), "&1 " + shownAs(transPath));
    EXPECT_EQ(action("recentTranslation2")->text(), "&2 " + shownAs(otherTrans));
    EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("recentTranslation3")), nullptr);

    ASSERT_TRUE(grid()->moveTo(2, 2));
    type("q");
    prompter.answer(MessageAnswer::Cancel);
    action("recentTranslation2")->trigger();
    EXPECT_EQ(prompter.asked().back().text,
              "The texts were modified since you last saved them\n\rDo you want to save them "
              "before you open another translation?");
    EXPECT_EQ(w.originalPath(), shownAs(origPath));
    prompter.answer(MessageAnswer::Yes);  // saved, then the other pair opens
    action("recentTranslation2")->trigger();
    EXPECT_EQ(translatedOnDisk()[1], texts[1] + "q");
    EXPECT_EQ(w.originalPath(), shownAs(otherOrig));
    EXPECT_EQ(w.cellText(1, StringTableDocument::OriginalColumn), "Privet");
    EXPECT_EQ(w.fontCharset(), 204);
    EXPECT_EQ(w.settings().translation.language, "ru");

    emit menu->aboutToShow();
    EXPECT_EQ(action("recentTranslation1")->text(), "&1 " + shownAs(otherTrans));
    action("recentTranslation2")->trigger();
    EXPECT_EQ(w.originalPath(), shownAs(origPath));
    EXPECT_EQ(w.fontCharset(), 238);
    EXPECT_EQ(w.settings().translation.language, "");
    EXPECT_TRUE(w.close());
    const ProfileFile stored(settingsPath);
    EXPECT_EQ(stored.readString("Recent", "Translated1", ""), shownAs(transPath).toStdString());
    EXPECT_EQ(stored.readInteger("Recent", "FontCharset1", 0), 238);
    EXPECT_EQ(stored.readString("Recent", "Translated2", ""), shownAs(otherTrans).toStdString());
    EXPECT_EQ(stored.readInteger("Recent", "FontCharset2", 0), 204);
}

TEST_F(ActionsTest, ClosingWithUnsavedEditsAsks) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    ASSERT_TRUE(grid()->moveTo(2, 2));
    type("q");
    prompter.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(f.close());
    setWriteFaultForTesting({WriteFault::Step::Rename, 0});
    prompter.answer(MessageAnswer::Yes);
    EXPECT_FALSE(f.close());  // the save failed: the window stays
    setWriteFaultForTesting({});
    prompter.answer(MessageAnswer::No);
    EXPECT_TRUE(f.close());
    EXPECT_EQ(translatedOnDisk()[1], texts[1]);
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST_F(ActionsTest, MissingHelpFileIsReported) {
    writeGame();
    writeSettings();
    start();
    action("helpOverviewAction")->trigger();
    ASSERT_EQ(prompter.messages().size(), 1u);
    // A program outside a bin folder has its guide beside it (docs\ beside TarnEdit.exe).
    EXPECT_TRUE(prompter.messages()[0].text.endsWith(
        nativePath("/" + fromFilePath(dir.path().filename()) + "/docs/user-guide.md") +
        " could not be found."))
        << prompter.messages()[0].text.toStdString();
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
}

TEST_F(ActionsTest, HelpActionsShowTheGuideBesideTheProgram) {
    writeGame();
    writeSettings();
    fs::create_directories(dir.path() / "docs");
    fs::copy_file(TARN_USER_GUIDE, dir.path() / "docs" / "user-guide.md");
    MainWindow& f = start();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(grid(), Qt::Key_F1);
    auto* help = child<QDialog>("helpWindow");
    auto* browser = child<QTextBrowser>("helpBrowser");
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(browser->cursorForPosition(QPoint(4, 4)).block().text(), "TarnEdit user guide");
    // The edition for the system TarnEdit runs on: Windows' settings folder, or Linux's script.
    const bool windowsGuide = TARN_GUIDE_FOR_WINDOWS;
    EXPECT_EQ(browser->toPlainText().contains("%APPDATA%"), windowsGuide);
    EXPECT_EQ(browser->toPlainText().contains("scripts/run.sh"), !windowsGuide);
    action("helpOverviewAction")->trigger();
    EXPECT_EQ(browser->cursorForPosition(QPoint(4, 4)).block().text(), "Getting started");

    // The paths dialog's Help, while that dialog is modal: its section, in a window that
    // belongs to the dialog so that it can be used beside it.
    prompter.onDialog([](QDialog& dialog) {
        childByName<QPushButton>(dialog, "helpButton")->click();
        dialog.reject();
    });
    action("pathsAction")->trigger();
    EXPECT_EQ(browser->cursorForPosition(QPoint(4, 4)).block().text(), "The paths dialog");
    EXPECT_EQ(help->parentWidget(), child<QDialog>("pathsDialog"));
    EXPECT_TRUE(help->isVisible());

    // F1 on a highlighted menu item: that command's section.
    auto* menu = qobject_cast<QMenu*>(f.menuBar()->actions()[3]->menu());  // Other
    for (const auto& [item, heading] : {std::pair{"notationAction", "Codes and notations"},
                                        std::pair{"copyTextsAction", "Editing texts"}}) {
        menu->popup(f.mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(action(item));
        QTest::keyClick(menu, Qt::Key_F1);
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(browser->cursorForPosition(QPoint(4, 4)).block().text(), heading) << item;
    }
    EXPECT_EQ(help->parentWidget(), &f);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(ActionsTest, ChosenFontIsAppliedEverywhereAndStoredAtClose) {
    if (QFontDatabase::families().isEmpty()) {
        GTEST_SKIP() << "no font is installed (Windows' offscreen platform lists none)";
    }
    writeGame();
    writeSettings();
    MainWindow& f = start();
    QFont chosen(QStringLiteral("FreeSerif"));
    chosen.setPointSize(13);
    chosen.setItalic(true);
    prompter.onDialog([chosen](QDialog& dialog) {
        auto& fonts = static_cast<QFontDialog&>(dialog);
        fonts.setCurrentFont(chosen);
        fonts.accept();
    });
    action("fontAction")->trigger();
    EXPECT_EQ(f.editorFont().pointSize(), 13);
    EXPECT_EQ(child<QDialog>("pathsDialog")->font().pointSize(), 13);  // every window follows
    EXPECT_TRUE(f.close());
    const AppSettings& written = f.settings();
    EXPECT_EQ(written.options.fontSize, 13);
    EXPECT_EQ(written.options.fontStyle, 2);
    EXPECT_NE(settingsText().find("FontSize=13"), std::string::npos);
    EXPECT_NE(settingsText().find("FontStyle=2"), std::string::npos);
}

}  // namespace
}  // namespace tarn
