#include "objtrans/t_obj_translate.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>

#include <QTabWidget>
#include "common/file_io.h"
#include "enduser/ui/t_create_exe_settings.h"
#include "objfiles/object_folder.h"
#include "objtrans/obj_text_grid.h"
#include "objtrans/t_ask_lang_id.h"
#include "objtrans/t_plugin_lang_settings.h"
#include "app/widgets/test_support/test_application.h"
#include "objtrans/tests/sample_game.h"
#include "app/widgets/scripted_prompter.h"

namespace tarn {
namespace {

class ObjTranslateTest : public ::testing::Test {
protected:
    ObjTranslateTest() {
        window.TransExePath = QString::fromStdString(game.exePath().string());
        window.AskLangID = &ask;
        QObject::connect(&window, &TObjTranslate::filesLoaded, [this] { ++loads; });
        QObject::connect(&window, &TObjTranslate::statusChanged,
                         [this](const QString& text) { statuses.push_back(text); });
    }
    ~ObjTranslateTest() override { window.hide(); }

    void open() {
        const int before = loads;
        window.show();
        ASSERT_TRUE(processEventsUntil([&] { return loads > before; }));
        QApplication::processEvents();
    }
    QTreeWidgetItem* fileNode(int i) const { return window.RootNode->child(i); }
    void selectGroup(int file, int group) {
        window.TreeView1->setCurrentItem(fileNode(file)->child(group));
    }
    const ObjTextGroup& group(int file, int g) const {
        return window.Files.at(static_cast<std::size_t>(file))
            .Texts.at(static_cast<std::size_t>(g));
    }
    QString cell(int row, int column) const {
        return window.StringGrid1->item(row, column)->text();
    }
    void askFor(const QString& id) {
        prompter.onDialog([id](QDialog& d) {
            auto& dialog = static_cast<TAskLangID&>(d);
            dialog.Edit1->setText(id);
            dialog.OKButton->click();
        });
    }
    static void key(QWidget* target, int k, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }

    QApplication& app = testApplication();  // before every widget
    SampleGame game;
    ScriptedPrompter prompter;
    TAskLangID ask;
    TObjTranslate window;
    int loads = 0;
    std::vector<QString> statuses;
};

const ObjFileTexts kThreeGroups{{{0, "Sword"}, {5, "Schwert"}}, {{0, "A blade"}}, {{0, "Sharp"}}};

TEST_F(ObjTranslateTest, ShowsTheFilesAndTheirGroupsAsATree) {
    game.add("SWORD.DAT", 0, 1, kThreeGroups);
    open();
    EXPECT_EQ(window.statusText(), "1 files loaded successfully");
    EXPECT_EQ(statuses.at(1), "Loading object files...   SWORD.DAT  (1/1)");
    EXPECT_EQ(window.RootNode->text(0), "Object Files");
    EXPECT_TRUE(window.RootNode->isExpanded());
    ASSERT_EQ(window.RootNode->childCount(), 1);
    ASSERT_EQ(fileNode(0)->childCount(), 3);
    EXPECT_EQ(fileNode(0)->text(0), "SWORD.DAT");
    EXPECT_EQ(fileNode(0)->child(2)->text(0), "Text group 3");
    EXPECT_FALSE(window.Save->isEnabled());
    EXPECT_TRUE(window.Panel1->isEnabled());
    EXPECT_EQ(window.RightSide->currentWidget(), window.RootHint);

    window.TreeView1->setCurrentItem(fileNode(0));
    EXPECT_EQ(window.RightSide->currentWidget(), window.FileInfo);
    EXPECT_EQ(window.Filename->text(), "SWORD.DAT");
    EXPECT_EQ(window.InternalID->text(), "OBJECT00");
    EXPECT_EQ(window.DataType->text(), "Type 0");
    EXPECT_EQ(window.StoreMode->text(), "Type 1 (RLE compressed)");

    selectGroup(0, 0);
    EXPECT_EQ(window.RightSide->currentWidget(), window.Texts);
    ASSERT_EQ(window.StringGrid1->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "5");
    EXPECT_EQ(cell(1, 1), "Schwert");
    EXPECT_EQ(window.StringGrid1->currentRow(), 0);
    EXPECT_EQ(window.UndoText(), "Sword");
    EXPECT_FALSE(window.StringGrid1->item(0, 0)->flags() & Qt::ItemIsEditable);
}

TEST_F(ObjTranslateTest, FilesAreListedByUpperCasedNameWhateverTheLetterCase) {
    game.add("b.DAT", 3, 3, kThreeGroups);
    game.add("A.dat", 3, 0, kThreeGroups);
    game.add("c.txt", 3, 0, kThreeGroups);
    open();
    ASSERT_EQ(window.RootNode->childCount(), 2);
    EXPECT_EQ(fileNode(0)->text(0), "A.dat");
    EXPECT_EQ(fileNode(1)->text(0), "b.DAT");
    window.TreeView1->setCurrentItem(fileNode(1));
    EXPECT_EQ(window.StoreMode->text(), "Type 3 (scrambled bytes)");
}

TEST_F(ObjTranslateTest, NewIdIsAppendedAndSavedWithAnEmptyText) {
    game.add("a.dat", 1, 1, {{{0, "Sword"}, {5, "Schwert"}}});
    open();
    selectGroup(0, 0);
    askFor("14");
    window.NewIDClick();
    ASSERT_EQ(window.StringGrid1->rowCount(), 3);
    EXPECT_EQ(cell(2, 0), "14");
    EXPECT_EQ(cell(2, 1), "");
    EXPECT_EQ(window.StringGrid1->currentRow(), 2);
    EXPECT_TRUE(window.Files[0].Modified);
    EXPECT_TRUE(window.Save->isEnabled());

    window.SaveClick();
    EXPECT_EQ(window.statusText(), "1 files updated successfully");
    EXPECT_FALSE(window.Save->isEnabled());
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).Texts.at(0),
              (ObjTextGroup{{0, "Sword"}, {5, "Schwert"}, {14, ""}}));
}

