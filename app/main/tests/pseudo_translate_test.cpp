// SPDX-License-Identifier: GPL-3.0-or-later
// Other > "Pseudo-translate untranslated texts...": the texts still equal to their originals
// become pseudo-translations in the window's code page and character table, as one step.
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QSpinBox>
#include <optional>

#include "app/main/tests/editor_fixture.h"
#include "textcodes/pseudo_translation.h"

namespace tarn {
namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

class PseudoTranslateTest : public EditorTest {
protected:
    // Code page 1250 with the table that puts Ś on byte A4, so that "S" takes Ś there rather
    // than the page's Ş; texts 2 and 3 translated, text 6 empty, the others untranslated.
    MainWindow& startHalfTranslated() {
        useRepetitiveSample();
        texts[0] = "Save \x7B gold";        // %N
        texts[4] = "\x17\x01\x05 Sword  ";  // a picture first, trailing spaces
        texts[5] = "";
        std::vector<std::string> translated = texts;
        translated[1] = "Zwei";
        translated[2] = "Drei";
        writeGame(texts, translated);
        const fs::path table = dir.path() / "polish.tbl";
        const std::string line = "A4=\xC5\x9A\n";
        writeFileAtomically(table, Bytes(line.begin(), line.end()));
        writeSettings(
            "[Options]\r\nFontCharset=238\r\n[Characters]\r\nTableFile=" + table.string() + "\r\n");
        return start();
    }
    // Answers the next percentage dialog: notes what it offers, then takes `percent`, or
    // cancels without one.
    void answerDialog(std::optional<int> percent) {
        prompter.onDialog([this, percent](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), "pseudoTranslateDialog");
            auto* expand = childByName<QSpinBox>(dialog, "expandBox");
            offered = expand->value();
            EXPECT_EQ(expand->minimum(), 0);
            EXPECT_EQ(expand->maximum(), 1000);
            auto* buttons = dialog.findChild<QDialogButtonBox*>();
            if (percent) {
                expand->setValue(*percent);
                buttons->button(QDialogButtonBox::Ok)->click();
            } else {
                buttons->button(QDialogButtonBox::Cancel)->click();
            }
        });
    }

    int offered = -1;
};

TEST_F(PseudoTranslateTest, UntranslatedTextsArePseudoTranslatedAsOneStep) {
    MainWindow& f = startHalfTranslated();
    ASSERT_TRUE(f.codePage().hasPlaced());
    const CodePage page = f.codePage();
    ASSERT_NE(pseudoTranslate("Save", 50, page),
              pseudoTranslate("Save", 50, *CodePage::byNumber(1250)));  // the table counts
    QMenu* other = qobject_cast<QMenu*>(f.menuBar()->actions()[3]->menu());
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->actions().back(), action("pseudoTranslateAction"));  // the menu's last
    const std::vector<std::string> before = f.document().translatedTexts();

    answerDialog(50);
    action("pseudoTranslateAction")->trigger();
    ASSERT_EQ(prompter.unusedEntries(), 0u);
    EXPECT_EQ(offered, 30);
    const StringTableDocument& document = f.document();
    // The codes stay where they were; the letters take the table's accents.
    EXPECT_EQ(document.cell(1, Translated), pseudoTranslate(texts[0], 50, page));
    EXPECT_EQ(document.cell(1, Translated).substr(0, 7), "[\xA4\xE1v\xE9 \x7B");
    EXPECT_EQ(document.cell(5, Translated), pseudoTranslate(texts[4], 50, page));
    EXPECT_EQ(document.cell(5, Translated).substr(0, 4), "[\x17\x01\x05");
    EXPECT_EQ(document.cell(2, Translated), "Zwei");
    EXPECT_EQ(document.cell(3, Translated), "Drei");
    EXPECT_EQ(document.cell(6, Translated), "");
    int changed = 0;
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        const std::string& original = document.cell(row, StringTableDocument::OriginalColumn);
        if (row != 2 && row != 3 && !original.empty()) {
            ASSERT_EQ(document.cell(row, Translated), pseudoTranslate(original, 50, page)) << row;
            ++changed;
        }
    }
    const QString steps = QStringLiteral("(%1 texts)").arg(changed);
    EXPECT_EQ(f.statusBar()->currentMessage(),
              QStringLiteral("Pseudo-translated %1 texts").arg(changed));
    EXPECT_TRUE(f.session().isModified());
    EXPECT_EQ(action("undoAction")->text(), "Undo Pseudo-translate " + steps);

    // One undo brings every text back.
    action("undoAction")->trigger();
    EXPECT_EQ(document.translatedTexts(), before);
    EXPECT_FALSE(f.session().isModified());
    EXPECT_EQ(action("redoAction")->text().section('\t', 0, 0), "Redo Pseudo-translate " + steps);
}

TEST_F(PseudoTranslateTest, CancelOrNothingUntranslatedChangesNothing) {
    MainWindow& f = startHalfTranslated();
    const std::vector<std::string> before = f.document().translatedTexts();
    const int steps = f.session().stack().count();

    answerDialog(std::nullopt);
    action("pseudoTranslateAction")->trigger();
    ASSERT_EQ(prompter.unusedEntries(), 0u);
    EXPECT_EQ(f.document().translatedTexts(), before);
    EXPECT_EQ(f.session().stack().count(), steps);
    EXPECT_FALSE(f.session().isModified());

    // Every text translated: no step, and the status line says why.
    answerDialog(10);
    action("pseudoTranslateAction")->trigger();
    const std::vector<std::string> pseudo = f.document().translatedTexts();
    ASSERT_NE(pseudo, before);
    answerDialog(10);
    action("pseudoTranslateAction")->trigger();
    EXPECT_EQ(offered, 10);  // the last percentage is offered again
    EXPECT_EQ(f.document().translatedTexts(), pseudo);
    EXPECT_EQ(f.session().stack().count(), steps + 1);
    EXPECT_EQ(f.statusBar()->currentMessage(), "No untranslated text to pseudo-translate");
}

}  // namespace
}  // namespace tarn
