// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_texts_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QSysInfo>
#include <QTest>
#include <QTreeView>

#include <cstdlib>

#include <QTabWidget>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "app/objects/object_language_dialog.h"
#include "app/objects/tests/object_window_fixture.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/widgets/paste_guard.h"
#include "common/file_io.h"
#include "objfiles/object_folder.h"

namespace tarn {
namespace {

class ObjectTextsWindowTest : public ObjectWindowTest {
protected:
    ObjectTextsWindowTest() {
        QObject::connect(&window, &ObjectTextsWindow::statusChanged,
                         [this](const QString& text) { statuses.push_back(text); });
    }

    TreeNode fileNode(int i) const { return root().child(i); }
    QPushButton* saveButton() const { return childByName<QPushButton>(window, "saveButton"); }
    QWidget* buttonPanel() const { return childByName<QWidget>(window, "buttonPanel"); }
    QString label(const char* name) const { return childByName<QLabel>(window, name)->text(); }
    // The objectName of the page on the right.
    QString page() const {
        return childByName<QStackedWidget>(window, "pages")->currentWidget()->objectName();
    }
    bool modified(std::size_t file) const { return window.document().isModified(file); }
    void selectGroup(int file, int group) { fileNode(file).child(group).makeCurrent(); }
    const ObjectTextGroup& group(int file, int g) const {
        return window.document().group(static_cast<std::size_t>(file), static_cast<std::size_t>(g));
    }
    QString cell(int row, int column) const { return grid()->text(row, column); }
    void askFor(const QString& id) {
        prompter.onDialog([id](QDialog& dialog) {
            childByName<QLineEdit>(dialog, "idEdit")->setText(id);
            childByName<QPushButton>(dialog, "okButton")->click();
        });
    }
    static void key(QWidget* target, int k, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }

    std::vector<QString> statuses;
};

const ObjectFileTexts kThreeGroups{{{0, "Sword"}, {5, "Schwert"}}, {{0, "A blade"}}, {{0, "Sharp"}}};

TEST_F(ObjectTextsWindowTest, ShowsTheFilesAndTheirGroupsAsATree) {
    game.add("SWORD.DAT", 0, 1, kThreeGroups);
    open();
    EXPECT_EQ(window.statusText(), "1 files loaded successfully");
    EXPECT_EQ(statuses.at(1), "Loading object files...   SWORD.DAT  (1/1)");
    EXPECT_EQ(root().text(), "Object Files");
    EXPECT_TRUE(root().isExpanded());
    ASSERT_EQ(root().childCount(), 1);
    ASSERT_EQ(fileNode(0).childCount(), 3);
    EXPECT_EQ(fileNode(0).text(), "SWORD.DAT");
    EXPECT_EQ(fileNode(0).child(2).text(), "Text group 3");
    EXPECT_FALSE(saveButton()->isEnabled());
    EXPECT_TRUE(buttonPanel()->isEnabled());
    EXPECT_EQ(page(), "rootHintPage");

    fileNode(0).makeCurrent();
    EXPECT_EQ(page(), "fileInfoPage");
    EXPECT_EQ(label("fileNameLabel"), "SWORD.DAT");
    EXPECT_EQ(label("internalIdLabel"), "OBJECT00");
    EXPECT_EQ(label("dataTypeLabel"), "Type 0");
    EXPECT_EQ(label("storageModeLabel"), "Type 1 (RLE compressed)");

    selectGroup(0, 0);
    EXPECT_EQ(page(), "groupTextsPage");
    ASSERT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "5");
    EXPECT_EQ(cell(1, 1), "Schwert");
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_EQ(window.undoText(), "Sword");
    EXPECT_FALSE(grid()->flags(0, 0) & Qt::ItemIsEditable);
}

// Counts the layout requests that reach the watched widgets.
struct LayoutRequests : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::LayoutRequest ? 1 : 0;
        return false;
    }
};

TEST_F(ObjectTextsWindowTest, ANewStatusTextRepaintsTheLineWithoutLayingOutTheWindow) {
    game.add("SWORD.DAT", 0, 1, kThreeGroups);
    open();
    auto* statusBar = childByName<QWidget>(window, "statusBar");
    auto* statusLabel = childByName<QLabel>(window, "statusLabel");
    const int lineHeight = statusLabel->height();
    LayoutRequests requests;
    window.installEventFilter(&requests);
    statusBar->installEventFilter(&requests);
    for (const QString& text : {QStringLiteral("short"), QString(300, QLatin1Char('w')),
                                QStringLiteral("two\nlines"), QString()}) {
        window.reportRefusal(text.isEmpty() ? QStringLiteral(" ") : text);
        QApplication::processEvents();
    }
    EXPECT_EQ(requests.count, 0);
    EXPECT_EQ(window.statusText(), " ");
    // The line keeps its height and the window's width, whatever it said.
    EXPECT_EQ(statusLabel->height(), lineHeight);
    EXPECT_GE(statusLabel->height(), statusLabel->fontMetrics().height());
    EXPECT_GT(statusLabel->width(), window.width() / 2);
    EXPECT_LE(window.width(), 1024);
}

