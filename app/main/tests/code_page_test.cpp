// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's code page: the font's character set chooses it, every window shows the
// same bytes through it, and a character it lacks is refused with a beep and a message.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QTextEdit>

#include "app/main/tests/editor_fixture.h"
#include "app/objects/object_texts_window.h"
#include "app/preview/preview_window.h"
#include "common/code_page_choice.h"

namespace tarn {
namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

class CodePageTest : public EditorTest {
protected:
    QString refusal(char32_t character) const {
        return QString::fromStdString(missingCharacterMessage(character, window->codePage()));
    }
    QLineEdit* searchBox() const {
        return childByName<QLineEdit>(*child<QDialog>("findDialog"), "searchTextEdit");
    }
};

TEST_F(CodePageTest, ACharacterTheCodePageLacksIsRefusedWhetherTypedOrPasted) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    ASSERT_EQ(f.codePage().number(), 1252);
    QLineEdit* editor = openEditorAt(1, Translated);
    ASSERT_NE(editor, nullptr);

    typeCharacter(editor, QStringLiteral("\u0142"));  // ł
    EXPECT_EQ(editor->text(), "Hi");
    EXPECT_EQ(f.document().cell(1, Translated), "Hi");
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(prompter.beeps(), 1);
    EXPECT_EQ(f.statusBar()->currentMessage(),
              "'\u0142' is not in code page 1252: choose the font's character set that has it "
              "(Other > Change used font...)");

    // A paste holding one such character is refused whole; nothing becomes "?".
    QApplication::clipboard()->setText(QStringLiteral(" \u0142\u00F3d\u017A"));
    editor->paste();
    EXPECT_EQ(editor->text(), "Hi");
    EXPECT_EQ(f.document().cell(1, Translated), "Hi");
    EXPECT_EQ(prompter.beeps(), 2);
    EXPECT_EQ(f.statusBar()->currentMessage(), refusal(0x142));

    // A letter of the page is taken, and the status bar shows the bytes again.
    typeCharacter(editor, QStringLiteral("\u00E9"));
    EXPECT_EQ(f.document().cell(1, Translated), "Hi\xE9");
    EXPECT_EQ(f.statusBar()->currentMessage(), "72 105 233 ");
    EXPECT_EQ(prompter.beeps(), 2);
    pressInEditor(Qt::Key_Escape);
    EXPECT_EQ(translatedOnDisk()[0], "Hi");

    // The find box refuses the same way and says so in the main window's status bar.
    action("findAction")->trigger();
    typeCharacter(searchBox(), QStringLiteral("\u017A"));
    EXPECT_EQ(searchBox()->text(), "");
    EXPECT_EQ(prompter.beeps(), 3);
    EXPECT_EQ(f.statusBar()->currentMessage(), refusal(0x17A));
    child<QDialog>("findDialog")->hide();
}

TEST_F(CodePageTest, TheFontsCharacterSetTakesItsLettersAndSavesThemAsItsBytes) {
    writeGame();
    writeSettings("[Options]\r\nFontCharset=238\r\n");
    MainWindow& f = start();
    EXPECT_EQ(f.fontCharset(), 238);
    EXPECT_EQ(f.codePage().number(), 1250);
    QLineEdit* editor = openEditorAt(1, Translated);
    ASSERT_NE(editor, nullptr);
    for (const char16_t letter : {u'\u0142', u'\u00F3', u'd', u'\u017A'}) {
        typeCharacter(editor, QString(QChar(letter)));
    }
    EXPECT_EQ(prompter.beeps(), 0);
    EXPECT_EQ(f.document().cell(1, Translated),
              "Hi\xB3\xF3"
              "d\x9F");
    EXPECT_EQ(f.cellText(1, Translated), QStringLiteral("Hi\u0142\u00F3d\u017A"));
    pressInEditor(Qt::Key_Return);
    f.saveTexts();
    EXPECT_EQ(translatedOnDisk()[0],
              "Hi\xB3\xF3"
              "d\x9F");

    // Find matches the letters of the page, without regard to case.
    action("findAction")->trigger();
    typeCharacter(searchBox(), QStringLiteral("\u0141"));  // Ł
    EXPECT_EQ(searchBox()->text(), QStringLiteral("\u0141"));
    ASSERT_TRUE(grid()->moveTo(1, StringTableDocument::OriginalColumn));
    childByName<QPushButton>(*child<QDialog>("findDialog"), "findNextButton")->click();
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(grid()->currentColumn(), Translated);
    EXPECT_TRUE(prompter.messages().empty());
    child<QDialog>("findDialog")->hide();
}

