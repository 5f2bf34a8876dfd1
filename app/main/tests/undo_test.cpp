// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's history: every action that changes the texts is one step, undone and redone
// through the Edit menu and the keys, and Modified follows the state of the last save.
#include <QCheckBox>
#include <QTreeView>
#include <functional>

#include "app/main/checks_panel.h"
#include "app/main/tests/editor_fixture.h"
#include "exetext/space_budget.h"

namespace tarn {
namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

class UndoTest : public EditorTest {
public:
    // What the table of actions below drives.
    using EditorTest::action;
    using EditorTest::child;
    using EditorTest::pressInEditor;
    using EditorTest::prompter;
    using EditorTest::type;
    using EditorTest::window;

protected:
    void SetUp() override {
        EditorTest::SetUp();
        writeGame();
        writeSettings();
    }
    std::vector<std::string> translated() const { return window->document().translatedTexts(); }
    // Ctrl plus key on whatever has the focus in the window.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid();
        QTest::keyClick(target, key, modifiers);
    }
    void replaceAll(const QString& toFind, const QString& newText) {
        prompter.onDialog([&](QDialog& d) {
            childByName<QLineEdit>(d, "toFindEdit")->setText(toFind);
            childByName<QLineEdit>(d, "newTextEdit")->setText(newText);
            childByName<QCheckBox>(d, "promptBox")->setChecked(false);
            childByName<QPushButton>(d, "replaceButton")->click();
        });
        prompter.answer(MessageAnswer::Ok);  // "All matching strings were replaced"
        prompter.onDialog([](QDialog& d) { childByName<QPushButton>(d, "closeButton")->click(); });
        action("replaceAction")->trigger();
    }
};

TEST_F(UndoTest, UndoOfReplaceAllBringsBackEveryByteAndTheSavedState) {
    MainWindow& f = start();
    grid()->setFocus();
    EXPECT_FALSE(action("undoAction")->isEnabled());
    fillWithCargoTexts(f);
    const std::vector<std::string> before = translated();
    // The run is announced as done once, with every text it changed.
    std::vector<ChangedTexts> done;
    const auto note = QObject::connect(&f.session(), &TextsSession::textsChanged,
                                       [&done](const ChangedTexts& changed) {
                                           if (!changed.ongoing) {
                                               done.push_back(changed);
                                           }
                                       });
    replaceAll("cargo", "fret");
    QObject::disconnect(note);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].rows.size(), static_cast<std::size_t>(StringTableDocument::kRows));
    EXPECT_EQ(action("undoAction")->text(), "Undo Replace All (3453 texts)");
    EXPECT_TRUE(f.session().isModified());

    press(Qt::Key_Z);
    EXPECT_EQ(translated(), before);
    // The budget shows the texts as they are again.
    EXPECT_EQ(child<QLabel>("budgetLabel")->text().toStdString(),
              spaceBudgetStatus(spaceBudget(profileByNumber(f.translatedProfile()).textAreas,
                                            before, Notation::Raw)));
    EXPECT_EQ(action("redoAction")->text().section('\t', 0, 0), "Redo Replace All (3453 texts)");
    press(Qt::Key_Y);
    for (const std::string& text : translated()) {
        ASSERT_NE(text.find("fret"), std::string::npos);
    }
    press(Qt::Key_Z);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(translated()[0].find("fret"), std::string::npos);

    // Undoing every step comes back to the state of the opened files.
    press(Qt::Key_Z);
    press(Qt::Key_Z);
    EXPECT_EQ(translated(), texts);
    EXPECT_FALSE(f.session().isModified());
    EXPECT_FALSE(f.isWindowModified());
    EXPECT_FALSE(action("saveAction")->isEnabled());

    // A save keeps the history; undoing past it is a change of the saved texts.
    f.setCellText(3, Translated, "z");
    f.saveTexts();
    EXPECT_FALSE(f.session().isModified());
    action("undoAction")->trigger();
    EXPECT_EQ(translated(), texts);
    EXPECT_TRUE(f.session().isModified());
    action("redoAction")->trigger();
    EXPECT_FALSE(f.session().isModified());
}

// Each action is one step named in the Edit menu, and marks the texts modified even when it
// changes no byte; undo takes it back whole.
TEST_F(UndoTest, EachActionIsOneStep) {
    struct Case {
        const char* step;
        std::function<void(UndoTest&)> act;
    };
    const Case cases[] = {
        {"Edit text 8",
         [](UndoTest& t) {
             ASSERT_TRUE(t.grid()->moveTo(8, Translated));
             t.type("abc");
             t.pressInEditor(Qt::Key_Backspace);
             t.pressInEditor(Qt::Key_Return);
             ASSERT_TRUE(t.grid()->moveTo(9, Translated));
         }},
        {"Copy strings",
         [](UndoTest& t) {
             t.prompter.answer(MessageAnswer::Yes);
             t.action("copyTextsAction")->trigger();
         }},
        {"Object language options",
         [](UndoTest& t) {
             t.prompter.onDialog(
                 [](QDialog& dialog) { childByName<QPushButton>(dialog, "okButton")->click(); });
             t.action("objectLanguageAction")->trigger();
         }},
        {"Replace with look-alike",
         [](UndoTest& t) {
             t.action("checksAction")->trigger();
             ASSERT_TRUE(t.grid()->moveTo(5, Translated));
             t.type(QString());
             // A typed code character is refused: the text reaches the editor as set.
             QLineEdit* editor = t.grid()->cellEditor();
             editor->setText(editor->text() + QString::fromUtf8(" \xE2\x80\x9CHallo"));
             t.pressInEditor(Qt::Key_Return);
             ASSERT_TRUE(t.grid()->moveTo(6, Translated));
             t.window->saveTexts();  // the replacement is the one step after the save
             auto* list = t.child<QTreeView>("checksList");
             const QAbstractItemModel* rows = list->model();
             for (int i = 0; i < rows->rowCount(); ++i) {
                 const QModelIndex index = rows->index(i, 0);
                 if (index.data().toInt() == 5 &&
                     index.siblingAtColumn(2).data().toString() == "typed-code") {
                     list->setCurrentIndex(index);
                 }
             }
             t.child<QAction>("lookAlikeAction")->trigger();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        MainWindow& f = start();
        c.act(*this);
        const std::vector<std::string> after = translated();
        const std::uint8_t ids[] = {f.document().primaryLangId(), f.document().secondaryLangId()};
        EXPECT_TRUE(f.session().isModified());
        EXPECT_EQ(action("undoAction")->text(), QStringLiteral("Undo ") + c.step);
        action("undoAction")->trigger();
        EXPECT_FALSE(f.session().isModified());
        EXPECT_FALSE(f.isWindowModified());
        action("redoAction")->trigger();
        EXPECT_TRUE(f.session().isModified());
        EXPECT_EQ(translated(), after);
        EXPECT_EQ(f.document().primaryLangId(), ids[0]);
        EXPECT_EQ(f.document().secondaryLangId(), ids[1]);
        window->hide();
        window.reset();
        prompter.clear();
    }
}

}  // namespace
}  // namespace tarn