TEST_F(ObjectTextsWindowTest, FilesAreListedByUpperCasedNameWhateverTheLetterCase) {
    game.add("b.DAT", 3, 3, kThreeGroups);
    game.add("A.dat", 3, 0, kThreeGroups);
    game.add("c.txt", 3, 0, kThreeGroups);
    open();
    ASSERT_EQ(root().childCount(), 2);
    EXPECT_EQ(fileNode(0).text(), "A.dat");
    EXPECT_EQ(fileNode(1).text(), "b.DAT");
    fileNode(1).makeCurrent();
    EXPECT_EQ(label("storageModeLabel"), "Type 3 (scrambled bytes)");
}

TEST_F(ObjectTextsWindowTest, NewIdIsAppendedAndSavedWithAnEmptyText) {
    game.add("a.dat", 1, 1, {{{0, "Sword"}, {5, "Schwert"}}});
    open();
    selectGroup(0, 0);
    askFor("14");
    window.addLanguageId();
    ASSERT_EQ(grid()->rowCount(), 3);
    EXPECT_EQ(cell(2, 0), "14");
    EXPECT_EQ(cell(2, 1), "");
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_TRUE(modified(0));
    EXPECT_TRUE(saveButton()->isEnabled());

    window.saveModified();
    EXPECT_EQ(window.statusText(), "1 files updated successfully");
    EXPECT_FALSE(saveButton()->isEnabled());
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).texts.at(0),
              (ObjectTextGroup{{0, "Sword"}, {5, "Schwert"}, {14, ""}}));
}

TEST_F(ObjectTextsWindowTest, AnIdAlreadyInTheGroupIsRefusedAndSelected) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Schwert"}, {7, "Epee"}}});
    open();
    selectGroup(0, 0);
    askFor("5");
    window.addLanguageId();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "This language ID already exist in this list!");
    EXPECT_EQ(prompter.messages()[0].caption, "Wrong ID");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(group(0, 0).size(), 3u);
    EXPECT_FALSE(modified(0));

    // Cancel adds nothing.
    prompter.onDialog(
        [](QDialog& dialog) { childByName<QPushButton>(dialog, "cancelButton")->click(); });
    window.addLanguageId();
    EXPECT_EQ(group(0, 0).size(), 3u);
}

TEST_F(ObjectTextsWindowTest, DeletingStopsAtTheLastId) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Schwert"}}});
    open();
    selectGroup(0, 0);
    grid()->setCurrentCell(0, 1);
    prompter.answer(MessageAnswer::No);
    window.removeLanguageId();
    EXPECT_EQ(group(0, 0).size(), 2u);
    prompter.answer(MessageAnswer::Yes);
    window.removeLanguageId();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].text, "Are you sure to delete Language ID 0");
    EXPECT_EQ(prompter.messages()[1].caption, "Deleting Language ID");
    EXPECT_EQ(prompter.messages()[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(group(0, 0), (ObjectTextGroup{{5, "Schwert"}}));
    ASSERT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), "5");
    EXPECT_TRUE(modified(0));

    window.removeLanguageId();
    ASSERT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(prompter.messages()[2].text, "Can't delete the last language ID!");
    EXPECT_EQ(prompter.messages()[2].caption, "Deleting language ID");
    EXPECT_EQ(group(0, 0).size(), 1u);
}

TEST_F(ObjectTextsWindowTest, EditsGoStraightIntoTheGroup) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Schwert"}}});
    open();
    selectGroup(0, 0);
    grid()->setCurrentCell(1, 1);
    EXPECT_EQ(window.undoText(), "Schwert");
    grid()->editCurrentCell();
    QLineEdit* editor = grid()->cellEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    key(editor, Qt::Key_D, "D");
    key(editor, Qt::Key_E, QString(QChar(0xE9)));  // a code-page letter: é
    EXPECT_EQ(group(0, 0)[1].text, "D\xE9");
    EXPECT_TRUE(modified(0));
    EXPECT_TRUE(saveButton()->isEnabled());
    // Esc does not close the window (its keys are the grid's: see BothGridsTakeTheKeysAlike).
    key(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ObjectTextsWindowTest, APasteIsTakenWholeOrRefusedWholeNeverCut) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Schwert"}}});
    open();
    selectGroup(0, 0);
    grid()->setCurrentCell(1, 1);
    grid()->editCurrentCell();
    QLineEdit* editor = grid()->cellEditor();
    ASSERT_NE(editor, nullptr);
    const int limit = textFieldLimit(nullptr, Notation::Raw);
    const auto paste = [&](int length) {
        QApplication::clipboard()->setText(QString(length, QChar('a')));
        editor->selectAll();
        QTest::keySequence(editor, QKeySequence::Paste);
    };
    paste(limit + 1);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(group(0, 0)[1].text, "Schwert");
    paste(std::min(limit, 100000));  // well past the 32767 a line edit keeps by default
    EXPECT_EQ(group(0, 0)[1].text.size(), static_cast<std::size_t>(std::min(limit, 100000)));
}

