// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window edits as the main grid does: the same editor in the same notation,
// the same code menu and messages, the checks of the texts, and a layout that shows every part.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QTest>

#include "app/objects/tests/object_window_fixture.h"
#include "app/widgets/text_cells.h"
#include "objfiles/object_folder.h"

namespace tarn {
namespace {

class ObjectTextsEditorTest : public ObjectWindowTest {
protected:
    TreeNode fileNode(int i) const { return root().child(i); }
    const std::string& text(int group, int row) const {
        return window.document()
            .group(0, static_cast<std::size_t>(group))[static_cast<std::size_t>(row)]
            .text;
    }
    QString cell(int row) const { return grid()->text(row, 1); }
    // Opens the editor on the row's text of group 0, the caret at its end.
    QLineEdit* edit(int row) {
        fileNode(0).child(0).makeCurrent();
        grid()->setCurrentCell(row, 1);
        grid()->editCurrentCell();
        QLineEdit* editor = grid()->cellEditor();
        if (editor != nullptr) {
            editor->end(false);
        }
        return editor;
    }
    QAction* codeItem(const char* name) const {
        return childByName<QAction>(*childByName<QMenu>(window, "formatCodeMenu"), name);
    }
};

TEST_F(ObjectTextsEditorTest, CStyleTextsWithCodesFromTheMenuAndHeldErrors) {
    game.add("a.dat", 1, 0, {{{0, "One\x05Two"}, {5, "Eins"}}});
    open();
    fileNode(0).child(0).makeCurrent();
    EXPECT_EQ(cell(0), QStringLiteral("One\u2405Two"));  // raw: the code as a visible picture
    window.setNotation(Notation::CStyle);
    EXPECT_EQ(cell(0), "One\\nTwo");

    // A code from the menu goes in at the caret, in the notation, and into the group.
    QLineEdit* editor = edit(1);
    ASSERT_NE(editor, nullptr);
    codeItem("lineBreakAction")->trigger();
    editor = grid()->cellEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "Eins\\n");
    EXPECT_EQ(text(0, 1), "Eins\x05");
    QTest::keyClicks(editor, "Zwei");
    EXPECT_EQ(text(0, 1), "Eins\x05Zwei");

    // A text that does not convert is held in the cell; leaving it is refused until Esc.
    QTest::keyClicks(editor, "\\q");
    EXPECT_EQ(text(0, 1), "Eins\x05Zwei");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Error in string");
    EXPECT_TRUE(
        prompter.messages()[0].text.startsWith("The C-style string you entered has an error:"));
    EXPECT_TRUE(grid()->isEditing());
    grid()->setCurrentCell(0, 1);
    EXPECT_EQ(grid()->currentRow(), 1);
    fileNode(0).makeCurrent();
    EXPECT_TRUE(fileNode(0).child(0).isCurrent());
    EXPECT_EQ(prompter.messages().size(), 3u);
    QTest::keyClick(grid()->cellEditor(), Qt::Key_Escape);
    EXPECT_EQ(cell(1), "Eins");
    EXPECT_EQ(text(0, 1), "Eins");