TEST_F(ObjTranslateTest, AnIdAlreadyInTheGroupIsRefusedAndSelected) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Schwert"}, {7, "Epee"}}});
    open();
    selectGroup(0, 0);
    askFor("5");
    window.NewIDClick();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "This language ID already exist in this list!");
    EXPECT_EQ(prompter.messages()[0].caption, "Wrong ID");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(window.StringGrid1->currentRow(), 1);
    EXPECT_EQ(group(0, 0).size(), 3u);
    EXPECT_FALSE(window.Files[0].Modified);

    // Cancel adds nothing.
    prompter.onDialog([](QDialog& d) { static_cast<TAskLangID&>(d).CancelButton->click(); });
    window.NewIDClick();
    EXPECT_EQ(group(0, 0).size(), 3u);
}

TEST_F(ObjTranslateTest, DeletingStopsAtTheLastId) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Schwert"}}});
    open();
    selectGroup(0, 0);
    window.StringGrid1->setCurrentCell(0, 1);
    prompter.answer(MessageAnswer::No);
    window.DelIDClick();
    EXPECT_EQ(group(0, 0).size(), 2u);
    prompter.answer(MessageAnswer::Yes);
    window.DelIDClick();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].text, "Are you sure to delete Language ID 0");
    EXPECT_EQ(prompter.messages()[1].caption, "Deleting Language ID");
    EXPECT_EQ(prompter.messages()[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(group(0, 0), (ObjTextGroup{{5, "Schwert"}}));
    ASSERT_EQ(window.StringGrid1->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), "5");
    EXPECT_TRUE(window.Files[0].Modified);

    window.DelIDClick();
    ASSERT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(prompter.messages()[2].text, "Can't delete the last language ID!");
    EXPECT_EQ(prompter.messages()[2].caption, "Deleting language ID");
    EXPECT_EQ(group(0, 0).size(), 1u);
}

