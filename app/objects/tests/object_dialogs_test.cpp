// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/objects/new_language_id_dialog.h"
#include "app/objects/object_language_dialog.h"
#include "app/widgets/lang_id_edit.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/test_application.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"

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

QLineEdit* edit(const QDialog& dialog, const char* name) {
    return childByName<QLineEdit>(dialog, name);
}

void click(const QDialog& dialog, const char* name) {
    childByName<QPushButton>(dialog, name)->click();
}

TEST(NewLanguageId, KeepsItsValueBetweenShowings) {
    testApplication();
    ScriptedPrompter prompter;
    NewLanguageIdDialog dialog;
    EXPECT_EQ(edit(dialog, "idEdit")->text(), "0");
    prompter.onDialog([](QDialog& d) {
        QLineEdit* id = edit(d, "idEdit");
        EXPECT_TRUE(id->hasFocus() || !QApplication::focusWidget());
        id->setText("300");
        click(d, "okButton");
    });
    EXPECT_EQ(prompter.runModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.id(), 254);
    prompter.onDialog([](QDialog& d) { click(d, "cancelButton"); });
    EXPECT_EQ(prompter.runModal(dialog), QDialog::Rejected);
    EXPECT_EQ(edit(dialog, "idEdit")->text(), "254");
}

TEST(ObjectLanguage, OkAnswersTheIdsEvenWithoutAChangeAndCancelAnswersNothing) {
    testApplication();
    ScriptedPrompter prompter;
    ObjectLanguageDialog dialog;
    prompter.onDialog([](QDialog& d) {
        EXPECT_EQ(edit(d, "primaryEdit")->text(), "20");
        click(d, "okButton");
    });
    EXPECT_EQ(dialog.choose({20, 0}), (LangIds{20, 0}));

    prompter.onDialog([](QDialog& d) {
        type(edit(d, "secondaryEdit"), "300");
        EXPECT_EQ(edit(d, "secondaryEdit")->text(), "254");
        click(d, "cancelButton");
    });
    EXPECT_EQ(dialog.choose({20, 0}), std::nullopt);
    EXPECT_EQ(prompter.asked().back().caption, "Object language settings");
}

TEST(ObjectLanguage, TypedIdsReachTheTranslatedExecutableOnSave) {
    testApplication();
    TempDir dir;
    const auto original = dir.path() / "orig.exe";
    const auto translated = dir.path() / "trans.exe";
    const std::vector<std::string> texts = sampleTexts();
    writeFileAtomically(original, makeSampleExecutable(1, texts, 0, 0));
    writeFileAtomically(translated, makeSampleExecutable(1, texts, 0, 0));

    ScriptedPrompter prompter;
    ObjectLanguageDialog dialog;
    prompter.onDialog([](QDialog& d) {
        edit(d, "primaryEdit")->clear();
        type(edit(d, "primaryEdit"), "300");
        edit(d, "secondaryEdit")->clear();
        type(edit(d, "secondaryEdit"), "7");
        click(d, "okButton");
    });
    const std::optional<LangIds> chosen = dialog.choose({});
    ASSERT_TRUE(chosen);
    const LangIds ids = *chosen;
    EXPECT_EQ(ids.primary, 254);
    EXPECT_EQ(ids.secondary, 7);

    ASSERT_TRUE(saveStrings(translated, texts, {Notation::Raw, ids.primary, ids.secondary}).saved);
    LoadedExecutables loaded;
    loadExecutables(original, translated, Notation::Raw, loaded);
    EXPECT_EQ(loaded.primaryLangId, 254);
    EXPECT_EQ(loaded.secondaryLangId, 7);
}

}  // namespace
}  // namespace tarn
