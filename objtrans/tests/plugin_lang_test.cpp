#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPushButton>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "objtrans/lang_id_edit.h"
#include "objtrans/t_ask_lang_id.h"
#include "objtrans/t_plugin_lang_settings.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/scripted_prompter.h"

namespace tarn {
namespace {

void type(QWidget* target, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
    }
}

void key(QWidget* target, int k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

TEST(LangIdInput, ClampsNumbersAndLeavesOtherTextAlone) {
    EXPECT_EQ(clampLangIdText("300"), "254");
    EXPECT_EQ(clampLangIdText("254"), "254");
    EXPECT_EQ(clampLangIdText("0"), "0");
    EXPECT_EQ(clampLangIdText("007"), "007");
    EXPECT_EQ(clampLangIdText("-3"), "0");
    EXPECT_EQ(clampLangIdText("99999999999999999999999"), "254");
    EXPECT_EQ(clampLangIdText(""), "");
}

TEST(LangIdInput, TakesOnlyDigitsTypedOrPastedAndClampsThem) {
    testApplication();
    LangIdEdit edit;
    LangIdUpDown upDown(edit);
    edit.clear();
    type(&edit, "1a2-");
    EXPECT_EQ(edit.text(), "12");
    key(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "1");
    type(&edit, "99");
    EXPECT_EQ(edit.text(), "199");
    type(&edit, "9");
    EXPECT_EQ(edit.text(), "254");
    EXPECT_EQ(upDown.position(), 254);

    edit.clear();
    EXPECT_EQ(upDown.position(), 254);  // an empty text keeps the last position
    QApplication::clipboard()->setText("300");
    edit.paste();
    EXPECT_EQ(edit.text(), "254");
    edit.clear();
    QApplication::clipboard()->setText("12x");
    edit.paste();
    EXPECT_EQ(edit.text(), "");

    upDown.setPosition(253);
    upDown.stepBy(1);
    upDown.stepBy(1);
    EXPECT_EQ(edit.text(), "254");
    key(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), "253");
    upDown.setPosition(-4);
    EXPECT_EQ(edit.text(), "0");
}

TEST(AskLangId, KeepsItsValueBetweenShowings) {
    testApplication();
    ScriptedPrompter prompter;
    TAskLangID dialog;
    EXPECT_EQ(dialog.Edit1->text(), "0");
    prompter.onDialog([](QDialog& d) {
        auto& ask = static_cast<TAskLangID&>(d);
        EXPECT_TRUE(ask.Edit1->hasFocus() || !QApplication::focusWidget());
        ask.Edit1->setText("300");
        ask.OKButton->click();
    });
    EXPECT_EQ(prompter.runModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.id(), 254);
    prompter.onDialog([](QDialog& d) { static_cast<TAskLangID&>(d).CancelButton->click(); });
    EXPECT_EQ(prompter.runModal(dialog), QDialog::Rejected);
    EXPECT_EQ(dialog.Edit1->text(), "254");
}

TEST(PluginLang, OkMarksModifiedEvenWithoutAChangeAndCancelChangesNothing) {
    testApplication();
    ScriptedPrompter prompter;
    TPluginLangSettings dialog;
    LangIds ids{20, 0};
    prompter.onDialog([](QDialog& d) {
        auto& settings = static_cast<TPluginLangSettings&>(d);
        EXPECT_EQ(settings.Edit1->text(), "20");
        settings.OK->click();
    });
    EXPECT_TRUE(PluginLangExecute(dialog, ids));
    EXPECT_EQ(ids.primary, 20);
    EXPECT_EQ(ids.secondary, 0);

    prompter.onDialog([](QDialog& d) {
        auto& settings = static_cast<TPluginLangSettings&>(d);
        type(settings.Edit2, "300");
        EXPECT_EQ(settings.Edit2->text(), "254");
        settings.Cancel->click();
    });
    EXPECT_FALSE(PluginLangExecute(dialog, ids));
    EXPECT_EQ(ids.secondary, 0);
    EXPECT_EQ(prompter.asked().back().caption, "Object language settings");
}

TEST(PluginLang, TypedIdsReachTheTranslatedExecutableOnSave) {
    testApplication();
    TempDir dir;
    const auto original = dir.path() / "orig.exe";
    const auto translated = dir.path() / "trans.exe";
    const std::vector<std::string> texts = sampleTexts();
    writeFileAtomically(original, makeSampleExecutable(1, texts, 0, 0));
    writeFileAtomically(translated, makeSampleExecutable(1, texts, 0, 0));

    ScriptedPrompter prompter;
    TPluginLangSettings dialog;
    LangIds ids;
    prompter.onDialog([](QDialog& d) {
        auto& settings = static_cast<TPluginLangSettings&>(d);
        settings.Edit1->clear();
        type(settings.Edit1, "300");
        settings.Edit2->clear();
        type(settings.Edit2, "7");
        settings.OK->click();
    });
    ASSERT_TRUE(PluginLangExecute(dialog, ids));
    EXPECT_EQ(ids.primary, 254);
    EXPECT_EQ(ids.secondary, 7);

    ASSERT_TRUE(saveStrings(translated, texts, {false, ids.primary, ids.secondary}).saved);
    LoadedExecutables loaded;
    loadExecutables(original, translated, false, loaded);
    EXPECT_EQ(loaded.primaryLangId, 254);
    EXPECT_EQ(loaded.secondaryLangId, 7);
}

}  // namespace
}  // namespace tarn