TEST_F(ObjTranslateTest, EditsGoStraightIntoTheGroupAndEscRestoresThem) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Schwert"}}});
    open();
    selectGroup(0, 0);
    window.StringGrid1->setCurrentCell(1, 1);
    EXPECT_EQ(window.UndoText(), "Schwert");
    window.StringGrid1->editCurrentCell();
    QLineEdit* editor = window.StringGrid1->cellEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    key(editor, Qt::Key_D, "D");
    key(editor, Qt::Key_E, QString(QChar(0xE9)));  // a code-page letter: é
    EXPECT_EQ(group(0, 0)[1].Text, "D\xE9");
    EXPECT_TRUE(window.Files[0].Modified);
    EXPECT_TRUE(window.Save->isEnabled());

    key(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(window.StringGrid1->isEditing());
    EXPECT_EQ(cell(1, 1), "Schwert");
    EXPECT_EQ(group(0, 0)[1].Text, "Schwert");
    EXPECT_TRUE(window.Files[0].Modified);
    EXPECT_TRUE(window.isVisible());

    // Committed with Enter, the edit stays.
    window.StringGrid1->editCurrentCell();
    editor = window.StringGrid1->cellEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    key(editor, Qt::Key_X, "X");
    key(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(cell(1, 1), "X");
    EXPECT_EQ(group(0, 0)[1].Text, "X");
}

TEST_F(ObjTranslateTest, SavingWritesOnlyTheModifiedFilesWithCounters) {
    for (int i = 0; i < 20; ++i) {
        game.add("f" + std::to_string(10 + i) + ".dat", 2, static_cast<std::uint8_t>(i % 2 ? 1 : 3),
                 {{{0, "Text " + std::to_string(i)}}});
    }
    std::vector<Bytes> before;
    for (int i = 0; i < 20; ++i) {
        before.push_back(game.bytes("f" + std::to_string(10 + i) + ".dat"));
    }
    open();
    ASSERT_EQ(window.Files.size(), 20u);
    window.Files[3].Texts[0][0].Text = "Neu drei";
    window.Files[3].Modified = true;
    window.Files[16].Texts[0].push_back({9, "neun"});
    window.Files[16].Modified = true;
    statuses.clear();
    window.SaveClick();
    EXPECT_EQ(statuses, (std::vector<QString>{"Saving f13.dat  (1/2)", "Saving f26.dat  (2/2)",
                                              "2 files updated successfully"}));
    for (int i = 0; i < 20; ++i) {
        const std::string name = "f" + std::to_string(10 + i) + ".dat";
        if (i == 3 || i == 16) {
            EXPECT_NE(game.bytes(name), before[static_cast<std::size_t>(i)]) << name;
        } else {
            EXPECT_EQ(game.bytes(name), before[static_cast<std::size_t>(i)]) << name;
        }
    }
    const ObjFile saved = loadObjectFile(game.file("f26.dat"));
    EXPECT_EQ(saved.Encoding, 3);
    EXPECT_EQ(saved.Texts[0].back(), (ObjText{9, "neun"}));
    EXPECT_FALSE(window.anyModified());
}

TEST_F(ObjTranslateTest, AFailedSaveStopsAndKeepsModifiedForARetry) {
    game.add("a.dat", 2, 1, {{{0, "a"}}});
    game.add("b.dat", 2, 1, {{{0, "b"}}});
    game.add("c.dat", 2, 1, {{{0, "c"}}});
    const Bytes oldB = game.bytes("b.dat");
    open();
    for (ObjFile& f : window.Files) {
        f.Texts[0][0].Text += "!";
        f.Modified = true;
    }
    window.Save->setEnabled(true);
    std::filesystem::remove(game.file("b.dat"));  // cannot be read back
    window.SaveClick();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(window.statusText(), "Saving b.dat  (2/3)");
    EXPECT_FALSE(window.Files[0].Modified);
    EXPECT_TRUE(window.Files[1].Modified);
    EXPECT_TRUE(window.Files[2].Modified);
    EXPECT_TRUE(window.Save->isEnabled());
    EXPECT_TRUE(window.Panel1->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A disk that fails at any step of the write keeps the old file whole, and the file stays
    // modified for the next try.
    writeFileAtomically(game.file("b.dat"), oldB);
    for (const WriteFault fault :
         {WriteFault{WriteFault::Step::CreateTemporary, 0},
          WriteFault{WriteFault::Step::WriteData, 3}, WriteFault{WriteFault::Step::Rename, 0}}) {
        setWriteFaultForTesting(fault);
        window.SaveClick();
        setWriteFaultForTesting({});
        EXPECT_EQ(game.bytes("b.dat"), oldB);
        EXPECT_TRUE(window.Files[1].Modified);
        EXPECT_TRUE(window.Save->isEnabled());
        EXPECT_EQ(prompter.messages().back().icon, MessageIcon::Error);
        EXPECT_TRUE(prompter.messages().back().text.contains("b.dat"));
    }

    window.SaveClick();
    EXPECT_EQ(window.statusText(), "2 files updated successfully");
    EXPECT_EQ(loadObjectFile(game.file("c.dat")).Texts[0][0].Text, "c!");
}

TEST_F(ObjTranslateTest, ClosingAsksAboutUnsavedChanges) {
    game.add("a.dat", 2, 0, {{{0, "old"}}});
    const Bytes onDisk = game.bytes("a.dat");
    open();
    selectGroup(0, 0);
    window.Files[0].Texts[0][0].Text = "new";
    window.Files[0].Modified = true;

    prompter.answer(MessageAnswer::Cancel);
    window.close();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Some of your changes aren't saved yet.\r\nDo you want to save them before closing "
              "the window?");
    EXPECT_EQ(prompter.messages()[0].caption, "Unsaved changes");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(group(0, 0)[0].Text, "new");

    prompter.answer(MessageAnswer::No);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.Files.empty());
    EXPECT_EQ(window.RootNode->childCount(), 0);
    EXPECT_EQ(window.currentFile(), -1);
    EXPECT_EQ(game.bytes("a.dat"), onDisk);

    open();
    EXPECT_EQ(group(0, 0)[0].Text, "old");
    window.close();  // nothing modified: no question
    EXPECT_EQ(prompter.messages().size(), 2u);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ObjTranslateTest, AnswerYesSavesAndClosesButAFailedSaveKeepsTheWindow) {
    game.add("a.dat", 2, 0, {{{0, "old"}}});
    open();
    window.Files[0].Texts[0][0].Text = "new";
    window.Files[0].Modified = true;
    setWriteFaultForTesting({WriteFault::Step::Rename, 0});
    prompter.answer(MessageAnswer::Yes);
    window.close();
    setWriteFaultForTesting({});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(group(0, 0)[0].Text, "new");

    prompter.answer(MessageAnswer::Yes);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).Texts[0][0].Text, "new");
}

