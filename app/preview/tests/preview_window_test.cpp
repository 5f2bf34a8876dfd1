// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview/preview_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <vector>

#include "app/preview/preview_action.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/fake_text_cells.h"
#include "common/profile_file.h"

namespace tarn {
namespace {

using testing::FakeTextCells;

// One character run of the rendered document: its text and attributes.
struct Piece {
    QString text;
    QColor colour;
    bool bold;
};

std::vector<Piece> pieces(const QTextEdit& edit) {
    std::vector<Piece> out;
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
        if (block != edit.document()->begin()) {
            out.push_back({QStringLiteral("\n"), QColor(), false});
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            out.push_back(
                {fragment.text(), format.foreground().color(), format.fontWeight() >= QFont::Bold});
        }
    }
    return out;
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s.push_back(static_cast<char>(v));
    }
    return s;
}

class PreviewFormTest : public ::testing::Test {
protected:
    PreviewWindow form;
    const QColor defaultColour{0x12, 0x34, 0x56};
    QTextEdit* text() const { return childByName<QTextEdit>(form, "previewText"); }
    void SetUp() override { form.setTextColor(profile_color::fromRgb(0x12, 0x34, 0x56)); }
};

TEST_F(PreviewFormTest, RendersColoursAndBoldPerRun) {
    form.showText("Hi" + bytes({145}) + "red" + bytes({10, 14}) + "thin" + bytes({13}) + "w" +
                      bytes({144}) + "W",
                  Notation::Raw);
    const auto runs = pieces(*text());
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].text, "Hi");
    EXPECT_EQ(runs[0].colour, defaultColour);
    EXPECT_TRUE(runs[0].bold);
    EXPECT_EQ(runs[1].text, "red");
    EXPECT_EQ(runs[1].colour, QColor(0xFF, 0x07, 0x00));
    EXPECT_EQ(runs[2].text, "thin");
    EXPECT_EQ(runs[2].colour, defaultColour);
    EXPECT_FALSE(runs[2].bold);
    EXPECT_EQ(runs[3].colour, QColor(0xFF, 0xFF, 0xFF));  // code 13: pure white
    EXPECT_EQ(runs[4].colour, QColor(0xEF, 0xF3, 0xF3));  // code 144: the game's white
    EXPECT_FALSE(runs[4].bold);
    EXPECT_EQ(runs[0].text.size(), 2);
}

TEST_F(PreviewFormTest, PicturesAndLineBreaks) {
    form.showText("a" + bytes({23, 4, 'x', 'y', 'z', 'w', 5}) + "b" + bytes({23, 255}) + "c",
                  Notation::Raw);
    EXPECT_EQ(text()->toPlainText(), "a(picture)\nb(picture)c");
    EXPECT_EQ(text()->document()->blockCount(), 2);
}

TEST_F(PreviewFormTest, AccentedGameBytesShowAsTheirCharacters) {
    form.showText("\xE9t\xE9 \xA3", Notation::Raw);
    EXPECT_EQ(text()->toPlainText(), QString::fromUtf8("été £"));
}

TEST_F(PreviewFormTest, TheCodePageAndTheChosenFontRedrawTheLastText) {
    form.showText("\xA3\xF3\x64\x9F", Notation::Raw);  // Łódź in Windows-1250
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("\u00A3\u00F3d\u0178"));
    form.setCodePage(*CodePage::byNumber(1250));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("\u0141\u00F3d\u017A"));

    // Family and size follow the windows' font; the face stays bold and upright.
    QFont chosen(QStringLiteral("Serif"));
    chosen.setPointSize(13);
    chosen.setItalic(true);
    form.setFont(chosen);
    EXPECT_EQ(text()->font().family(), "Serif");
    EXPECT_EQ(text()->font().pointSize(), 13);
    EXPECT_TRUE(text()->font().bold());
    EXPECT_FALSE(text()->font().italic());
    const QTextCharFormat format = text()->document()->begin().begin().fragment().charFormat();
    EXPECT_EQ(format.fontPointSize(), 13);
    EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{"Serif"});
    EXPECT_EQ(pieces(*text()).at(0).text, QStringLiteral("\u0141\u00F3d\u017A"));
}

