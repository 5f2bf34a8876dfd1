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

#include "common/tests/temp_dir.h"
#include "editor/find/find_form.h"
#include "editor/find/my_edit.h"
#include "editor/find/replace_form.h"
#include "editor/find/replace_question.h"
#include "editor/find_and_preview.h"
#include "editor/string_grid.h"
#include "editor/tests/sample_game.h"
#include "editor/tfo_form.h"
#include "app/widgets/scripted_prompter.h"
#include "textcodes/ui/format_code_menu.h"
#include "textcodes/ui/preview_command.h"
#include "textcodes/ui/preview_form.h"

namespace tarn {
namespace {

constexpr int Original = StringTableDocument::OriginalColumn;
constexpr int Translated = StringTableDocument::TranslatedColumn;

class MainWindowWiringTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedPrompter prompter;
    TFoForm form{QString::fromStdString((dir.path() / "tarnedit.ini").string()),
                 QString::fromStdString(dir.path().string())};
    FindAndPreview& windows = *form.FindPreview;

    std::pair<int, int> current() const { return {form.currentRow(), form.currentColumn()}; }
    void openEditor() {
        QAbstractItemView& view = *form.StringGrid1;
        view.edit(view.currentIndex());
        ASSERT_NE(form.cellEditor(), nullptr);
    }
};

TEST_F(MainWindowWiringTest, FindRunsThroughTheGridRules) {
    form.setCellText(3, Translated, "the cat");
    form.setCellText(3453, Original, "cat");
    form.Find->trigger();
    ASSERT_TRUE(windows.FindForm->isVisible());
    windows.FindForm->SearchText->setText("CAT");
    windows.FindForm->FindNext->click();
    EXPECT_EQ(current(), std::make_pair(3, Translated));
    windows.FindForm->FindNext->click();
    EXPECT_EQ(current(), std::make_pair(3453, Original));
    windows.FindForm->FindNext->click();
    EXPECT_EQ(current(), std::make_pair(3453, Original));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Text not found");
    windows.FindForm->Direction->button(1)->setChecked(true);
    windows.FindForm->FindNext->click();
    EXPECT_EQ(current(), std::make_pair(3, Translated));
    windows.FindForm->hide();
}

TEST_F(MainWindowWiringTest, PromptedReplaceShowsTheOccurrenceOverItsCell) {
    form.show();
    form.setCellText(2, Translated, "one two one");
    form.setCellText(4, Translated, "one");
    std::vector<QRect> overlayRects;
    std::vector<QString> selected;
    auto answer = [&](QPushButton* TReplaceQuestion::*button) {
        prompter.onDialog([&, button](QDialog&) {
            auto* overlay = form.StringGrid1->viewport()->findChild<TMyEdit*>();
            ASSERT_NE(overlay, nullptr);
            EXPECT_TRUE(overlay->isVisible());
            overlayRects.push_back(overlay->geometry());
            selected.push_back(overlay->selectedText());
            (windows.ReplaceQuestion->*button)->click();
        });
    };
    prompter.onDialog([&](QDialog&) {
        windows.ReplaceForm->ToFind->setText("one");
        windows.ReplaceForm->NewText->setText("1");
        windows.ReplaceForm->Replace->click();
    });
    answer(&TReplaceQuestion::Button2);  // No
    answer(&TReplaceQuestion::Button1);  // Yes
    answer(&TReplaceQuestion::Button3);  // Abort replace
    prompter.onDialog([&](QDialog&) { windows.ReplaceForm->Close->click(); });
    form.Replace->trigger();

    EXPECT_EQ(form.document().cell(2, Translated), "one two 1");
    EXPECT_EQ(form.document().cell(4, Translated), "one");
    EXPECT_TRUE(form.Modified());
    EXPECT_TRUE(form.Save->isEnabled());
    ASSERT_EQ(overlayRects.size(), 3u);
    EXPECT_EQ(overlayRects[0], form.cellRect(2, Translated));
    EXPECT_EQ(overlayRects[2], form.cellRect(4, Translated));
    EXPECT_EQ(selected, (std::vector<QString>{"one", "one", "one"}));
    EXPECT_EQ(current(), std::make_pair(4, Translated));
    EXPECT_EQ(prompter.unusedEntries(), 0u);
    EXPECT_TRUE(prompter.mismatches().empty());
    form.hide();
}

TEST_F(MainWindowWiringTest, FormatCodeMenuInsertsIntoTheOpenEditor) {
    form.document().setCStyleFlag(true);
    form.CStyle->setChecked(true);
    form.setCellText(2, Translated, "abc");
    ASSERT_TRUE(form.selectCell(2, Translated));
    openEditor();
    form.cellEditor()->setSelection(1, 2);
    form.PopupMenu1->popup(QPoint(0, 0));  // items are enabled as the menu opens
    EXPECT_TRUE(windows.PopupMenu1->Insertlinebreak1->isEnabled());
    form.PopupMenu1->hide();
    windows.PopupMenu1->Insertlinebreak1->trigger();
    EXPECT_EQ(form.document().cell(2, Translated), "a\\nbc");
    ASSERT_NE(form.cellEditor(), nullptr);
    EXPECT_EQ(form.cellEditor()->text(), "a\\nbc");
    EXPECT_EQ(form.cellEditor()->selectedText(), "bc");
    EXPECT_TRUE(form.Modified());
    windows.PopupMenu1->Reverttooriginal1->trigger();
    EXPECT_EQ(form.document().cell(2, Translated), "abc");
    EXPECT_EQ(form.cellEditor()->text(), "abc");
}

TEST_F(MainWindowWiringTest, RawInsertionAndNoMenuWithoutEditor) {
    form.setCellText(2, Translated, "abc");
    ASSERT_TRUE(form.selectCell(2, Translated));
    form.PopupMenu1->popup(QPoint(0, 0));
    EXPECT_FALSE(windows.PopupMenu1->Changecolor1->menuAction()->isEnabled());
    form.PopupMenu1->hide();
    openEditor();
    form.cellEditor()->setCursorPosition(0);
    for (QAction* item : windows.PopupMenu1->Changecolor1->actions()) {
        if (item->text() == "Red") {
            item->trigger();
        }
    }
    EXPECT_EQ(form.document().cell(2, Translated),
              "\x91"
              "abc");
    EXPECT_EQ(form.cellEditor()->cursorPosition(), 1);
}

TEST_F(MainWindowWiringTest, PreviewFollowsTheCurrentCell) {
    form.setCellText(2, Original, "Hi \x91there");
    ASSERT_TRUE(form.selectCell(2, Original));
    form.Preview->trigger();
    EXPECT_TRUE(form.Preview->isChecked());
    EXPECT_TRUE(windows.PreviewForm->isVisible());
    EXPECT_TRUE(windows.Preview->previewTimer()->isActive());
    windows.Preview->PreviewTimerTimer();
    EXPECT_EQ(windows.PreviewForm->richEdit()->toPlainText(), "Hi there");
    windows.PreviewForm->close();
    EXPECT_FALSE(form.Preview->isChecked());
    EXPECT_FALSE(windows.Preview->previewTimer()->isActive());
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
    form.Preview->trigger();  // what the start-up does for a visible preview
    EXPECT_TRUE(windows.PreviewForm->isVisible());
    EXPECT_EQ(windows.PreviewForm->pos(), QPoint(0, 0));
    EXPECT_EQ(windows.PreviewForm->size(), QSize(410, 170));
    EXPECT_EQ(windows.PreviewForm->richEdit()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(windows.ReplaceForm->pos(), QPoint(40, 50));

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
    form.Preview->trigger();
}

TEST_F(MainWindowWiringTest, DefaultsKeepNoPositions) {
    emit form.settingsLoaded();
    EXPECT_FALSE(form.Preview->isChecked());
    EXPECT_EQ(windows.ReplaceForm->pos(), QPoint(232, 296));
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
    windows.FindForm->SearchText->setText("nowhere in any text");
    windows.FindForm->WholeWords->setChecked(true);
    windows.FindForm->FindNext->click();
    EXPECT_EQ(current(), std::make_pair(1, Original));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Text not found");

    windows.ReplaceForm->ToFind->setText("CARGO");
    windows.ReplaceForm->NewText->setText("fret");
    windows.ReplaceForm->Prompt->setChecked(false);
    windows.ReplaceForm->runReplace();
    EXPECT_EQ(prompter.messages().back().text, "All matching strings were replaced");
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