TEST_F(ObjectTextsWindowTest, SavingWritesOnlyTheModifiedFilesWithCounters) {
    for (int i = 0; i < 20; ++i) {
        game.add("f" + std::to_string(10 + i) + ".dat", 2, static_cast<std::uint8_t>(i % 2 ? 1 : 3),
                 {{{0, "Text " + std::to_string(i)}}});
    }
    std::vector<Bytes> before;
    for (int i = 0; i < 20; ++i) {
        before.push_back(game.bytes("f" + std::to_string(10 + i) + ".dat"));
    }
    open();
    ASSERT_EQ(window.document().files().size(), 20u);
    window.document().setText(3, 0, 0, "Neu drei");
    ASSERT_TRUE(window.document().addLanguageId(16, 0, 9).added);
    window.document().setText(16, 0, 1, "neun");
    statuses.clear();
    window.saveModified();
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
    const ObjectFile saved = loadObjectFile(game.file("f26.dat"));
    EXPECT_EQ(saved.encoding, 3);
    EXPECT_EQ(saved.texts[0].back(), (ObjectText{9, "neun"}));
    EXPECT_FALSE(window.document().anyModified());
}

TEST_F(ObjectTextsWindowTest, AFailedSaveWritesNoFileAndKeepsModifiedForARetry) {
    game.add("a.dat", 2, 1, {{{0, "a"}}});
    game.add("b.dat", 2, 1, {{{0, "b"}}});
    game.add("c.dat", 2, 1, {{{0, "c"}}});
    const Bytes oldA = game.bytes("a.dat");
    const Bytes oldB = game.bytes("b.dat");
    open();
    for (std::size_t f = 0; f < 3; ++f) {
        window.document().setText(f, 0, 0, window.document().group(f, 0)[0].text + "!");
    }
    std::filesystem::remove(game.file("b.dat"));  // cannot be read back
    window.saveModified();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_TRUE(prompter.messages()[0].text.contains("b.dat"));
    EXPECT_EQ(game.bytes("a.dat"), oldA);  // checked before any file is written
    EXPECT_EQ(window.document().modifiedFiles(), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_TRUE(saveButton()->isEnabled());
    EXPECT_TRUE(buttonPanel()->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A disk that fails at any step of the write keeps the old file whole, and the file stays
    // modified for the next try.
    writeFileAtomically(game.file("b.dat"), oldB);
    for (const WriteFault fault :
         {WriteFault{WriteFault::Step::CreateTemporary, 0},
          WriteFault{WriteFault::Step::WriteData, 3}, WriteFault{WriteFault::Step::Rename, 0}}) {
        setWriteFaultForTesting(fault);
        window.saveModified();
        setWriteFaultForTesting({});
        EXPECT_EQ(game.bytes("a.dat"), oldA);
        EXPECT_TRUE(modified(0));
        EXPECT_TRUE(saveButton()->isEnabled());
        EXPECT_EQ(prompter.messages().back().icon, MessageIcon::Error);
        EXPECT_TRUE(prompter.messages().back().text.contains("a.dat"));
    }

    // A file its owner made read-only is refused, whoever runs the program.
    const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read;
    std::filesystem::permissions(game.file("b.dat"), readOnly);
    window.saveModified();
    EXPECT_EQ(game.bytes("a.dat"), oldA);
    EXPECT_EQ(game.bytes("b.dat"), oldB);
#ifdef _WIN32
    // Windows keeps a read-only attribute, not permission bits: no write bit is shown.
    EXPECT_EQ(std::filesystem::status(game.file("b.dat")).permissions() &
                  std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
#else
    EXPECT_EQ(std::filesystem::status(game.file("b.dat")).permissions(), readOnly);
#endif
    EXPECT_TRUE(modified(1));
    EXPECT_EQ(prompter.messages().back().icon, MessageIcon::Error);
    EXPECT_TRUE(prompter.messages().back().text.contains("read-only"))
        << prompter.messages().back().text.toStdString();
    std::filesystem::permissions(game.file("b.dat"), std::filesystem::perms::owner_all);

    window.saveModified();
    EXPECT_EQ(window.statusText(), "3 files updated successfully");
    EXPECT_EQ(loadObjectFile(game.file("c.dat")).texts[0][0].text, "c!");
}

TEST_F(ObjectTextsWindowTest, ClosingAsksAboutUnsavedChanges) {
    game.add("a.dat", 2, 0, {{{0, "old"}}});
    const Bytes onDisk = game.bytes("a.dat");
    open();
    selectGroup(0, 0);
    window.document().setText(0, 0, 0, "new");

    prompter.answer(MessageAnswer::Cancel);
    window.close();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Some of your changes aren't saved yet.\r\nDo you want to save them before closing "
              "the window?");
    EXPECT_EQ(prompter.messages()[0].caption, "Unsaved changes");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(group(0, 0)[0].text, "new");

    prompter.answer(MessageAnswer::No);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.document().files().empty());
    EXPECT_EQ(root().childCount(), 0);
    EXPECT_EQ(window.currentFile(), -1);
    EXPECT_EQ(game.bytes("a.dat"), onDisk);

    open();
    EXPECT_EQ(group(0, 0)[0].text, "old");
    window.close();  // nothing modified: no question
    EXPECT_EQ(prompter.messages().size(), 2u);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ObjectTextsWindowTest, AnswerYesSavesAndClosesButAFailedSaveKeepsTheWindow) {
    game.add("a.dat", 2, 0, {{{0, "old"}}});
    open();
    window.document().setText(0, 0, 0, "new");
    setWriteFaultForTesting({WriteFault::Step::Rename, 0});
    prompter.answer(MessageAnswer::Yes);
    window.close();
    setWriteFaultForTesting({});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(group(0, 0)[0].text, "new");

    prompter.answer(MessageAnswer::Yes);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).texts[0][0].text, "new");
}

