// SPDX-License-Identifier: GPL-3.0-or-later
// The find, replace, preview and format-code windows driven through the real main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include "app/find/occurrence_overlay.h"
#include "app/find/replace_dialog.h"
#include "app/main/main_window.h"
#include "app/main/tests/sample_game.h"
#include "app/preview/preview_action.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/text_grid_view.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

constexpr int Original = StringTableDocument::OriginalColumn;
constexpr int Translated = StringTableDocument::TranslatedColumn;

class MainWindowWiringTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedPrompter prompter;
    MainWindow form{QString::fromStdString((dir.path() / "tarnedit.ini").string()),
                    QString::fromStdString(dir.path().string())};

    std::pair<int, int> current() const { return {grid().currentRow(), grid().currentColumn()}; }
    TextGridView& grid() const { return *childByName<TextGridView>(form, "textGrid"); }
    void openEditor() {
        QAbstractItemView& view = grid();
        view.edit(view.currentIndex());
        ASSERT_NE(grid().cellEditor(), nullptr);
    }
    QAction* action(const char* name) const { return childByName<QAction>(form, name); }
    template <typename T>
    T* find(const char* name) const {
        return childByName<T>(*childByName<QDialog>(form, "findDialog"), name);
    }
    template <typename T>
    T* replace(const char* name) const {
        return childByName<T>(*childByName<QDialog>(form, "replaceDialog"), name);
    }
    QMenu* formatMenu() const { return childByName<QMenu>(form, "formatCodeMenu"); }
    QWidget* previewWindow() const { return childByName<QWidget>(form, "previewWindow"); }
    QTextEdit* previewText() const { return childByName<QTextEdit>(form, "previewText"); }
    PreviewAction* previewCommand() const {
        return childByName<PreviewAction>(form, "previewCommand");
    }
    QTimer* previewTimer() const { return childByName<QTimer>(form, "previewPollTimer"); }
};