    // Back in raw notation the codes show as pictures again; the bytes never changed.
    window.setNotation(Notation::Raw);
    EXPECT_EQ(cell(0), QStringLiteral("One\u2405Two"));
    window.saveModified();
    EXPECT_EQ(loadObjectFile(game.file("a.dat")).texts[0][0].text, "One\x05Two");
}

TEST_F(ObjectTextsEditorTest, TheChecksMarkTheTreeAndNameTheShownGroupsFindings) {
    game.add("a.dat", 0, 0, {{{0, "Take \x7B"}, {5, "Nimm"}}, {{0, "Door"}, {5, "Tuer"}}});
    game.add("b.dat", 0, 0, {{{0, "Lamp"}, {5, "Lampe"}}});
    window.setPrimaryLanguageId(5);
    open();
    int asked = 0;
    prompter.onDialog([&](QDialog& dialog) {
        ++asked;
        EXPECT_EQ(dialog.windowTitle(), "Checks");
        EXPECT_EQ(childByName<QLineEdit>(dialog, "targetIdEdit")->text(), "5");  // primary ID
        childByName<QPushButton>(dialog, "okButton")->click();
    });
    childByName<QPushButton>(window, "checksButton")->click();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(fileNode(0).child(0).hasIcon());
    EXPECT_TRUE(fileNode(0).child(0).toolTip().startsWith("error value-codes: "));
    EXPECT_FALSE(fileNode(0).child(1).hasIcon());
    EXPECT_TRUE(fileNode(0).hasIcon());
    EXPECT_FALSE(fileNode(1).hasIcon());
    fileNode(0).child(0).makeCurrent();
    EXPECT_TRUE(window.statusText().startsWith("Checks (5 against 0): error value-codes: "))
        << window.statusText().toStdString();

    // Mended in the grid, the finding goes at once, without asking again.
    window.setNotation(Notation::CStyle);
    QLineEdit* editor = edit(1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, " %N");
    QApplication::processEvents();
    EXPECT_EQ(window.statusText(), "Checks (5 against 0): no findings");
    EXPECT_FALSE(fileNode(0).child(0).hasIcon());
    EXPECT_FALSE(fileNode(0).hasIcon());
    EXPECT_EQ(asked, 1);
}

TEST_F(ObjectTextsEditorTest, EveryButtonIsWhollyShownAtTheFirstSizeAndAt1024By700) {
    game.add("a.dat", 1, 0, {{{0, "x"}}});
    open();
    for (const QSize size : {window.size(), QSize(1024, 700)}) {
        window.resize(size);
        QApplication::processEvents();
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (!button->isVisible()) {
                continue;
            }
            const QRect shown(button->mapTo(&window, QPoint(0, 0)), button->size());
            EXPECT_TRUE(window.rect().contains(shown)) << button->text().toStdString();
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
    }
    auto* builder = childByName<QPushButton>(window, "buildPatchButton");
    EXPECT_EQ(builder->text(), "Create end-user translator executable...");
    EXPECT_LE(window.width(), 1024);
    // The smallest window fits a 1366x768 laptop screen with its task bar.
    EXPECT_LE(window.minimumSizeHint().width(), 1024);
    EXPECT_LE(window.minimumSizeHint().height(), 768 - 48);
}

TEST_F(ObjectTextsEditorTest, TheTreeDrawsBoxedPlusAndMinusSigns) {
    game.add("a.dat", 1, 0, {{{0, "x"}}});
    open();
    // The branch marker as the tree's style draws it, closed and then open.
    const auto draw = [&](QStyle::State state) {
        QImage image(21, 21, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOption option;
        option.initFrom(tree());
        option.rect = image.rect();
        option.state = state | QStyle::State_Children;
        option.palette.setColor(QPalette::Base, Qt::white);
        option.palette.setColor(QPalette::Text, Qt::black);
        option.palette.setColor(QPalette::Mid, Qt::black);
        tree()->style()->drawPrimitive(QStyle::PE_IndicatorBranch, &option, &painter, tree());
        return image;
    };
    const auto dark = [](const QImage& image, int x, int y) {
        return qGray(image.pixel(x, y)) < 128;
    };
    const QImage closed = draw(QStyle::State_None);
    const QImage open = draw(QStyle::State_Open);
    for (const QImage* image : {&closed, &open}) {
        EXPECT_TRUE(dark(*image, 10, 10));  // the minus
        EXPECT_TRUE(dark(*image, 6, 10));   // the box's left side
        EXPECT_TRUE(dark(*image, 10, 6));   // its top
    }
    EXPECT_TRUE(dark(closed, 10, 8));  // the plus's upright
    EXPECT_FALSE(dark(open, 10, 8));
}

}  // namespace
}  // namespace tarn