TEST_F(ObjectTextsWindowTest, StepsThroughTheGroupsInTreeOrderAndBeepsAtTheEnds) {
    game.add("a.dat", 0, 0, kThreeGroups);
    game.add("b.dat", 2, 0, {{{0, "b"}}});
    open();
    window.goToNextGroup();  // no selection yet: the root is current
    EXPECT_TRUE(fileNode(0).child(0).isCurrent());

    selectGroup(0, 2);
    window.goToNextGroup();
    EXPECT_TRUE(fileNode(1).child(0).isCurrent());
    EXPECT_EQ(window.currentFile(), 1);
    EXPECT_EQ(page(), "groupTextsPage");
    EXPECT_TRUE(fileNode(1).isExpanded());
    EXPECT_EQ(prompter.beeps(), 0);

    window.goToNextGroup();
    EXPECT_EQ(prompter.beeps(), 1);
    EXPECT_TRUE(fileNode(1).child(0).isCurrent());

    window.goToPreviousGroup();
    EXPECT_TRUE(fileNode(0).child(2).isCurrent());
    selectGroup(0, 0);
    window.goToPreviousGroup();
    EXPECT_EQ(prompter.beeps(), 2);
    EXPECT_TRUE(fileNode(0).child(0).isCurrent());
}

TEST_F(ObjectTextsWindowTest, AnUnreadableFileIsNamedAndTheOthersLoad) {
    game.add("a.dat", 2, 0, {{{0, "a"}}});
    game.add("b.dat", 2, 0, {{{0, "b"}}});
    game.add("c.dat", 2, 0, {{{0, "c"}}});
    Bytes b = game.bytes("b.dat");
    b[16] = 2;  // encoding 2 cannot be read
    writeFileAtomically(game.file("b.dat"), b);
    open();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "b.dat: unsupported encoding 2 at byte 16");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    // Listed as damaged in its place; selecting it names the problem.
    ASSERT_EQ(root().childCount(), 3);
    EXPECT_EQ(fileNode(1).text(), "b.dat (damaged)");
    EXPECT_TRUE(fileNode(1).hasIcon());
    EXPECT_EQ(fileNode(1).toolTip(), "b.dat: unsupported encoding 2 at byte 16");
    EXPECT_EQ(fileNode(1).childCount(), 0);
    EXPECT_EQ(fileNode(2).text(), "c.dat");
    EXPECT_FALSE(fileNode(2).hasIcon());
    EXPECT_EQ(window.document().files().size(), 2u);
    EXPECT_EQ(window.statusText(), "2 files loaded successfully");
    EXPECT_TRUE(window.isVisible());
    fileNode(1).makeCurrent();
    EXPECT_EQ(window.statusText(), "b.dat: unsupported encoding 2 at byte 16");
    EXPECT_EQ(page(), "rootHintPage");
    // Stepping through the groups passes it by.
    fileNode(0).child(0).makeCurrent();
    window.goToNextGroup();
    EXPECT_TRUE(fileNode(2).child(0).isCurrent());
    EXPECT_EQ(window.currentFile(), 1);  // the second file loaded
    EXPECT_EQ(cell(0, 1), "c");
    EXPECT_TRUE(buttonPanel()->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A file storing a wrong checksum loads with the damaged files' mark; a save writes it, with the
// right checksum, only when the question naming it is answered Yes.
TEST_F(ObjectTextsWindowTest, AWrongChecksumIsMarkedAndWrittenOnlyAfterTheQuestion) {
    game.add("a.dat", 2, 0, {{{0, "a"}}});
    game.add("b.dat", 2, 0, {{{0, "b"}}});
    Bytes damaged = game.bytes("b.dat");
    writeU32LE(damaged.data() + 12, 0x0000ABCD);
    writeFileAtomically(game.file("b.dat"), damaged);
    const Bytes a = game.bytes("a.dat");
    open();
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(fileNode(1).text(), "b.dat (damaged)");
    EXPECT_TRUE(fileNode(1).hasIcon());
    const QString damage = fileNode(1).toolTip();
    EXPECT_TRUE(damage.startsWith("b.dat: the stored checksum 0000abcd does not match the data ("))
        << damage.toStdString();
    EXPECT_EQ(fileNode(1).childCount(), 1);
    fileNode(1).makeCurrent();
    EXPECT_EQ(page(), "fileInfoPage");
    EXPECT_EQ(window.statusText(), damage);

    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        const bool yes = answer == MessageAnswer::Yes;
        window.document().setText(0, 0, 0, "A");
        window.document().setText(1, 0, 0, "B");
        prompter.answer(answer);
        window.saveModified();
        // After the question, a save's confirmation.
        const std::vector<ScriptedPrompter::Asked> asked = prompter.messages();
        const ScriptedPrompter::Asked question = asked[asked.size() - (yes ? 2 : 1)];
        EXPECT_EQ(question.caption, "Damaged object files");
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
        EXPECT_TRUE(question.text.contains(damage)) << question.text.toStdString();
        EXPECT_FALSE(question.text.contains("a.dat"));
        EXPECT_EQ(game.bytes("a.dat") == a, !yes);
        EXPECT_EQ(game.bytes("b.dat") == damaged, !yes);
        EXPECT_EQ(window.statusText(), yes ? "2 files updated successfully" : "Nothing was saved.");
        EXPECT_EQ(window.document().anyModified(), !yes);
        EXPECT_EQ(fileNode(1).text(), yes ? "b.dat" : "b.dat (damaged)");
    }
    EXPECT_FALSE(loadObjectFile(game.file("b.dat")).wrongChecksum);
}

