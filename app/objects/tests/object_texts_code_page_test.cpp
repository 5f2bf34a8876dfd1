// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window shows and edits the texts through the active code page: a character
// the page lacks, or one the game would read as a code, is refused (beep and status line),
// never written as "?" or as the code.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "app/objects/tests/object_window_fixture.h"
#include "common/code_page_choice.h"
#include "objfiles/object_folder.h"
#include "textcodes/character_table.h"
#include "textcodes/typed_codes.h"

namespace tarn {
namespace {

class ObjectTextsCodePageTest : public ObjectWindowTest {
protected:
    const std::string& text(int row) const {
        return window.document().group(0, 0)[static_cast<std::size_t>(row)].text;
    }
    QString cell(int row) const { return grid()->text(row, 1); }
    // Opens the editor on the row's text, the caret at its end.
    QLineEdit* edit(int row) {
        root().child(0).child(0).makeCurrent();
        grid()->setCurrentCell(row, 1);
        grid()->editCurrentCell();
        QLineEdit* editor = grid()->cellEditor();
        if (editor != nullptr) {
            editor->end(false);
        }
        return editor;
    }
    static void typeCharacter(QWidget* target, const QString& character) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, character);
        QApplication::sendEvent(target, &press);
    }
};

const QString kLodz = QStringLiteral(" \u0142\u00F3d\u017A");  // " łódź"

TEST_F(ObjectTextsCodePageTest, ACharacterThePageLacksIsRefusedAndTheFileKeepsItsBytes) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Miecz"}}});
    const Bytes before = game.bytes("a.dat");
    open();
    QLineEdit* editor = edit(1);
    ASSERT_NE(editor, nullptr);

    typeCharacter(editor, QStringLiteral("\u0142"));
    EXPECT_EQ(editor->text(), "Miecz");
    EXPECT_EQ(prompter.beeps(), 1);
    EXPECT_EQ(window.statusText(),
              "'\u0142' is not in code page 1252: choose the font's character set that has it "
              "(Other > Change used font...)");

    QApplication::clipboard()->setText(kLodz);
    editor->paste();
    EXPECT_EQ(editor->text(), "Miecz");
    EXPECT_EQ(prompter.beeps(), 2);

    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(text(1), "Miecz");
    EXPECT_FALSE(window.document().anyModified());
    window.saveModified();
    EXPECT_EQ(game.bytes("a.dat"), before);
}

TEST_F(ObjectTextsCodePageTest, InTheFontsPageTheLettersAreSavedAsItsBytes) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Miecz"}}});
    window.setCodePage(*CodePage::byNumber(1250));
    open();
    QLineEdit* editor = edit(1);
    ASSERT_NE(editor, nullptr);
    for (const QChar letter : kLodz) {
        typeCharacter(editor, QString(letter));
    }
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(prompter.beeps(), 0);
    EXPECT_EQ(text(1),
              "Miecz \xB3\xF3"
              "d\x9F");
    EXPECT_EQ(cell(1), "Miecz" + kLodz);
    window.saveModified();
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).texts[0][1], (ObjectText{5,
                                                                       "Miecz \xB3\xF3"
                                                                       "d\x9F"}));
}

TEST_F(ObjectTextsCodePageTest, ChangingThePageShowsTheSameBytesAnew) {
    game.add("a.dat", 1, 0,
             {{{0, "Sword"},
               {5,
                "\xA3\xF3"
                "d\x9F"}}});
    open();
    edit(1);
    EXPECT_EQ(cell(1), QStringLiteral("\u00A3\u00F3d\u0178"));
    window.setCodePage(*CodePage::byNumber(1250));
    EXPECT_EQ(cell(1), QStringLiteral("\u0141\u00F3d\u017A"));
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(text(1),
              "\xA3\xF3"
              "d\x9F");
    EXPECT_FALSE(window.document().anyModified());
}

TEST_F(ObjectTextsCodePageTest, ALetterOnACodeByteIsRefusedWhileTheTextsOwnCodesStayEditable) {
    game.add("a.dat", 1, 0, {{{0, "Sword"}, {5, "Miecz \x8C"}}});  // ends with the code %l
    struct Case {
        int page;
        char16_t letter;
        unsigned char byte;
    };
    open();
    int beeps = 0;
    for (const Case c : {Case{1250, u'\u015A', 140}, Case{1251, u'\u0402', 128}}) {
        const CodePage page = *CodePage::byNumber(c.page);
        window.setCodePage(page);
        QLineEdit* editor = edit(1);
        ASSERT_NE(editor, nullptr);
        const QString before = editor->text();
        typeCharacter(editor, QString(QChar(c.letter)));
        QApplication::clipboard()->setText(QStringLiteral("ab") + QChar(c.letter));
        editor->paste();
        EXPECT_EQ(editor->text(), before) << c.page;
        EXPECT_EQ(prompter.beeps(), beeps += 2) << c.page;
        EXPECT_EQ(window.statusText().toStdString(),
                  typedCodeMessage({c.letter, c.byte}, page, Notation::Raw));
        typeCharacter(editor, QStringLiteral("!"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(prompter.beeps(), beeps) << c.page;
    }
    EXPECT_EQ(text(1), "Miecz \x8C!!");

    // With a table placing Ś on A4 the letter is taken as A4, and the code stays the code.
    const CodePage page = *CodePage::byNumber(1250);
    window.setCodePage(readCharacterTable("A4=\xC5\x9A\n", page).over(page));
    QLineEdit* editor = edit(1);
    ASSERT_NE(editor, nullptr);
    typeCharacter(editor, QStringLiteral("\u015A"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(prompter.beeps(), beeps);
    EXPECT_EQ(text(1), "Miecz \x8C!!\xA4");
}

}  // namespace
}  // namespace tarn
