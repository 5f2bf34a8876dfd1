// SPDX-License-Identifier: GPL-3.0-or-later
// The object windows as the main window opens them, with their stored settings.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <functional>

#include "app/main/tests/editor_fixture.h"
#include "app/objects/group_texts_grid.h"
#include "app/objects/object_language_dialog.h"
#include "app/objects/object_texts_window.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/preview/preview_command.h"
#include "app/preview/preview_window.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/test_support/tree_node.h"
#include "objfiles/sample_objects.h"

namespace tarn {
namespace {

using ObjectWindowsWiring = EditorTest;

TEST_F(ObjectWindowsWiring, StoredSettingsReachTheWindowsAndAreWrittenBack) {
    writeGame();
    writeSettings(
        "[ObjTrans]\r\nEnhRLE=0\r\n[EXESettings]\r\nTextID=7\r\nText3=Bitte warten\r\n"
        "YesChars=jy\r\nTarget=native\r\n");
    MainWindow& main = start();
    PatchBuilderDialog& builder = child<ObjectTextsWindow>("objectTextsWindow")->patchBuilder();
    EXPECT_FALSE(child<ObjectTextsWindow>("objectTextsWindow")->enhancedRle());
    EXPECT_EQ(builder.textId(), 7);
    EXPECT_EQ(builder.text(3), "Bitte warten");
    EXPECT_EQ(builder.text(8), "All OK");
    EXPECT_EQ(builder.yesChars(), "jy");
    EXPECT_EQ(builder.target(), PatcherTarget::Native);

    builder.setTextId(-1);
    main.close();
    const std::string ini = settingsText();
    EXPECT_NE(ini.find("[ObjTrans]\r\nEnhRLE=0\r\n"), std::string::npos);
    EXPECT_NE(ini.find("TextID=-1"), std::string::npos);
    EXPECT_NE(ini.find("Text3=Bitte warten"), std::string::npos);
    EXPECT_NE(ini.find("YesChars=jy\r\nTarget=native\r\n"), std::string::npos) << ini;
}

TEST_F(ObjectWindowsWiring, NewSectionsFollowTheSettingsOrder) {
    writeGame();
    writeSettings();
    MainWindow& main = start();
    child<ObjectTextsWindow>("objectTextsWindow")->setEnhancedRle(false);
    main.close();
    const std::string ini = settingsText();
    const auto pluginLang = ini.find("[PluginLang]\r\nLeft=-1\r\nTop=0\r\n");  // never shown
    const auto objTrans = ini.find("[ObjTrans]\r\nLeft=-1\r\n");
    const auto exeSettings = ini.find("[EXESettings]\r\nTextID=-1\r\nEnhRLE=1\r\nText0=");
    ASSERT_NE(pluginLang, std::string::npos) << ini;
    EXPECT_LT(pluginLang, objTrans);
    EXPECT_LT(objTrans, exeSettings);
    EXPECT_NE(ini.find("IsMaximized=0\r\nEnhRLE=0\r\n"), std::string::npos) << ini;
    // Without a stored target the builder's default is written, after the other keys.
    const std::string target(patcherTargetName(defaultPatcherTarget()));
    EXPECT_NE(ini.find("YesChars=y\r\nTarget=" + target + "\r\n"), std::string::npos) << ini;
}

TEST_F(ObjectWindowsWiring, TheTranslationWindowKeepsItsPlacement) {
    writeGame();
    writeSettings(
        "[ObjTrans]\r\nLeft=10\r\nTop=60\r\nWidth=740\r\nHeight=450\r\n"
        "[PluginLang]\r\nLeft=70\r\nTop=80\r\n");
    MainWindow& main = start();
    // Fonts whose glyphs are boxes (Windows' offscreen platform has no fonts) need a wider window.
    auto* objects = child<ObjectTextsWindow>("objectTextsWindow");
    const int width = std::max(740, objects->minimumSizeHint().width());
    EXPECT_EQ(objects->geometry(), QRect(10, 60, width, 450));
    EXPECT_EQ(child<ObjectLanguageDialog>("objectLanguageDialog")->pos(), QPoint(70, 80));
    objects->setGeometry(15, 65, width, 450);
    main.close();
    const std::string ini = settingsText();
    // Only what moved is written: a width the window had to widen, never changed by the user,
    // stays as stored.
    EXPECT_NE(ini.find("[ObjTrans]\r\nLeft=15\r\nTop=65\r\nWidth=740\r\nHeight=450\r\n"),
              std::string::npos)
        << ini;
    EXPECT_NE(ini.find("[PluginLang]\r\nLeft=70\r\nTop=80\r\n"), std::string::npos) << ini;
}

TEST_F(ObjectWindowsWiring, PluginLangOkMarksTheTextsModified) {
    writeGame();
    writeSettings();
    MainWindow& main = start();
    ASSERT_FALSE(main.session().isModified());
    prompter.onDialog([](QDialog& dialog) {
        childByName<QLineEdit>(dialog, "primaryEdit")->setText("300");
        childByName<QPushButton>(dialog, "okButton")->click();
    });
    action("objectLanguageAction")->trigger();
    EXPECT_TRUE(main.session().isModified());
    EXPECT_EQ(main.document().primaryLangId(), 254);
    EXPECT_TRUE(action("saveAction")->isEnabled());
}

class ObjectTextsBeside : public EditorTest {
protected:
    void writeObjectFile(const ObjFileTexts& texts) {
        fs::create_directories(transPath.parent_path() / "objdata");
        writeFileAtomically(transPath.parent_path() / "objdata" / "SWORD.DAT",
                            makeSampleObjectFile(3, 1, texts, {'S', 'W', 'O', 'R', 'D'}, 1));
    }
    ObjectTextsWindow& objects() const { return *child<ObjectTextsWindow>("objectTextsWindow"); }
    // Opens the window from the main one and waits until its files are loaded.
    void openObjects() {
        action("objectTextsAction")->trigger();
        ASSERT_TRUE(processEventsUntil(
            [&] { return objects().statusText().endsWith("loaded successfully"); }));
    }
    TreeNode root() const {
        return TreeNode::top(*childByName<QTreeView>(objects(), "objectTree"));
    }
    GroupTextsGrid* objectGrid() const {
        return childByName<GroupTextsGrid>(objects(), "textGrid");
    }
    static void activate(QWidget& window) {
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

TEST_F(ObjectTextsBeside, TransObjIsOneWindowBesideTheMainOne) {
    writeGame();
    writeSettings();
    writeObjectFile({{{0, "Sword"}}});
    MainWindow& main = start();
    openObjects();
    EXPECT_EQ(objects().statusText(), "1 files loaded successfully");
    EXPECT_EQ(root().childCount(), 1);
    EXPECT_FALSE(objects().isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The main grid takes the focus and its texts are edited; the window stays open.
    activate(main);
    grid()->setFocus();
    ASSERT_TRUE(grid()->moveTo(1, StringTableDocument::TranslatedColumn));
    type("!");
    pressInEditor(Qt::Key_Return);
    EXPECT_TRUE(objects().isVisible());
    EXPECT_TRUE(main.session().isModified());

    // Opened again: the same window, its files kept, and it is raised.
    action("objectTextsAction")->trigger();
    EXPECT_EQ(main.findChildren<ObjectTextsWindow*>().size(), 1);
    EXPECT_TRUE(objects().isVisible());
    EXPECT_EQ(objects().document().files().size(), 1u);

    childByName<QPushButton>(objects(), "closeButton")->click();
    EXPECT_FALSE(objects().isVisible());
    EXPECT_TRUE(objects().document().files().empty());
}

// Both grids of game texts behave alike: Esc brings back the text the cell had and leaves no
// step; Undo while an editor with no typing of its own is open steps back in the history.
TEST_F(ObjectTextsBeside, BothGridsTakeTheKeysAlike) {
    writeGame();
    writeSettings();
    writeObjectFile({{{0, "Sword"}, {5, "Schwert"}}});
    MainWindow& main = start();
    openObjects();
    root().child(0).child(0).makeCurrent();
    struct Grid {
        const char* name;
        QWidget* window;
        std::function<void()> enterCell;
        std::function<void()> openEditor;
        std::function<QLineEdit*()> editor;
        std::function<QString()> text;
        QAction* undo;
        std::function<bool()> modified;
    };
    const Grid grids[] = {
        {"main window", &main,
         [&] { ASSERT_TRUE(grid()->moveTo(1, StringTableDocument::TranslatedColumn)); },
         [&] { QTest::keyClick(grid(), Qt::Key_Return); }, [&] { return grid()->cellEditor(); },
         [&] { return main.cellText(1, StringTableDocument::TranslatedColumn); },
         action("undoAction"), [&] { return main.session().isModified(); }},
        {"object texts window", &objects(), [&] { objectGrid()->setCurrentCell(1, 1); },
         [&] { objectGrid()->editCurrentCell(); }, [&] { return objectGrid()->cellEditor(); },
         [&] { return objectGrid()->item(1, 1)->text(); },
         childByName<QAction>(objects(), "objectUndoAction"),
         [&] { return objects().document().anyModified(); }},
    };
    for (const Grid& g : grids) {
        SCOPED_TRACE(g.name);
        activate(*g.window);
        g.enterCell();
        const QString before = g.text();
        g.openEditor();
        ASSERT_NE(g.editor(), nullptr);
        QTest::keyClicks(g.editor(), "xy");
        ASSERT_NE(g.text(), before);
        QTest::keyClick(g.editor(), Qt::Key_Escape);
        EXPECT_EQ(g.text(), before);
        EXPECT_FALSE(g.undo->isEnabled());
        EXPECT_FALSE(g.modified());

        g.openEditor();
        QTest::keyClicks(g.editor(), "z");
        QTest::keyClick(g.editor(), Qt::Key_Return);
        ASSERT_TRUE(g.undo->isEnabled());
        g.openEditor();
        g.undo->trigger();  // as the menus do while the editor is open
        EXPECT_EQ(g.text(), before);
        EXPECT_FALSE(g.modified());
    }
}

TEST_F(ObjectTextsBeside, ClosingTheMainWindowAsksForBothWindows) {
    writeGame();
    writeSettings();
    writeObjectFile({{{0, "Sword"}}});
    MainWindow& main = start();
    openObjects();
    objects().document().setText(0, 0, 0, "Schwert");
    ASSERT_TRUE(objects().document().anyModified());

    prompter.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(objects().isVisible());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(prompter.messages().back().text,
              "Some of your changes aren't saved yet.\r\nDo you want to save them before closing "
              "the window?");

    // Answered No for the object texts, the main window's own question follows.
    const std::size_t before = prompter.messages().size();
    ASSERT_TRUE(grid()->moveTo(1, StringTableDocument::TranslatedColumn));
    type("!");
    pressInEditor(Qt::Key_Return);
    prompter.answer(MessageAnswer::No);
    prompter.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(main.close());
    ASSERT_EQ(prompter.messages().size(), before + 2);
    EXPECT_EQ(prompter.messages().back().caption, "Unsaved changes");
    EXPECT_FALSE(objects().isVisible());
    EXPECT_TRUE(main.isVisible());
}

TEST_F(ObjectTextsBeside, ObjectTextsFollowTheNotationAndThePreviewFollowsTheActiveGrid) {
    writeGame();
    writeSettings();
    writeObjectFile({{{0, "Sword\x05"}, {5, "Schwert"}}});
    MainWindow& main = start();
    action("notationAction")->trigger();
    ASSERT_TRUE(main.document().cstyle());
    openObjects();
    root().child(0).child(0).makeCurrent();
    EXPECT_EQ(objectGrid()->item(0, 1)->text(), "Sword\\n");

    auto* preview = child<PreviewCommand>("previewCommand");
    activate(objects());
    objectGrid()->setCurrentCell(1, 1);
    preview->refreshPreview();
    EXPECT_EQ(child<PreviewWindow>("previewWindow")->lastText(), "Schwert");
    activate(main);
    preview->refreshPreview();
    EXPECT_EQ(child<PreviewWindow>("previewWindow")->lastText(), "Hi");

    // Back to raw notation in the main window: the object texts show the code as a picture.
    action("notationAction")->trigger();
    EXPECT_EQ(objectGrid()->item(0, 1)->text(), QStringLiteral("Sword\u2405"));
}

}  // namespace
}  // namespace tarn
