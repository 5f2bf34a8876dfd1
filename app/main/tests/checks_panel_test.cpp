// SPDX-License-Identifier: GPL-3.0-or-later
// The live space budget in the status bar, the texts that do not fit marked in the grid, and
// the Checks panel: kept up to date, its keys, the look-alike replacement and its stored place.
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QTextDocumentFragment>
#include <QTreeView>

#include "app/main/checks_panel.h"
#include "app/main/tests/editor_fixture.h"
#include "exetext/space_budget.h"

namespace tarn {
namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

class ChecksTest : public EditorTest {
protected:
    // Every translation differs from its original and is 5 bytes longer, so the checks start
    // with one finding per text: longer.
    void writeTranslatedGame() {
        useRepetitiveSample();
        std::vector<std::string> translated = texts;
        for (std::string& text : translated) {
            if (!text.empty()) {
                text += " (de)";
            }
        }
        writeGame(texts, translated);
        writeSettings(extraSettings);
    }

    // Types characters the test keyboard lacks into the current cell's editor.
    // Adds characters at the end of the current cell's editor. A code character typed there is
    // refused, so a text holding one (from an older file) reaches the editor as the program sets
    // its text.
    void typeCharacters(const QString& characters) {
        type(QString());
        QLineEdit* editor = grid()->cellEditor();
        ASSERT_NE(editor, nullptr);
        editor->setText(editor->text() + characters);
    }

    QLabel* budgetLabel() const { return child<QLabel>("budgetLabel"); }
    ChecksPanel* panel() const { return child<ChecksPanel>("checksDock"); }
    QTreeView* list() const { return child<QTreeView>("checksList"); }

    SpaceBudget expectedBudget() const {
        return spaceBudget(profileByNumber(window->translatedProfile()).textAreas,
                           window->document().translatedTexts(), Notation::Raw);  // game bytes
    }
    // The check names of a text's findings, in the panel's order.
    std::vector<std::string> checksOf(int text) const {
        std::vector<std::string> names;
        for (const TextFinding& found : panel()->findings()) {
            if (found.text == text) {
                names.emplace_back(found.finding.check);
            }
        }
        return names;
    }
    std::size_t countOf(std::string_view check) const {
        return static_cast<std::size_t>(
            std::count_if(panel()->findings().begin(), panel()->findings().end(),
                          [check](const TextFinding& f) { return f.finding.check == check; }));
    }
    // Makes the panel's row of the text's finding of that check the current one.
    QModelIndex selectFinding(int text, std::string_view check) const {
        const QAbstractItemModel* rows = list()->model();
        for (int i = 0; i < rows->rowCount(); ++i) {
            const QModelIndex index = rows->index(i, 0);
            if (index.data().toInt() == text &&
                index.siblingAtColumn(2).data().toString().toStdString() == check) {
                list()->setCurrentIndex(index);
                return index;
            }
        }
        ADD_FAILURE() << "no " << check << " finding for text " << text;
        return {};
    }
    // The panel's rows as "text check".
    QStringList listedRows() const {
        QStringList rows;
        const QAbstractItemModel* model = list()->model();
        for (int i = 0; i < model->rowCount(); ++i) {
            rows << model->index(i, 0).data().toString() + " " +
                        model->index(i, 2).data().toString();
        }
        return rows;
    }
    QBrush numberBackground(int row) const {
        return grid()->model()->index(row - 1, 0).data(Qt::BackgroundRole).value<QBrush>();
    }

