// SPDX-License-Identifier: GPL-3.0-or-later
// The object windows as the main window opens them, with their stored settings.
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <functional>

#include "app/main/tests/editor_fixture.h"
#include "app/objects/object_language_dialog.h"
#include "app/objects/object_texts_session.h"
#include "app/objects/object_texts_window.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/preview/preview_action.h"
#include "app/preview/preview_window.h"
#include "app/widgets/spelling_highlighter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/test_support/tree_node.h"
#include "objfiles/sample_objects.h"
#include "spelling/tests/test_dictionary.h"

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
    const auto objectWindow = ini.find("[ObjTrans]\r\nLeft=-1\r\n");
    const auto exeSettings = ini.find("[EXESettings]\r\nTextID=-1\r\nEnhRLE=1\r\nText0=");
    ASSERT_NE(pluginLang, std::string::npos) << ini;
    EXPECT_LT(pluginLang, objectWindow);
    EXPECT_LT(objectWindow, exeSettings);
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
    void writeObjectFile(const ObjectFileTexts& texts) {
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
    TextGridView* objectGrid() const { return childByName<TextGridView>(objects(), "textGrid"); }
    static void activate(QWidget& window) {
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

// A window never placed from the settings keeps the place and size it was shown at, and is
// shown there again.
TEST_F(ObjectTextsBeside, AWindowShownWithoutAStoredPlacementIsRemembered) {
    writeGame();
    writeSettings();
    writeObjectFile({{{0, "Sword"}}});
    MainWindow& main = start();
    openObjects();
    const QRect shown = objects().geometry();
    objects().close();
    openObjects();
    EXPECT_EQ(objects().geometry(), shown);
    objects().close();
    main.close();
    const std::string stored = "[ObjTrans]\r\nLeft=" + std::to_string(shown.left()) +
                               "\r\nTop=" + std::to_string(shown.top()) +
                               "\r\nWidth=" + std::to_string(shown.width()) +
                               "\r\nHeight=" + std::to_string(shown.height()) + "\r\n";
    const std::string ini = settingsText();
    EXPECT_NE(ini.find(stored), std::string::npos) << ini;
}

// The object grid's editor underlines with the main window's dictionary.
TEST_F(ObjectTextsBeside, TheObjectGridSpellsWithTheMainWindowsDictionary) {
    const fs::path dictionaries = dir.path() / "dictionaries";
    fs::create_directories(dictionaries);
    writeTestDictionary(dictionaries, "de_DE", {"Schwert"});
    writeGame();
    writeSettings("[Spelling]\r\nLanguage=de_DE\r\nDictionaryFolder=" + dictionaries.string() +
                  "\r\n");
    writeObjectFile({{{0, "Sword"}, {5, "Schwert Scharf"}}});
    start();
    openObjects();
    root().child(0).child(0).makeCurrent();
    objectGrid()->moveTo(2, 1);
    objectGrid()->editCurrentCell();
    ASSERT_NE(objectGrid()->cellEditor(), nullptr);
    QCoreApplication::processEvents();
    auto* highlighter = objectGrid()->cellEditor()->findChild<SpellingHighlighter*>();
    ASSERT_NE(highlighter, nullptr);
    ASSERT_EQ(highlighter->unknownWords().size(), 1u);
    EXPECT_EQ(highlighter->unknownWords()[0].word, "Scharf");
}

TEST_F(ObjectTextsBeside, ObjectWindowIsOneWindowBesideTheMainOne) {
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

// Both grids of game texts take the keys alike, by one set of cell rules over one session shape:
// Enter opens the editor and commits, Esc brings back the text the cell had and leaves no step,
// Ctrl+Z acts on the editor's own typing first and then on the history, Ctrl+Y makes the step
// again, Tab leaves the grid's current cell as it is, a C-style text that does not convert is
// held until Esc, and a read-only grid opens no editor and takes no text.
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
        TextGridView* view;
        GameTextsSession& session;
        int row;  // the cell typed in
        int column;
        int otherRow;  // another text cell of the same column
        QAction* undo;
    };
    const Grid grids[] = {
        {"main window", &main, grid(), main.session(), 1, StringTableDocument::TranslatedColumn, 2,
         action("undoAction")},
        {"object texts window", &objects(), objectGrid(), objects().session(), 2, 1, 1,
         childByName<QAction>(objects(), "objectUndoAction")},
    };
    for (const Grid& g : grids) {
        SCOPED_TRACE(g.name);
        const auto text = [&] {
            return g.view->model()->index(g.row - 1, g.column).data().toString();
        };
        const auto keys = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QWidget* focus = g.view->isEditing() ? static_cast<QWidget*>(g.view->cellEditor())
                                                 : static_cast<QWidget*>(g.view);
            QTest::keyClick(focus, key, modifiers);
        };
        activate(*g.window);
        ASSERT_TRUE(g.view->moveTo(g.row, g.column));
        g.view->setFocus();
        const QString before = text();
        const int steps = g.session.stack().count();

        // Esc: the text comes back and no step is left.
        keys(Qt::Key_Return);
        ASSERT_NE(g.view->cellEditor(), nullptr);
        QTest::keyClicks(g.view->cellEditor(), "xy");
        ASSERT_NE(text(), before);
        keys(Qt::Key_Escape);
        EXPECT_FALSE(g.view->isEditing());
        EXPECT_EQ(text(), before);
        EXPECT_EQ(g.session.stack().count(), steps);
        EXPECT_FALSE(g.undo->isEnabled());
        EXPECT_FALSE(g.session.isModified());

        // Enter commits the typing as one step.
        keys(Qt::Key_Return);
        QTest::keyClicks(g.view->cellEditor(), "z");
        keys(Qt::Key_Return);
        EXPECT_FALSE(g.view->isEditing());
        const QString typed = text();
        EXPECT_NE(typed, before);
        EXPECT_EQ(g.session.stack().count(), steps + 1);
        EXPECT_TRUE(g.session.isModified());

        // Ctrl+Z in an editor with typing of its own takes that back, not the step below.
        keys(Qt::Key_Return);
        QTest::keyClicks(g.view->cellEditor(), "w");
        keys(Qt::Key_Z, Qt::ControlModifier);
        ASSERT_TRUE(g.view->isEditing());
        EXPECT_EQ(text(), typed);
        keys(Qt::Key_Return);
        // With the editor closed, the keys act on the history.
        keys(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(text(), before);
        EXPECT_FALSE(g.session.isModified());
        keys(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(text(), typed);
        EXPECT_TRUE(g.session.isModified());
        // Undo while an editor with no typing of its own is open steps back in the history.
        keys(Qt::Key_Return);
        g.undo->trigger();  // as the menus do while the editor is open
        EXPECT_EQ(text(), before);
        EXPECT_FALSE(g.session.isModified());

        // Tab leaves the current cell where it was.
        g.view->setFocus();
        keys(Qt::Key_Tab);
        EXPECT_EQ(g.view->currentRow(), g.row);
        EXPECT_EQ(g.view->currentColumn(), g.column);

        // A zero byte would end the text where the game reads it: a paste holding one is
        // refused whole.
        keys(Qt::Key_Return);
        ASSERT_NE(g.view->cellEditor(), nullptr);
        QApplication::clipboard()->setText(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
        g.view->cellEditor()->paste();
        EXPECT_EQ(g.view->cellEditor()->text(), before);
        keys(Qt::Key_Escape);
        EXPECT_EQ(text(), before);

        // Read-only: no editor opens and no text is taken.
        g.session.setReadOnly(true);
        g.view->editCurrentCell();
        EXPECT_FALSE(g.view->isEditing());
        g.view->model()->setData(g.view->currentIndex(), QStringLiteral("Blade"));
        EXPECT_EQ(text(), before);
        g.session.setReadOnly(false);
    }

    // A C-style text that does not convert is held: Enter and moves are refused with the same
    // message, and Esc brings back the text without a step.
    action("notationAction")->trigger();
    for (const Grid& g : grids) {
        SCOPED_TRACE(g.name);
        activate(*g.window);
        ASSERT_TRUE(g.view->moveTo(g.row, g.column));
        const QString before = g.view->model()->index(g.row - 1, g.column).data().toString();
        const int steps = g.session.stack().index();
        const std::size_t shown = prompter.messages().size();
        g.view->editCurrentCell();
        ASSERT_NE(g.view->cellEditor(), nullptr);
        QTest::keyClick(g.view->cellEditor(), Qt::Key_End);
        QTest::keyClicks(g.view->cellEditor(), " 50%");
        QTest::keyClick(g.view->cellEditor(), Qt::Key_Return);
        EXPECT_TRUE(g.view->isEditing());
        EXPECT_FALSE(g.view->moveTo(g.otherRow, g.column));
        ASSERT_EQ(prompter.messages().size(), shown + 2);
        EXPECT_EQ(prompter.messages().back().caption, "Error in string");
        EXPECT_TRUE(prompter.messages().back().text.contains("Unmatched % sign"));
        QTest::keyClick(g.view->cellEditor(), Qt::Key_Escape);
        EXPECT_EQ(g.view->model()->index(g.row - 1, g.column).data().toString(), before);
        EXPECT_EQ(g.session.stack().index(), steps);
        EXPECT_TRUE(g.view->moveTo(g.otherRow, g.column));
    }
}

// %S and %c take the next stored bytes as data: both grids, in both notations, refuse typing
// into the data or between the code's characters, and Delete or Backspace on the code or a data
// byte removes the code with all its data, which the editor's own undo brings back.
TEST_F(ObjectTextsBeside, BothGridsKeepCodeDataWithItsCode) {
    texts[0] = "A\x83xyB";  // A %S x y B
    writeGame();
    writeSettings();
    writeObjectFile({{{0, "Sword"}, {5, "A\x83xyB"}}});
    MainWindow& main = start();
    openObjects();
    root().child(0).child(0).makeCurrent();
    struct Grid {
        const char* name;
        QWidget* window;
        TextGridView* view;
        int row;
        int column;
    };
    const Grid grids[] = {
        {"main window", &main, grid(), 1, StringTableDocument::TranslatedColumn},
        {"object texts window", &objects(), objectGrid(), 2, 1},
    };
    struct Shown {
        const char* name;
        int inside;     // a cursor position inside the code or its data
        int onData;     // a data character, removed by Delete
        int afterData;  // Backspace here takes the last data character
    };
    const Shown notations[] = {{"raw", 2, 3, 4}, {"C-style", 2, 4, 5}};
    for (const Shown& n : notations) {
        SCOPED_TRACE(n.name);
        for (const Grid& g : grids) {
            SCOPED_TRACE(g.name);
            const auto text = [&] {
                return g.view->model()->index(g.row - 1, g.column).data().toString();
            };
            activate(*g.window);
            ASSERT_TRUE(g.view->moveTo(g.row, g.column));
            const QString before = text();
            QSignalSpy refused(g.view, &TextGridView::characterRefused);
            const int beeps = prompter.beeps();
            g.view->editCurrentCell();
            QLineEdit* editor = g.view->cellEditor();
            ASSERT_NE(editor, nullptr);

            editor->setCursorPosition(n.inside);
            QTest::keyClicks(editor, "q");
            EXPECT_EQ(editor->text(), before);
            EXPECT_EQ(prompter.beeps(), beeps + 1);
            ASSERT_EQ(refused.size(), 1);
            EXPECT_EQ(refused.front().front().toString(),
                      "The 2 bytes after the value code %S are its data and go with it: type "
                      "before the code or after its data; Delete or Backspace removes the code "
                      "with its data");
            // A selection reaching into the data is not replaced either.
            editor->setSelection(0, n.inside);
            QTest::keyClicks(editor, "q");
            EXPECT_EQ(editor->text(), before);
            // Before the code and after its data, typing is taken.
            editor->setCursorPosition(1);
            QTest::keyClicks(editor, "q");
            EXPECT_EQ(text(), before.left(1) + "q" + before.mid(1));
            QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(text(), before);

            for (const auto& [key, at] :
                 {std::pair{Qt::Key_Delete, n.onData}, std::pair{Qt::Key_Backspace, n.afterData},
                  std::pair{Qt::Key_Delete, 1}}) {
                editor->setCursorPosition(at);
                QTest::keyClick(editor, key);
                EXPECT_EQ(text(), "AB");
                QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
                EXPECT_EQ(text(), before);
            }
            // A letter after the data goes alone.
            editor->setCursorPosition(static_cast<int>(before.size()) - 1);
            QTest::keyClick(editor, Qt::Key_Delete);
            EXPECT_EQ(text(), before.chopped(1));
            QTest::keyClick(editor, Qt::Key_Escape);
            EXPECT_EQ(text(), before);
        }
        action("notationAction")->trigger();
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
    ASSERT_EQ(main.document().notation(), Notation::CStyle);
    openObjects();
    root().child(0).child(0).makeCurrent();
    EXPECT_EQ(objectGrid()->model()->index(0, 1).data().toString(), "Sword\\n");

    auto* preview = child<PreviewAction>("previewCommand");
    activate(objects());
    ASSERT_TRUE(objectGrid()->moveTo(2, 1));
    preview->refreshPreview();
    EXPECT_EQ(child<PreviewWindow>("previewWindow")->lastText(), "Schwert");
    activate(main);
    preview->refreshPreview();
    EXPECT_EQ(child<PreviewWindow>("previewWindow")->lastText(), "Hi");

    // Back to raw notation in the main window: the object texts show the code as a picture.
    action("notationAction")->trigger();
    EXPECT_EQ(objectGrid()->model()->index(0, 1).data().toString(), QStringLiteral("Sword\u2405"));
}

}  // namespace
}  // namespace tarn