// A save cut off before it ended left its record beside ObjData: opening the folder tells which
// files hold what that save was writing; the next save of them removes the record.
TEST_F(ObjectTextsWindowTest, ACutOffSaveIsToldWhenTheFolderIsOpened) {
    game.add("a.dat", 2, 0, {{{0, "a"}}});
    game.add("b.dat", 2, 0, {{{0, "b"}}});
    recordSaveIntent(
        game.objData(), "TarnEdit",
        {intendedWrite("a.dat", game.bytes("a.dat")), intendedWrite("b.dat", Bytes{1, 2, 3})});
    open();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Unfinished save");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompter.messages()[0].text,
              "ObjData: a save by TarnEdit was cut off before it ended\nwritten: a.dat\n"
              "not written: b.dat\nto finish it, make the edits of the files not written again "
              "in TarnEdit and save");
    window.document().setText(0, 0, 0, "A");
    window.document().setText(1, 0, 0, "B");
    window.saveModified();
    EXPECT_EQ(window.statusText(), "2 files updated successfully");
    EXPECT_FALSE(std::filesystem::exists(saveIntentFile(game.objData())));
}

TEST_F(ObjectTextsWindowTest, ACutOffFileIsNamedInTheErrorBox) {
    game.add("Armour.dat", 2, 0, {{{0, "Mail"}}});
    game.add("Creature.dat", 2, 0, {{{0, "Wolf"}}});
    Bytes cut = game.bytes("Creature.dat");
    cut.resize(cut.size() / 2);
    writeFileAtomically(game.file("Creature.dat"), cut);
    open();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages()[0].text.startsWith("Creature.dat: "))
        << prompter.messages()[0].text.toStdString();
    EXPECT_EQ(window.document().files().size(), 1u);
}