TEST_F(CodePageTest, SwitchingTheCharacterSetShowsTheSameBytesEverywhereAndIsStored) {
    texts[2] = "\xA3\xF3\x64\x9F \x05 Ende";  // Łódź in Windows-1250, with a line break
    writeGame();
    writeSettings();
    MainWindow& f = start();
    EXPECT_EQ(f.cellText(3, Translated), QStringLiteral("\u00A3\u00F3d\u0178 \u2405 Ende"));
    auto* preview = child<PreviewWindow>("previewWindow");
    preview->showText(texts[2], Notation::Raw);
    QLineEdit* editor = openEditorAt(3, Translated);
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(2);
    action("findAction")->trigger();
    searchBox()->setText(QStringLiteral("\u00A3"));
    const std::vector<std::string> before = f.document().translatedTexts();

    f.setFontCharset(238);
    EXPECT_EQ(f.codePage().number(), 1250);
    EXPECT_EQ(f.cellText(3, Translated), QStringLiteral("\u0141\u00F3d\u017A \u2405 Ende"));
    EXPECT_EQ(editor->text(), QStringLiteral("\u0141\u00F3d\u017A \u2405 Ende"));
    EXPECT_EQ(editor->cursorPosition(), 2);
    EXPECT_EQ(searchBox()->text(), QStringLiteral("\u0141"));
    EXPECT_EQ(child<ObjectTextsWindow>("objectTextsWindow")->codePage().number(), 1250);
    EXPECT_TRUE(child<QTextEdit>("previewText")
                    ->toPlainText()
                    .startsWith(QStringLiteral("\u0141\u00F3d\u017A")));
    EXPECT_EQ(f.document().translatedTexts(), before);
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(prompter.beeps(), 0);

    f.setFontCharset(204);  // Cyrillic: the same bytes read as other letters
    EXPECT_EQ(f.cellText(3, Translated), QStringLiteral("\u0408\u0443d\u045F \u2405 Ende"));
    EXPECT_EQ(f.document().translatedTexts(), before);
    child<QDialog>("findDialog")->hide();
    pressInEditor(Qt::Key_Escape);
    EXPECT_TRUE(f.close());
    EXPECT_NE(settingsText().find("FontCharset=204"), std::string::npos);
}

TEST_F(CodePageTest, TheFontDialogChoosesTheCharacterSet) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    bool sampleShown = false;
    bool effectsShown = true;
    prompter.onDialog([&](QDialog& dialog) {
        for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
            const bool shown = box->isVisibleTo(&dialog);
            (box->findChildren<QCheckBox*>().isEmpty() ? sampleShown : effectsShown) = shown;
        }
        EXPECT_FALSE(static_cast<QFontDialog&>(dialog).currentFont().italic());
        auto* sets = childByName<QComboBox>(dialog, "charsetBox");
        EXPECT_EQ(sets->currentData().toInt(), kDefaultCharset);
        sets->setCurrentIndex(sets->findData(238));
        dialog.accept();
    });
    action("fontAction")->trigger();
    EXPECT_TRUE(sampleShown);
    EXPECT_FALSE(effectsShown);
    EXPECT_EQ(f.fontCharset(), 238);
    EXPECT_EQ(f.codePage().number(), 1250);
    EXPECT_FALSE(f.session().isModified());
    EXPECT_TRUE(f.close());
    EXPECT_NE(settingsText().find("FontCharset=238"), std::string::npos);
}

// The stored value, which the user did not change, stays as it is: it reads as the default again.
TEST_F(CodePageTest, NonsenseStoredCharacterSetsGiveTheDefault) {
    for (const char* stored : {"-5", "300", "text"}) {
        writeGame();
        writeSettings(std::string("[Options]\r\nFontCharset=") + stored + "\r\n");
        MainWindow& f = start();
        EXPECT_EQ(f.fontCharset(), kDefaultCharset) << stored;
        EXPECT_EQ(f.codePage().number(), 1252) << stored;
        EXPECT_TRUE(f.close());
        EXPECT_NE(settingsText().find(std::string("FontCharset=") + stored + "\r\n"),
                  std::string::npos)
            << stored;
        window.reset();
    }
}

TEST_F(CodePageTest, ASetWithoutSingleByteCodePageFallsBackAndSaysSoOnce) {
    writeGame();
    writeSettings("[Options]\r\nFontCharset=128\r\n");
    MainWindow& f = start();
    EXPECT_EQ(f.fontCharset(), 128);  // kept as chosen, and stored back
    EXPECT_EQ(f.codePage().number(), 1252);
    EXPECT_EQ(f.statusBar()->currentMessage(),
              "Code page 1252 is used: the font's character set 128 has no single-byte code page");
    ASSERT_TRUE(grid()->moveTo(2, Translated));
    ASSERT_TRUE(grid()->moveTo(1, Translated));
    EXPECT_EQ(f.statusBar()->currentMessage(), "72 105 ");
    EXPECT_TRUE(f.close());
    EXPECT_NE(settingsText().find("FontCharset=128"), std::string::npos);
}

}  // namespace
}  // namespace tarn