    std::string extraSettings;
};

TEST_F(ChecksTest, StatusBarShowsTheBudgetAndTheGridMarksTextsThatDoNotFit) {
    writeTranslatedGame();
    MainWindow& f = start();
    const SpaceBudget fits = expectedBudget();
    ASSERT_TRUE(fits.fits());
    EXPECT_EQ(budgetLabel()->text().toStdString(), spaceBudgetStatus(fits));
    EXPECT_TRUE(budgetLabel()->text().endsWith(" bytes free"));
    EXPECT_NE(budgetLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
    const QBrush plain = numberBackground(1);
    // The same texts in C-style notation take the same space; escapes count as their codes.
    const QString rawFigure = budgetLabel()->text();
    action("notationAction")->trigger();
    ASSERT_EQ(f.document().notation(), Notation::CStyle);
    EXPECT_EQ(budgetLabel()->text(), rawFigure);
    f.setCellText(3, Translated, "\\c3\\t\\x05 Abc");
    ASSERT_TRUE(grid()->moveTo(4, Translated));
    EXPECT_EQ(budgetLabel()->text().toStdString(), spaceBudgetStatus(expectedBudget()));
    action("notationAction")->trigger();
    EXPECT_EQ(budgetLabel()->text().toStdString(), spaceBudgetStatus(expectedBudget()));

    for (int row = 1; row <= 40; ++row) {
        f.setCellText(row, Translated, std::string(20000, static_cast<char>('a' + row % 26)));
    }
    ASSERT_TRUE(grid()->moveTo(50, Translated));  // leaving a cell brings the budget up to date
    const SpaceBudget over = expectedBudget();
    ASSERT_FALSE(over.fits());
    EXPECT_EQ(budgetLabel()->text().toStdString(), spaceBudgetStatus(over));
    EXPECT_TRUE(over.atLeast);  // the unused bytes lie in several areas
    EXPECT_TRUE(budgetLabel()->text().startsWith(
        "Over by at least " + QString::number(over.shortfall) + " bytes: "));
    EXPECT_TRUE(budgetLabel()->toolTip().contains("The longest text that would still fit: "));
    EXPECT_EQ(budgetLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(budgetLabel()->toolTip().startsWith("Texts that do not fit: " +
                                                    QString::number(over.unplaced.front())));
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        const bool unplaced = std::binary_search(over.unplaced.begin(), over.unplaced.end(), row);
        ASSERT_EQ(numberBackground(row) != plain, unplaced) << row;
    }
    EXPECT_GT(numberBackground(over.unplaced.front()).color().red(),
              numberBackground(over.unplaced.front()).color().green());

    // The save's box keeps its words and names the first texts that do not fit; the status bar
    // says by how much.
    f.saveTexts();
    ASSERT_FALSE(prompter.messages().empty());
    QStringList first;
    for (std::size_t i = 0; i < over.unplaced.size() && i < 10; ++i) {
        first << QString::number(over.unplaced[i]);
    }
    EXPECT_EQ(prompter.messages().back().text,
              "Not enough space in the executable file - try to be shorter\n\rOr let it grow: "
              "File > Let the executable grow when the texts do not fit\n\rFirst texts that "
              "do not fit: " +
                  first.join(", "));
    EXPECT_EQ(budgetLabel()->text().toStdString(), spaceBudgetStatus(over));

    // Short again: the marks go and the figure is the one the save reports.
    for (int row = 1; row <= 40; ++row) {
        f.setCellText(row, Translated, "kurz");
    }
    ASSERT_TRUE(grid()->moveTo(51, Translated));
    EXPECT_TRUE(budgetLabel()->text().endsWith(" bytes free"));
    EXPECT_NE(budgetLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(numberBackground(over.unplaced.front()), plain);
    f.saveTexts();
    ASSERT_FALSE(f.session().isModified());
    const QString freeFigure = budgetLabel()->text().section(' ', 0, 0);
    EXPECT_EQ(grid()->statusTip(), freeFigure + " unused bytes remaining");
}

TEST_F(ChecksTest, PanelFollowsAnEditAReplaceAndCopyStrings) {
    writeTranslatedGame();
    start();
    action("checksAction")->trigger();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_TRUE(action("checksAction")->isChecked());
    EXPECT_EQ(countOf("longer"), panel()->findings().size());
    EXPECT_EQ(checksOf(5), std::vector<std::string>{"longer"});
    EXPECT_EQ(list()->model()->columnCount(), 4);

    // An edit counts once the cell is left (or its editor closed).
    ASSERT_TRUE(grid()->moveTo(5, Translated));
    typeCharacters(QString::fromUtf8("\xE2\x80\x9C"));  // “, byte 147: a colour code in the game
    EXPECT_EQ(checksOf(5), std::vector<std::string>{"longer"});
    pressInEditor(Qt::Key_Return);
    // Text 5's original stands elsewhere too, translated as before.
    EXPECT_EQ(checksOf(5),
              (std::vector<std::string>{"colours", "typed-code", "longer", "inconsistent"}));
    const QModelIndex typed = selectFinding(5, "typed-code");
    EXPECT_EQ(typed.siblingAtColumn(2).data().toString(), "typed-code");
    EXPECT_TRUE(
        typed.siblingAtColumn(3).data().toString().contains(QString::fromUtf8("\xE2\x80\x9C")));
    EXPECT_FALSE(typed.siblingAtColumn(1).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(typed.siblingAtColumn(1).data(Qt::ToolTipRole).toString(), "warning");

    // Replace over every text: the panel lists the code typed into each of them.
    auto replace = [this](const char* name) {
        return child<QWidget>("replaceDialog")->findChild<QWidget*>(name);
    };
    prompter.onDialog([&](QDialog&) {
        qobject_cast<QLineEdit*>(replace("toFindEdit"))->setText("(de)");
        qobject_cast<QLineEdit*>(replace("newTextEdit"))
            ->setText(QString::fromUtf8("(de\xE2\x80\xA6)"));
        qobject_cast<QCheckBox*>(replace("promptBox"))->setChecked(false);
        qobject_cast<QPushButton*>(replace("replaceButton"))->click();
    });
    prompter.answer(MessageAnswer::Ok);  // "All matching strings were replaced"
    prompter.onDialog(
        [&](QDialog&) { qobject_cast<QPushButton*>(replace("closeButton"))->click(); });
    action("replaceAction")->trigger();
    ASSERT_EQ(prompter.unusedEntries(), 0u);
    const auto replaced = static_cast<std::size_t>(
        std::count_if(texts.begin(), texts.end(), [](const std::string& t) {
            return !t.empty() && t.find('\x85') == std::string::npos;  // the original lacks …
        }));
    EXPECT_EQ(countOf("typed-code"), replaced + 1);  // … in those texts, and text 5's “
    // The selected finding stays selected through the update.
    EXPECT_EQ(list()->currentIndex().siblingAtColumn(0).data().toInt(), 5);

    // Copy strings: every translation now equals its original.
    prompter.answer(MessageAnswer::Yes);
    action("copyTextsAction")->trigger();
    EXPECT_EQ(countOf("typed-code"), 0u);
    EXPECT_GT(countOf("untranslated"), 3000u);
    EXPECT_EQ(checksOf(5), std::vector<std::string>{"untranslated"});
}

TEST_F(ChecksTest, EnterDoubleClickAndF8GoToTheFindingsTranslatedCell) {
    writeTranslatedGame();
    MainWindow& f = start();
    action("checksAction")->trigger();
    f.setCellText(10, Translated, "\x85" + f.document().cell(10, Translated));
    f.setCellText(30, Translated, "  " + f.document().cell(30, Translated));
    ASSERT_TRUE(grid()->moveTo(1, Translated));
    ASSERT_EQ(checksOf(10),
              (std::vector<std::string>{"value-codes", "typed-code", "longer", "inconsistent"}));
    ASSERT_EQ(checksOf(30), (std::vector<std::string>{"spaces", "longer", "inconsistent"}));

    list()->setFocus();
    selectFinding(30, "spaces");
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(grid()->currentRow(), 30);
    EXPECT_EQ(grid()->currentColumn(), Translated);

    const QModelIndex first = selectFinding(10, "typed-code");
    QApplication::processEvents();  // lays the list out
    const QPoint at = list()->visualRect(first).center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);  // a click only selects
    EXPECT_EQ(grid()->currentRow(), 30);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(grid()->currentRow(), 10);
    EXPECT_EQ(grid()->currentColumn(), Translated);

    // F8 from the current row: 10 -> 30 -> none below.
    ASSERT_EQ(action("nextFindingAction")->shortcut(), QKeySequence(Qt::Key_F8));
    ASSERT_TRUE(grid()->moveTo(1, StringTableDocument::OriginalColumn));
    action("nextFindingAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 10);
    EXPECT_EQ(grid()->currentColumn(), Translated);
    action("nextFindingAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 30);
    EXPECT_EQ(list()->currentIndex().siblingAtColumn(0).data().toInt(), 30);
    EXPECT_TRUE(prompter.messages().empty());
    action("nextFindingAction")->trigger();  // unscripted: No
    EXPECT_EQ(grid()->currentRow(), 30);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Start from the first text?");

    // An edit of the current cell counts at once: typing a code there makes it the next one.
    ASSERT_TRUE(grid()->moveTo(20, Translated));
    typeCharacters(QString::fromUtf8("\xE2\x82\xAC"));  // €, the money code
    action("nextFindingAction")->trigger();
    EXPECT_EQ(grid()->currentRow(), 30);
    EXPECT_EQ(checksOf(20),
              (std::vector<std::string>{"value-codes", "typed-code", "longer", "inconsistent"}));
}

TEST_F(ChecksTest, TypedCodeIsReplacedWithItsPlainLookAlike) {
    writeTranslatedGame();
    MainWindow& f = start();
    action("checksAction")->trigger();
    QAction* lookAlike = child<QAction>("lookAlikeAction");
    EXPECT_FALSE(lookAlike->isEnabled());
    ASSERT_TRUE(grid()->moveTo(5, Translated));
    typeCharacters(QString::fromUtf8(" \xE2\x80\x9CHallo\xE2\x80\x9D"));
    pressInEditor(Qt::Key_Return);
    ASSERT_EQ(checksOf(5), (std::vector<std::string>{"colours", "typed-code", "typed-code",
                                                     "longer", "inconsistent"}));
    f.session().stack().setClean();  // what follows is the only unsaved change

    selectFinding(5, "typed-code");
    EXPECT_TRUE(lookAlike->isEnabled());
    EXPECT_EQ(lookAlike->text(), QString::fromUtf8("Replace \xE2\x80\x9C with \""));
    lookAlike->trigger();
    EXPECT_TRUE(f.session().isModified());
    EXPECT_EQ(f.document().cell(5, Translated), texts[4] + " (de) \"Hallo\x94");
    EXPECT_EQ(f.cellText(5, Translated),
              QString::fromStdString(texts[4]) + QString::fromUtf8(" (de) \"Hallo\xE2\x80\x9D"));
    ASSERT_EQ(checksOf(5),
              (std::vector<std::string>{"colours", "typed-code", "longer", "inconsistent"}));
    selectFinding(5, "typed-code");
    lookAlike->trigger();
    EXPECT_EQ(f.document().cell(5, Translated), texts[4] + " (de) \"Hallo\"");
    EXPECT_EQ(checksOf(5), (std::vector<std::string>{"longer", "inconsistent"}));
    EXPECT_FALSE(lookAlike->isEnabled());

    // Other findings offer no replacement.
    f.setCellText(6, Translated, "  " + f.document().cell(6, Translated));
    ASSERT_TRUE(grid()->moveTo(7, Translated));
    selectFinding(6, "spaces");
    EXPECT_FALSE(lookAlike->isEnabled());
}

TEST_F(ChecksTest, PanelPlaceIsRestoredFromTheSettingsAndStoredAtClosing) {
    extraSettings = "[ChecksPanel]\r\nVisible=1\r\nArea=left\r\nFloating=0\r\nWidth=250\r\n";
    writeTranslatedGame();
    MainWindow& f = start();
    EXPECT_FALSE(panel()->isHidden());
    EXPECT_TRUE(action("checksAction")->isChecked());
    EXPECT_EQ(f.dockWidgetArea(panel()), Qt::LeftDockWidgetArea);
    EXPECT_FALSE(panel()->isFloating());

    f.addDockWidget(Qt::RightDockWidgetArea, panel());
    EXPECT_TRUE(f.close());
    AppSettings back;
    readStartupSettings(ProfileFile(settingsPath), back);
    EXPECT_TRUE(back.checksPanel.visible);
    EXPECT_EQ(back.checksPanel.area, "right");
    EXPECT_FALSE(back.checksPanel.floating);
    EXPECT_NE(settingsText().find("[ChecksPanel]\r\nVisible=1\r\nArea=right\r\nFloating=0\r\n"),
              std::string::npos);
    window.reset();

    start();
    EXPECT_FALSE(panel()->isHidden());
    EXPECT_EQ(window->dockWidgetArea(panel()), Qt::RightDockWidgetArea);
    action("checksAction")->trigger();  // hidden again
    EXPECT_TRUE(panel()->isHidden());
    EXPECT_TRUE(window->close());
    readStartupSettings(ProfileFile(settingsPath), back);
    EXPECT_FALSE(back.checksPanel.visible);
    EXPECT_EQ(back.checksPanel.area, "right");
}

TEST_F(ChecksTest, FloatingPanelKeepsItsBounds) {
    extraSettings =
        "[ChecksPanel]\r\nVisible=1\r\nFloating=1\r\nLeft=40\r\nTop=50\r\nWidth=300\r\n"
        "Height=200\r\n";
    writeTranslatedGame();
    MainWindow& f = start();
    EXPECT_TRUE(panel()->isFloating());
    EXPECT_FALSE(panel()->isHidden());
    EXPECT_EQ(panel()->geometry(), QRect(40, 50, 300, 200));
    panel()->setGeometry(60, 70, 320, 210);
    EXPECT_TRUE(f.close());
    AppSettings back;
    readStartupSettings(ProfileFile(settingsPath), back);
    EXPECT_TRUE(back.checksPanel.floating);
    EXPECT_EQ(back.checksPanel.left, 60);
    EXPECT_EQ(back.checksPanel.top, 70);
    EXPECT_EQ(back.checksPanel.width, 320);
    EXPECT_EQ(back.checksPanel.height, 210);
}

TEST_F(ChecksTest, PanelListsErrorsFirstFiltersAndCountsTheUntranslatedOnes) {
    writeTranslatedGame();
    MainWindow& f = start();
    prompter.answer(MessageAnswer::Yes);
    action("copyTextsAction")->trigger();  // every text untranslated
    f.setCellText(30, Translated, "  " + f.document().cell(30, Translated));
    f.setCellText(41, Translated, "\x7B " + f.document().cell(41, Translated));  // %N
    ASSERT_TRUE(grid()->moveTo(1, Translated));
    action("checksAction")->trigger();
    auto* count = child<QLabel>("untranslatedCount");
    const std::size_t untranslated = countOf("untranslated");
    ASSERT_GT(untranslated, 1000u);
    QString grouped = QString::number(untranslated);
    grouped.insert(grouped.size() - 3, ',');
    EXPECT_EQ(QTextDocumentFragment::fromHtml(count->text()).toPlainText(),
              grouped + " untranslated, shown by the filter");
    // '{' is the value code's own byte: also a code typed as a character. Both texts are two
    // bytes longer than their originals now.
    EXPECT_EQ(listedRows(), (QStringList{"41 value-codes", "30 spaces", "41 typed-code",
                                         "30 longer", "41 longer"}));

    child<QCheckBox>("errorsBox")->setChecked(false);
    EXPECT_EQ(listedRows(), (QStringList{"30 spaces", "41 typed-code", "30 longer", "41 longer"}));
    child<QCheckBox>("errorsBox")->setChecked(true);
    auto* check = child<QComboBox>("checkChoice");
    check->setCurrentIndex(check->findText("value-codes"));
    EXPECT_EQ(listedRows(), QStringList{"41 value-codes"});
    check->setCurrentIndex(check->findText("untranslated"));  // chosen by name: listed
    EXPECT_EQ(static_cast<std::size_t>(listedRows().size()), untranslated);
    check->setCurrentIndex(0);
    child<QCheckBox>("untranslatedBox")->setChecked(true);
    EXPECT_EQ(static_cast<std::size_t>(listedRows().size()), 5 + untranslated);
    EXPECT_EQ(listedRows()[0], "41 value-codes");
    EXPECT_TRUE(count->text().isEmpty());
    child<QCheckBox>("untranslatedBox")->setChecked(false);

    // The link lets the grid's filter show the untranslated texts.
    emit count->linkActivated(QStringLiteral("filter"));
    EXPECT_EQ(child<QComboBox>("filterKind")->currentText(), "Untranslated");

    // The choice is kept.
    child<QCheckBox>("warningsBox")->setChecked(false);
    check->setCurrentIndex(check->findText("spaces"));
    prompter.answer(MessageAnswer::No);  // "Unsaved changes"
    EXPECT_TRUE(f.close());
    EXPECT_NE(settingsText().find("Errors=1\r\nWarnings=0\r\nInfo=1\r\nUntranslated=0\r\n"
                                  "Check=spaces\r\n"),
              std::string::npos);
    window.reset();
    start();
    EXPECT_FALSE(child<QCheckBox>("warningsBox")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("errorsBox")->isChecked());
    EXPECT_EQ(child<QComboBox>("checkChoice")->currentText(), "spaces");
}

TEST_F(ChecksTest, LongerFindingsComeLastInTheirSeverityTheMostBytesOverFirst) {
    writeTranslatedGame();  // every text 5 bytes over
    MainWindow& f = start();
    action("checksAction")->trigger();
    const auto translation = [this](int text, const std::string& more) {
        return texts[static_cast<std::size_t>(text - 1)] + " (de)" + more;
    };
    f.setCellText(8, Translated, translation(8, " und noch mehr"));  // 19 over
    f.setCellText(12, Translated, translation(12, "!!"));            // 7
    f.setCellText(20, Translated, "  " + translation(20, ""));       // 7, and a warning
    f.setCellText(9, Translated, translation(9, "\x05"));            // 6, and a line break
    ASSERT_TRUE(grid()->moveTo(1, Translated));
    const QStringList worst{"8 longer", "12 longer", "20 longer", "9 longer", "1 longer"};

    // One check chosen: the most bytes over first, ties in text order.
    auto* check = child<QComboBox>("checkChoice");
    check->setCurrentIndex(check->findText("longer"));
    const QStringList longer = listedRows();
    EXPECT_EQ(static_cast<std::size_t>(longer.size()), countOf("longer"));
    EXPECT_EQ(longer.mid(0, worst.size()), worst);
    EXPECT_EQ(list()->model()->index(0, 3).data().toString(),
              "longer than the original by 19 bytes");

    // All checks: the same block closes the notes; the warnings and the other notes come first.
    check->setCurrentIndex(0);
    const QStringList all = listedRows();
    const qsizetype block = all.indexOf("8 longer");
    EXPECT_EQ(all.mid(block), longer);
    EXPECT_LT(all.indexOf("20 spaces"), all.indexOf("9 line-breaks"));
    EXPECT_LT(all.indexOf("9 line-breaks"), block);

    // A text made longer keeps its finding selected where it now stands; once the text is no
    // longer over, the next one in the list's order is selected.
    check->setCurrentIndex(check->findText("longer"));
    selectFinding(12, "longer");
    f.setCellText(12, Translated, translation(12, " und noch viel mehr dazu"));  // 29 over
    ASSERT_TRUE(grid()->moveTo(2, Translated));
    EXPECT_EQ(listedRows().mid(0, 3), (QStringList{"12 longer", "8 longer", "20 longer"}));
    EXPECT_EQ(list()->currentIndex().row(), 0);
    f.setCellText(12, Translated, texts[11]);
    ASSERT_TRUE(grid()->moveTo(3, Translated));
    EXPECT_EQ(list()->currentIndex().siblingAtColumn(0).data().toInt(), 8);
}

TEST_F(ChecksTest, PanelFirstShowsAtLeastTwelveRows) {
    writeTranslatedGame();
    MainWindow& f = start();
    f.resize(900, 1000);
    prompter.answer(MessageAnswer::Yes);
    action("copyTextsAction")->trigger();
    child<QCheckBox>("untranslatedBox")->setChecked(true);  // rows enough to measure
    action("checksAction")->trigger();
    QApplication::processEvents();
    const int row = list()->sizeHintForRow(0);
    ASSERT_GT(row, 0);
    EXPECT_GE(list()->viewport()->height(), 12 * row);
}

TEST_F(ChecksTest, PanelWithGarbageSettingsIsDockedAtTheBottom) {
    extraSettings = "[ChecksPanel]\r\nVisible=1\r\nArea=sideways\r\nWidth=-5\r\nHeight=x\r\n";
    writeTranslatedGame();
    MainWindow& f = start();
    EXPECT_FALSE(panel()->isHidden());
    EXPECT_FALSE(panel()->isFloating());
    EXPECT_EQ(f.dockWidgetArea(panel()), Qt::BottomDockWidgetArea);
    EXPECT_GT(panel()->height(), 0);
}

}  // namespace
}  // namespace tarn