TEST_F(ObjectTextsWindowTest, TheTitleMarksUnsavedEditsAndCtrlSSavesThem) {
    game.add("a.dat", 2, 0, {{{0, "Sword"}, {5, "Schwert"}}});
    open();
    EXPECT_TRUE(window.windowTitle().contains("[*]"));
    EXPECT_FALSE(window.isWindowModified());
    selectGroup(0, 0);
    grid()->setCurrentCell(1, 1);
    grid()->editCurrentCell();
    ASSERT_NE(grid()->cellEditor(), nullptr);
    key(grid()->cellEditor(), Qt::Key_X, "X");
    EXPECT_TRUE(window.isWindowModified());
    key(grid()->cellEditor(), Qt::Key_Return);
    // Ctrl+S saves, as in the main window.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(gridView(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).texts[0][1].text, "X");

    grid()->editCurrentCell();
    ASSERT_NE(grid()->cellEditor(), nullptr);
    key(grid()->cellEditor(), Qt::Key_Y, "Y");
    key(grid()->cellEditor(), Qt::Key_Return);
    EXPECT_TRUE(window.isWindowModified());
    prompter.answer(MessageAnswer::No);
    window.close();  // the edits are dropped with the files
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(ObjectTextsWindowTest, NoObjectFilesClosesTheWindow) {
    open();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "No files found");
    EXPECT_EQ(prompter.messages()[0].text,
              "Your ObjData directory doesn't exist or contains no data files\r\nThe translated "
              "executable must be in the root of your Tarn directory for this function to work.");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::None);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ObjectTextsWindowTest, AGroupWithoutEntriesShowsAnEmptyGridAndTakesANewId) {
    game.add("a.dat", 0, 0, {{{0, "x"}}, {}, {{0, "z"}}});
    open();
    selectGroup(0, 1);
    EXPECT_EQ(grid()->rowCount(), 0);
    window.removeLanguageId();
    EXPECT_EQ(prompter.messages().back().text, "Can't delete the last language ID!");
    askFor("3");
    window.addLanguageId();
    EXPECT_EQ(group(0, 1), (ObjectTextGroup{{3, ""}}));
    window.saveModified();
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).texts[1], (ObjectTextGroup{{3, ""}}));
}