TEST_F(MainWindowWiringTest, FindRunsThroughTheGridRules) {
    form.setCellText(3, Translated, "the cat");
    form.setCellText(3453, Original, "cat");
    action("findAction")->trigger();
    ASSERT_TRUE(childByName<QDialog>(form, "findDialog")->isVisible());
    find<QLineEdit>("searchTextEdit")->setText("CAT");
    find<QPushButton>("findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(3, Translated));
    // Found in the original, the grid stays on the row's translation, ready for typing.
    find<QPushButton>("findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(3453, Translated));
    find<QPushButton>("findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(3453, Translated));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Text not found");
    find<QButtonGroup>("directionButtons")->button(1)->setChecked(true);
    find<QPushButton>("findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(3, Translated));
    childByName<QDialog>(form, "findDialog")->hide();
}

TEST_F(MainWindowWiringTest, PromptedReplaceShowsTheOccurrenceOverItsCell) {
    form.show();
    form.setCellText(2, Translated, "one two one");
    form.setCellText(4, Translated, "one");
    std::vector<QRect> overlayRects;
    std::vector<QString> selected;
    auto answer = [&](const char* button) {
        prompter.onDialog([&, button](QDialog& prompt) {
            auto* overlay = childByName<OccurrenceOverlay>(*grid().viewport(), "occurrenceOverlay");
            ASSERT_NE(overlay, nullptr);
            EXPECT_TRUE(overlay->isVisible());
            overlayRects.push_back(overlay->geometry());
            selected.push_back(overlay->selectedText());
            childByName<QPushButton>(prompt, button)->click();
        });
    };
    prompter.onDialog([&](QDialog&) {
        replace<QLineEdit>("toFindEdit")->setText("one");
        replace<QLineEdit>("newTextEdit")->setText("1");
        replace<QPushButton>("replaceButton")->click();
    });
    answer("noButton");
    answer("yesButton");
    answer("abortButton");
    prompter.answer(MessageAnswer::Ok);  // "1 replacement in 1 text, 1 skipped"
    prompter.onDialog([&](QDialog&) { replace<QPushButton>("closeButton")->click(); });
    action("replaceAction")->trigger();

    EXPECT_EQ(form.document().cell(2, Translated), "one two 1");
    EXPECT_EQ(form.document().cell(4, Translated), "one");
    EXPECT_TRUE(form.session().isModified());
    EXPECT_TRUE(action("saveAction")->isEnabled());
    ASSERT_EQ(overlayRects.size(), 3u);
    EXPECT_EQ(overlayRects[0], grid().cellRect(2, Translated));
    EXPECT_EQ(overlayRects[2], grid().cellRect(4, Translated));
    EXPECT_EQ(selected, (std::vector<QString>{"one", "one", "one"}));
    EXPECT_EQ(current(), std::make_pair(4, Translated));
    EXPECT_EQ(prompter.unusedEntries(), 0u);
    EXPECT_TRUE(prompter.mismatches().empty());
    form.hide();
}

TEST_F(MainWindowWiringTest, FormatCodeMenuInsertsIntoTheOpenEditor) {
    form.session().setNotation(Notation::CStyle);
    action("notationAction")->setChecked(true);
    form.setCellText(2, Translated, "abc");
    ASSERT_TRUE(grid().moveTo(2, Translated));
    openEditor();
    grid().cellEditor()->setSelection(1, 2);
    formatMenu()->popup(QPoint(0, 0));  // items are enabled as the menu opens
    EXPECT_TRUE(childByName<QAction>(*formatMenu(), "lineBreakAction")->isEnabled());
    formatMenu()->hide();
    childByName<QAction>(*formatMenu(), "lineBreakAction")->trigger();
    EXPECT_EQ(form.document().cell(2, Translated),
              "a\x05"
              "bc");  // game bytes
    ASSERT_NE(grid().cellEditor(), nullptr);
    EXPECT_EQ(grid().cellEditor()->text(), "a\\nbc");
    EXPECT_EQ(grid().cellEditor()->selectedText(), "bc");
    EXPECT_TRUE(form.session().isModified());
    childByName<QAction>(*formatMenu(), "undoEditingAction")->trigger();
    EXPECT_EQ(form.document().cell(2, Translated), "abc");
    EXPECT_EQ(grid().cellEditor()->text(), "abc");
}

TEST_F(MainWindowWiringTest, RawInsertionAndNoMenuWithoutEditor) {
    form.setCellText(2, Translated, "abc");
    ASSERT_TRUE(grid().moveTo(2, Translated));
    formatMenu()->popup(QPoint(0, 0));
    EXPECT_FALSE(childByName<QMenu>(*formatMenu(), "colourCodeMenu")->menuAction()->isEnabled());
    formatMenu()->hide();
    openEditor();
    grid().cellEditor()->setCursorPosition(0);
    for (QAction* item : childByName<QMenu>(*formatMenu(), "colourCodeMenu")->actions()) {
        if (item->text() == "Red") {
            item->trigger();
        }
    }
    EXPECT_EQ(form.document().cell(2, Translated),
              "\x91"
              "abc");
    EXPECT_EQ(grid().cellEditor()->cursorPosition(), 1);
}

TEST_F(MainWindowWiringTest, PreviewFollowsTheCurrentCell) {
    form.setCellText(2, Original, "Hi \x91there");
    ASSERT_TRUE(grid().moveTo(2, Original));
    action("previewAction")->trigger();
    EXPECT_TRUE(action("previewAction")->isChecked());
    EXPECT_TRUE(previewWindow()->isVisible());
    EXPECT_TRUE(previewTimer()->isActive());
    previewCommand()->refreshPreview();
    EXPECT_EQ(previewText()->toPlainText(), "Hi there");
    previewWindow()->close();
    EXPECT_FALSE(action("previewAction")->isChecked());
    EXPECT_FALSE(previewTimer()->isActive());
}

TEST_F(MainWindowWiringTest, SettingsAreAppliedAndCollected) {
    AppSettings& settings = form.settings();
    settings.preview.backColor = 0x0000FF;
    settings.preview.textColor = profile_color::kWindowText;
    settings.preview.width = 410;
    settings.preview.height = 170;
    settings.preview.left = 5000;  // off screen: placed at (0, 0)
    settings.preview.top = 20;
    settings.preview.visible = true;
    settings.replaceWin = {40, 50};
    settings.replaceQuestion = {-1, 0};
    emit form.settingsLoaded();
    action("previewAction")->trigger();  // what the start-up does for a visible preview
    EXPECT_TRUE(previewWindow()->isVisible());
    EXPECT_EQ(previewWindow()->pos(), QPoint(0, 0));
    EXPECT_EQ(previewWindow()->size(), QSize(410, 170));
    EXPECT_EQ(previewText()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(childByName<QDialog>(form, "replaceDialog")->pos(), QPoint(40, 50));

    settings = AppSettings{};
    emit form.aboutToWriteSettings();
    EXPECT_EQ(settings.preview.backColor, 0x0000FF);
    EXPECT_EQ(settings.preview.textColor, profile_color::kWindowText);
    EXPECT_EQ(settings.preview.left, 0);
    EXPECT_EQ(settings.preview.top, 0);
    EXPECT_EQ(settings.preview.width, 410);
    EXPECT_TRUE(settings.preview.visible);
    EXPECT_EQ(settings.replaceWin.left, 40);
    EXPECT_EQ(settings.replaceWin.top, 50);
    EXPECT_EQ(settings.replaceQuestion.left, -1);  // never shown nor stored
    action("previewAction")->trigger();
}

TEST_F(MainWindowWiringTest, DefaultsKeepNoPositions) {
    emit form.settingsLoaded();
    EXPECT_FALSE(action("previewAction")->isChecked());
    EXPECT_EQ(childByName<QDialog>(form, "replaceDialog")->pos(), QPoint(232, 296));
    emit form.aboutToWriteSettings();
    const AppSettings& settings = form.settings();
    EXPECT_EQ(settings.preview.left, -1);
    EXPECT_EQ(settings.preview.backColor, profile_color::kButtonFace);
    EXPECT_EQ(settings.preview.width, 300);
    EXPECT_EQ(settings.preview.height, 150);
    EXPECT_FALSE(settings.preview.visible);
    EXPECT_EQ(settings.replaceWin.left, 232);
    EXPECT_EQ(settings.replaceWin.top, 296);
}

TEST_F(MainWindowWiringTest, FindAndReplaceRunOverAllTexts) {
    form.show();
    fillWithCargoTexts(form);
    find<QLineEdit>("searchTextEdit")->setText("nowhere in any text");
    find<QCheckBox>("wholeWordsBox")->setChecked(true);
    find<QPushButton>("findNextButton")->click();
    EXPECT_EQ(current(), std::make_pair(1, Original));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Text not found");

    replace<QLineEdit>("toFindEdit")->setText("CARGO");
    replace<QLineEdit>("newTextEdit")->setText("fret");
    replace<QCheckBox>("promptBox")->setChecked(false);
    childByName<ReplaceDialog>(form, "replaceDialog")->runReplace();
    // The count follows the message the run always gave.
    EXPECT_EQ(prompter.messages().back().text,
              "All matching strings were replaced\n\r3453 replacements in 3453 texts");
    for (int row : {1, 1727, 3453}) {
        EXPECT_EQ(form.document().cell(row, Translated),
                  "La soute du vaisseau " + std::to_string(row) +
                      " contient %N unit\xE9s de fret, \\c3vendez!");
        EXPECT_EQ(form.document().cell(row, Original).find("fret"), std::string::npos);
    }
    form.hide();
}

}  // namespace
}  // namespace tarn