TEST_F(ObjTranslateTest, StepsThroughTheGroupsInTreeOrderAndBeepsAtTheEnds) {
    game.add("a.dat", 0, 0, kThreeGroups);
    game.add("b.dat", 2, 0, {{{0, "b"}}});
    open();
    window.NextTextGroupClick();  // no selection yet: the root is current
    EXPECT_EQ(window.TreeView1->currentItem(), fileNode(0)->child(0));

    selectGroup(0, 2);
    window.NextTextGroupClick();
    EXPECT_EQ(window.TreeView1->currentItem(), fileNode(1)->child(0));
    EXPECT_EQ(window.currentFile(), 1);
    EXPECT_EQ(window.RightSide->currentWidget(), window.Texts);
    EXPECT_TRUE(fileNode(1)->isExpanded());
    EXPECT_EQ(prompter.beeps(), 0);

    window.NextTextGroupClick();
    EXPECT_EQ(prompter.beeps(), 1);
    EXPECT_EQ(window.TreeView1->currentItem(), fileNode(1)->child(0));

    window.PreviousTextGroupClick();
    EXPECT_EQ(window.TreeView1->currentItem(), fileNode(0)->child(2));
    selectGroup(0, 0);
    window.PreviousTextGroupClick();
    EXPECT_EQ(prompter.beeps(), 2);
    EXPECT_EQ(window.TreeView1->currentItem(), fileNode(0)->child(0));
}