// Every step through the keys and the grid's menu: the texts come back, and the title's marker
// and Save follow whether the file is as last saved.
TEST_F(ObjectTextsWindowTest, UndoAndRedoTakeBackEachStepByKeysAndTheGridMenu) {
    game.add("a.dat", 2, 0, {{{0, "Sword"}, {5, "Schwert"}}});
    game.add("b.dat", 2, 0, {{{0, "Door"}}});
    open();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* undo = childByName<QAction>(window, "objectUndoAction");
    auto* redo = childByName<QAction>(window, "objectRedoAction");
    EXPECT_TRUE(childByName<QMenu>(window, "gridMenu")->actions().contains(undo));
    EXPECT_TRUE(childByName<QMenu>(window, "gridMenu")->actions().contains(redo));
    EXPECT_FALSE(undo->isEnabled());
    // As typed: to the widget with the focus, the cell editor while it is open.
    const auto keys = [&](Qt::KeyboardModifiers modifiers, Qt::Key k) {
        QWidget* focus =
            grid()->isEditing() ? static_cast<QWidget*>(grid()->cellEditor()) : gridView();
        QTest::keyClick(focus, k, modifiers);
    };

    // Typing in a cell is one step, whatever the number of keystrokes.
    selectGroup(0, 0);
    grid()->setCurrentCell(1, 1);
    grid()->editCurrentCell();
    ASSERT_NE(grid()->cellEditor(), nullptr);
    grid()->cellEditor()->selectAll();
    key(grid()->cellEditor(), Qt::Key_X, "X");
    key(grid()->cellEditor(), Qt::Key_Y, "Y");
    // With the editor open, the keys act on its own text first (its typing is one undo).
    keys(Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(grid()->cellEditor()->text(), "Schwert");
    EXPECT_EQ(group(0, 0)[1].text, "Schwert");
    keys(Qt::ControlModifier, Qt::Key_Y);
    EXPECT_EQ(grid()->cellEditor()->text(), "XY");
    EXPECT_EQ(group(0, 0)[1].text, "XY");
    key(grid()->cellEditor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(undo->text(), "Undo Edit text");
    EXPECT_TRUE(window.isWindowModified());

    keys(Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(group(0, 0)[1].text, "Schwert");
    EXPECT_EQ(cell(1, 1), "Schwert");
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(saveButton()->isEnabled());
    keys(Qt::ControlModifier, Qt::Key_Y);
    EXPECT_EQ(cell(1, 1), "XY");
    keys(Qt::ControlModifier, Qt::Key_Z);
    keys(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    EXPECT_EQ(group(0, 0)[1].text, "XY");
    EXPECT_TRUE(saveButton()->isEnabled());

    // Adding and removing a language ID, through the grid's menu.
    askFor("14");
    window.addLanguageId();
    EXPECT_EQ(undo->text(), "Undo Add language ID 14");
    grid()->setCurrentCell(0, 1);
    prompter.answer(MessageAnswer::Yes);
    window.removeLanguageId();
    EXPECT_EQ(group(0, 0), (ObjectTextGroup{{5, "XY"}, {14, ""}}));
    EXPECT_EQ(undo->text(), "Undo Delete language ID 0");
    undo->trigger();
    EXPECT_EQ(group(0, 0), (ObjectTextGroup{{0, "Sword"}, {5, "XY"}, {14, ""}}));
    EXPECT_EQ(grid()->rowCount(), 3);
    undo->trigger();
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(redo->text(), "Redo Add language ID 14");
    redo->trigger();
    EXPECT_EQ(cell(2, 0), "14");

    // Saved, then undone: the file differs from the disk again; each file keeps its own mark.
    window.saveModified();
    EXPECT_FALSE(window.isWindowModified());
    undo->trigger();
    EXPECT_TRUE(modified(0));
    EXPECT_FALSE(modified(1));
    EXPECT_TRUE(saveButton()->isEnabled());
    redo->trigger();
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(saveButton()->isEnabled());

    // Closing drops the history with the files.
    window.close();
    open();
    EXPECT_FALSE(undo->isEnabled());
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

// Run by hand (--gtest_also_run_disabled_tests) to look at the window with a group shown.
TEST_F(ObjectTextsWindowTest, DISABLED_SaveScreenshot) {
    game.add("SWORD.DAT", 0, 1, kThreeGroups);
    game.add("SHIELD.DAT", 3, 3, {{{0, "Shield"}, {5, "Schild"}, {14, "Pajzs"}}});
    open();
    window.resize(616, 411);
    tree()->expandAll();
    selectGroup(1, 0);
    grid()->setCurrentCell(1, 1);
    QApplication::processEvents();
    const char* folder = std::getenv("TARN_SCREENSHOTS");
    const QString prefix = QString::fromLocal8Bit(folder != nullptr ? folder : ".") + "/";
    ASSERT_TRUE(window.grab().save(prefix + "objtrans-group.png"));
    fileNode(1).makeCurrent();
    ASSERT_TRUE(window.grab().save(prefix + "objtrans-file.png"));
    PatchBuilderDialog settings;
    settings.show();
    QApplication::processEvents();
    ASSERT_TRUE(settings.grab().save(prefix + "exe-settings-options.png"));
    childByName<QTabWidget>(settings, "pages")->setCurrentIndex(1);
    ASSERT_TRUE(settings.grab().save(prefix + "exe-settings-texts.png"));
    ObjectLanguageDialog languages;
    languages.show();
    QApplication::processEvents();
    ASSERT_TRUE(languages.grab().save(prefix + "plugin-lang.png"));
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST_F(ObjectTextsWindowTest, TheGridMenuWorksFromTheKeyboard) {
    game.add("a.dat", 0, 0, kThreeGroups);
    open();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    selectGroup(0, 0);
    grid()->setFocus();
    QTest::keyClick(gridView(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(fileNode(0).child(1).isCurrent());
    QTest::keyClick(gridView(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_TRUE(fileNode(0).child(0).isCurrent());

    askFor("9");
    grid()->setFocus();
    QTest::keyClick(gridView(), Qt::Key_Insert, Qt::AltModifier);
    EXPECT_EQ(group(0, 0).back(), (ObjectText{9, ""}));
    prompter.answer(MessageAnswer::Yes);
    QTest::keyClick(gridView(), Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(group(0, 0).size(), 2u);

    // Esc outside the cell editor leaves the window open.
    QTest::keyClick(gridView(), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

// Another program rewrites a.dat while the window has unsaved edits in it.
TEST_F(ObjectTextsWindowTest, AFileChangedOnDiskIsAskedAboutAndItsUntouchedGroupsSurvive) {
    game.add("a.dat", 0, 1, kThreeGroups);
    game.add("b.dat", 0, 1, kThreeGroups);
    open();
    window.document().setText(0, 0, 0, "Blade");
    window.document().setText(1, 0, 0, "Blade");
    game.add("a.dat", 0, 1, {{{0, "Sword"}, {5, "Schwert"}}, {{0, "A new blade"}}, {{0, "Sharp"}}});
    const Bytes outside = game.bytes("a.dat");

    prompter.answer(MessageAnswer::Cancel);
    window.saveModified();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "a.dat was changed on disk since it was loaded");
    EXPECT_EQ(game.bytes("a.dat"), outside);
    EXPECT_TRUE(modified(0) && modified(1));

    prompter.clear();
    statuses.clear();
    prompter.answer(MessageAnswer::Overwrite);
    window.saveModified();
    // b.dat was not changed elsewhere; the second message confirms the save.
    EXPECT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(statuses.back(), "2 files updated successfully");
    const ObjectFile saved = loadObjectFile(game.file("a.dat"));
    ASSERT_EQ(saved.texts.size(), 3u);
    EXPECT_EQ(saved.texts[0][0].text, "Blade");
    EXPECT_EQ(saved.texts[1][0].text, "A new blade");
}

TEST_F(ObjectTextsWindowTest, ReloadTakesTheFileInAndSavesNothing) {
    game.add("a.dat", 0, 1, kThreeGroups);
    open();
    window.document().setText(0, 0, 0, "Blade");
    window.document().setText(0, 2, 0, "Pointed");
    game.add("a.dat", 0, 1, {{{0, "Sword"}, {5, "Schwert"}}, {{0, "A new blade"}}, {{0, "Keen"}}});
    const Bytes outside = game.bytes("a.dat");
    prompter.answer(MessageAnswer::Reload);
    window.saveModified();
    EXPECT_EQ(game.bytes("a.dat"), outside);
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_TRUE(prompter.messages()[1].text.endsWith(": 2"));
    EXPECT_EQ(group(0, 0)[0].text, "Blade");
    EXPECT_EQ(group(0, 1)[0].text, "A new blade");
    EXPECT_EQ(group(0, 2)[0].text, "Keen");
    EXPECT_TRUE(modified(0));

    // Saved now without a question.
    prompter.clear();
    window.saveModified();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Object files saved");
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).texts[0][0].text, "Blade");
}

#ifndef _WIN32
// The window locks the object folder while its files are open; a second window, finding the
// lock of a running program, says who holds it and changes nothing.
TEST_F(ObjectTextsWindowTest, TheFolderIsLockedWhileOpenAndASecondWindowIsReadOnly) {
    game.add("a.dat", 0, 1, kThreeGroups);
    const std::filesystem::path lock = game.objData().parent_path() / ".ObjData.tarnlock";
    open();
    EXPECT_EQ(toString(readWholeFile(lock)).rfind("pid=" + std::to_string(::getpid()) + "\n", 0),
              0u);
    EXPECT_FALSE(window.isReadOnly());
    window.close();
    EXPECT_FALSE(std::filesystem::exists(lock));

    // Another TarnEdit (the test runner's parent stands for it) holds the folder.
    const QString host = QSysInfo::machineHostName();
    writeFileAtomically(lock, toBytes("pid=" + std::to_string(::getppid()) +
                                      "\nhost=" + host.toStdString() + "\nprogram=TarnEdit\n"));
    const Bytes theirs = readWholeFile(lock);
    const Bytes before = game.bytes("a.dat");
    open();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              QString("ObjData is open in TarnEdit (process %1 on %2).\n\rIts texts are shown "
                      "read-only.")
                  .arg(::getppid())
                  .arg(host));
    EXPECT_TRUE(window.isReadOnly());
    EXPECT_EQ(window.windowTitle(), "Texts in object files (read-only)[*]");
    EXPECT_FALSE(childByName<QPushButton>(window, "objectImportPoButton")->isEnabled());
    for (const char* name : {"addLanguageIdAction", "removeLanguageIdAction", "pasteAction"}) {
        EXPECT_FALSE(childByName<QAction>(window, name)->isEnabled()) << name;
    }

    selectGroup(0, 0);
    grid()->setCurrentCell(0, 1);
    grid()->editCurrentCell();
    EXPECT_FALSE(grid()->isEditing());
    // Changes that reach the window anyway are refused: a cell's text, a new ID, a PO import.
    grid()->setText(0, 1, "Blade");
    window.addLanguageId();
    window.importTranslation();
    EXPECT_EQ(group(0, 0), kThreeGroups[0]);
    EXPECT_FALSE(modified(0));
    EXPECT_EQ(statuses.back(), "The object files are open read-only: nothing was changed.");
    EXPECT_EQ(prompter.asked().size(), 1u);  // nothing more was asked
    EXPECT_FALSE(saveButton()->isEnabled());
    window.saveModified();
    EXPECT_EQ(game.bytes("a.dat"), before);

    window.close();
    EXPECT_EQ(readWholeFile(lock), theirs);
}
#endif

}  // namespace
}  // namespace tarn