TEST_F(PreviewFormTest, UnchangedTextIsNotRenderedAgain) {
    form.showText("same", Notation::Raw);
    QTextCursor(text()->document()).insertText("marker");
    form.showText("same", Notation::Raw);
    EXPECT_TRUE(text()->toPlainText().startsWith("marker"));
    // The same text in C-style notation converts to the same raw text.
    form.showText("same", Notation::CStyle);
    EXPECT_TRUE(text()->toPlainText().startsWith("marker"));
    form.showText("", Notation::Raw);  // an empty cell clears the box
    EXPECT_EQ(text()->toPlainText(), "");
}

TEST_F(PreviewFormTest, CStyleTextThatDoesNotConvertKeepsThePreview) {
    form.showText("\\c3red", Notation::CStyle);
    EXPECT_EQ(text()->toPlainText(), "red");
    EXPECT_EQ(pieces(*text())[0].colour, QColor(0xFF, 0x07, 0x00));
    form.showText("bad \\q", Notation::CStyle);
    EXPECT_EQ(text()->toPlainText(), "red");
    EXPECT_EQ(form.lastText(), bytes({145}) + "red");
}

TEST_F(PreviewFormTest, DefaultColourDialogRecoloursAtOnceAndCancelChangesNothing) {
    ScriptedPrompter prompter;
    form.showText("a" + bytes({146}) + "g" + bytes({14}) + "d", Notation::Raw);
    prompter.onDialog([](QDialog& dialog) {
        auto& colours = dynamic_cast<QColorDialog&>(dialog);
        colours.setCurrentColor(QColor(1, 2, 3));
        colours.accept();
    });
    form.chooseTextColour();
    auto runs = pieces(*text());
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].colour, QColor(1, 2, 3));
    EXPECT_EQ(runs[1].colour, QColor(0x6F, 0xCF, 0x57));
    EXPECT_EQ(runs[2].colour, QColor(1, 2, 3));
    EXPECT_EQ(form.textColor(), profile_color::fromRgb(1, 2, 3));

    prompter.onDialog([](QDialog& dialog) { dialog.reject(); });
    form.chooseBackgroundColour();
    EXPECT_EQ(form.backColor(), profile_color::kButtonFace);
    prompter.onDialog([](QDialog& dialog) {
        dynamic_cast<QColorDialog&>(dialog).setCurrentColor(QColor(9, 8, 7));
        dialog.accept();
    });
    form.chooseBackgroundColour();
    EXPECT_EQ(form.backColor(), profile_color::fromRgb(9, 8, 7));
    EXPECT_EQ(text()->palette().color(QPalette::Base), QColor(9, 8, 7));
    EXPECT_EQ(prompter.unusedEntries(), 0u);
}

TEST_F(PreviewFormTest, ScrollsBackToTheTop) {
    form.resize(200, 60);
    std::string longText;
    for (int i = 0; i < 60; ++i) {
        longText += "line" + bytes({5});
    }
    form.show();
    text()->verticalScrollBar();
    form.showText(longText, Notation::Raw);
    EXPECT_EQ(text()->verticalScrollBar()->value(), 0);
}

class PreviewActionTest : public ::testing::Test {
protected:
    FakeTextCells grid{5};
    PreviewWindow form;
    QAction action;
    PreviewAction command{action, form, grid};
    void SetUp() override {
        action.setCheckable(true);
        QObject::connect(&action, &QAction::triggered, &command, &PreviewAction::togglePreview);
    }
    QTimer* pollTimer() const { return childByName<QTimer>(command, "previewPollTimer"); }
    QTextEdit* text() const { return childByName<QTextEdit>(form, "previewText"); }
};

TEST_F(PreviewActionTest, ActionShowsThePreviewAndRunsTheTimer) {
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(pollTimer()->isActive());
    action.trigger();
    EXPECT_TRUE(action.isChecked());
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(pollTimer()->isActive());
    EXPECT_EQ(pollTimer()->interval(), 100);
    form.close();  // the close box runs the action
    EXPECT_FALSE(action.isChecked());
    EXPECT_FALSE(pollTimer()->isActive());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PreviewActionTest, PollShowsTheCurrentCellOrTheOpenEditor) {
    grid.set(2, 1, "original");
    grid.set(2, 2, "translated");
    grid.setCurrent(2, 1);
    command.refreshPreview();
    EXPECT_EQ(text()->toPlainText(), "original");
    grid.setCurrent(2, 2);
    grid.openEditorWith("typing", 0, 0);
    command.refreshPreview();
    EXPECT_EQ(text()->toPlainText(), "typing");
}

}  // namespace
}  // namespace tarn