TEST_F(ObjTranslateTest, AnUnreadableFileStopsTheLoadingThere) {
    game.add("a.dat", 2, 0, {{{0, "a"}}});
    game.add("b.dat", 2, 0, {{{0, "b"}}});
    game.add("c.dat", 2, 0, {{{0, "c"}}});
    Bytes b = game.bytes("b.dat");
    b[16] = 2;  // encoding 2 cannot be read
    writeFileAtomically(game.file("b.dat"), b);
    open();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Stream read error");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(window.RootNode->childCount(), 1);
    EXPECT_EQ(window.Files.size(), 1u);
    EXPECT_EQ(window.statusText(), "Loading object files...   b.dat  (2/3)");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Panel1->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ObjTranslateTest, NoObjectFilesClosesTheWindow) {
    open();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "No files found");
    EXPECT_EQ(prompter.messages()[0].text,
              "Your ObjData directory doesn't exist or contains no data files\r\nThe translated "
              "executable must be in the root of your Tarn directory for this function to work.");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::None);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ObjTranslateTest, AGroupWithoutEntriesShowsAnEmptyGridAndTakesANewId) {
    game.add("a.dat", 0, 0, {{{0, "x"}}, {}, {{0, "z"}}});
    open();
    selectGroup(0, 1);
    EXPECT_EQ(window.StringGrid1->rowCount(), 0);
    window.DelIDClick();
    EXPECT_EQ(prompter.messages().back().text, "Can't delete the last language ID!");
    askFor("3");
    window.NewIDClick();
    EXPECT_EQ(group(0, 1), (ObjTextGroup{{3, ""}}));
    window.SaveClick();
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).Texts[1], (ObjTextGroup{{3, ""}}));
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

// Run by hand (--gtest_also_run_disabled_tests) to look at the window with a group shown.
TEST_F(ObjTranslateTest, DISABLED_SaveScreenshot) {
    game.add("SWORD.DAT", 0, 1, kThreeGroups);
    game.add("SHIELD.DAT", 3, 3, {{{0, "Shield"}, {5, "Schild"}, {14, "Pajzs"}}});
    open();
    window.resize(616, 411);
    window.TreeView1->expandAll();
    selectGroup(1, 0);
    window.StringGrid1->setCurrentCell(1, 1);
    QApplication::processEvents();
    const char* folder = std::getenv("TARN_SCREENSHOTS");
    const QString prefix = QString::fromLocal8Bit(folder != nullptr ? folder : ".") + "/";
    ASSERT_TRUE(window.grab().save(prefix + "objtrans-group.png"));
    window.TreeView1->setCurrentItem(fileNode(1));
    ASSERT_TRUE(window.grab().save(prefix + "objtrans-file.png"));
    TCreateEXESettings settings;
    settings.show();
    QApplication::processEvents();
    ASSERT_TRUE(settings.grab().save(prefix + "exe-settings-options.png"));
    settings.PageControl1->setCurrentIndex(1);
    ASSERT_TRUE(settings.grab().save(prefix + "exe-settings-texts.png"));
    TPluginLangSettings languages;
    languages.show();
    QApplication::processEvents();
    ASSERT_TRUE(languages.grab().save(prefix + "plugin-lang.png"));
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST_F(ObjTranslateTest, TheGridMenuWorksFromTheKeyboard) {
    game.add("a.dat", 0, 0, kThreeGroups);
    open();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    selectGroup(0, 0);
    window.StringGrid1->setFocus();
    QTest::keyClick(window.StringGrid1, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(window.TreeView1->currentItem(), fileNode(0)->child(1));
    QTest::keyClick(window.StringGrid1, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(window.TreeView1->currentItem(), fileNode(0)->child(0));

    askFor("9");
    window.StringGrid1->setFocus();
    QTest::keyClick(window.StringGrid1, Qt::Key_Insert, Qt::AltModifier);
    EXPECT_EQ(group(0, 0).back(), (ObjText{9, ""}));
    prompter.answer(MessageAnswer::Yes);
    QTest::keyClick(window.StringGrid1, Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(group(0, 0).size(), 2u);

    // Esc outside the cell editor leaves the window open.
    QTest::keyClick(window.StringGrid1, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace tarn
