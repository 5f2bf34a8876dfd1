// SPDX-License-Identifier: GPL-3.0-or-later
// TarnEdit's windows measured on the offscreen platform: start-up to a filled grid and Save on
// the 17 MB build, the notation toggle and the code-page switch on all 6906 cells, Find and
// Replace over all 3453 texts in the real main window and the undo of that Replace All, the
// preview's poll of a text that did not change, the filter bar's word hiding and showing rows,
// a keystroke announced to every view, and leaving an edited cell (the space budget and
// the checks of all texts brought up to date, the Checks panel shown). Every message box goes to a
// scripted prompter, so nothing waits for a click.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <chrono>
#include <string>

#include "app/find/replace_dialog.h"
#include "app/main/app_settings.h"
#include "app/main/checks_panel.h"
#include "app/main/settings_keeper.h"
#include "app/main/tarn_edit_application.h"
#include "app/main/tests/sample_game.h"
#include "app/preview/preview_action.h"
#include "app/preview/preview_window.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/text_grid_view.h"
#include "exetext/space_budget.h"
#include "textcodes/cstyle.h"

namespace tarn {
namespace {

constexpr int Original = StringTableDocument::OriginalColumn;
constexpr int Translated = StringTableDocument::TranslatedColumn;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Twenty runs, each timed around the window operation alone (setting up the next run is not).
void timedRuns(benchmark::internal::Benchmark* b) {
    b->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
}

// Stops the benchmark with the first message box nobody expected.
bool failOnMessages(benchmark::State& state, const ScriptedPrompter& prompter,
                    std::size_t expected) {
    const auto messages = prompter.messages();
    if (messages.size() == expected) {
        return false;
    }
    const std::string text = messages.size() > expected ? messages[expected].text.toStdString()
                                                        : "fewer message boxes than expected";
    state.SkipWithError(("unexpected message box: " + text).c_str());
    return true;
}

// The main window opened on a generated game of the given profile.
struct OpenGame {
    // settings: what the settings file holds besides the paths.
    explicit OpenGame(int profile, const std::string& settings = {}) {
        const std::vector<std::string> texts = sampleTexts();
        game.writeGame(texts, texts, profile);
        game.writeSettings(settings);
        form = game.openMainWindow();
    }
    ~OpenGame() { form->hide(); }

    ScriptedPrompter prompter;
    SampleGame game;
    std::unique_ptr<MainWindow> form;
};

void BM_StartupOnTheBigBuild(benchmark::State& state) {
    ScriptedPrompter prompter;
    SampleGame game;
    const std::vector<std::string> texts = sampleTexts();
    game.writeGame(texts, texts, 3);
    game.writeSettings();
    double first = -1;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::unique_ptr<MainWindow> form = game.openMainWindow();
        if (first < 0) {
            first = secondsSince(start);
        }
        state.PauseTiming();
        const bool filled =
            form->translatedProfile() == 3 && form->document().cell(2, Translated) == texts[1];
        form->hide();
        form.reset();
        state.ResumeTiming();
        if (!filled) {
            state.SkipWithError("the grid was not filled from the 17 MB build");
            return;
        }
    }
    failOnMessages(state, prompter, 0);
    state.counters["first_start_ms"] = first * 1000;
}
BENCHMARK(BM_StartupOnTheBigBuild)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// Save on the 17 MB build: the save window's whole run, from the command to the replaced file.
void BM_SaveOnTheBigBuild(benchmark::State& state) {
    OpenGame open(3);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        open.form->saveTexts();
        state.SetIterationTime(secondsSince(start));
    }
    if (!failOnMessages(state, open.prompter, 0) && open.form->session().isModified()) {
        state.SkipWithError("the save did not finish");
    }
}
BENCHMARK(BM_SaveOnTheBigBuild)->Apply(timedRuns);

// Argument 0 measures raw to C-style, 1 C-style back to raw; the other way runs untimed. The
// second argument is the build (3: the 17 MB one). Goal: under 16 ms.
void BM_NotationToggleOnAllCells(benchmark::State& state) {
    OpenGame open(static_cast<int>(state.range(1)));
    MainWindow& form = *open.form;
    fillWithCargoTexts(form);  // texts of game length with codes to convert
    const std::string before = form.document().cell(StringTableDocument::kRows, Translated);
    const bool backToRaw = state.range(0) == 1;
    QAction* notation = childByName<QAction>(form, "notationAction");
    for (auto _ : state) {
        if (backToRaw) {
            notation->trigger();
        }
        const Clock::time_point start = Clock::now();
        notation->trigger();
        state.SetIterationTime(secondsSince(start));
        if (!backToRaw) {
            notation->trigger();
        }
        QCoreApplication::processEvents();  // the repaints, outside the measure
    }
    if (form.document().notation() != Notation::Raw ||
        form.document().cell(StringTableDocument::kRows, Translated) != before) {
        state.SkipWithError("the texts did not come back unchanged");
    }
    failOnMessages(state, open.prompter, 0);
    state.counters["cells"] = 2 * StringTableDocument::kRows;
}
BENCHMARK(BM_NotationToggleOnAllCells)
    ->ArgNames({"back_to_raw", "profile"})
    ->ArgsProduct({{0, 1}, {2, 3}})
    ->Apply(timedRuns);

// Switching between code pages 1250 and 1252 (the font's character set) with every cell
// holding a text of game length. Argument 0 measures the switch and the repaint of the cells on
// screen; 1 also reads the shown text of all 6906 cells through the grid. With a character table
// (the second argument), every switch also reads the table anew over the new page.
void BM_CodePageSwitchOnAllCells(benchmark::State& state) {
    const bool withTable = state.range(1) == 1;
    const TempDir tables;
    const fs::path table = tables.path() / "pl.tbl";
    const std::string lines = "A4=\xC5\x9A\nA6=\xC5\xB9\nA8=\xE2\x80\x9E\nAC=\xE2\x80\x9D\n";
    writeFileAtomically(table, Bytes(lines.begin(), lines.end()));
    OpenGame open(2, withTable ? "[Characters]\r\nTableFile=" + table.string() + "\r\n" : "");
    if (withTable && !open.form->codePage().hasPlaced()) {
        state.SkipWithError("the character table was not read");
        return;
    }
    MainWindow& form = *open.form;
    fillWithCargoTexts(form);
    const std::vector<std::string> before = form.document().translatedTexts();
    const bool modifiedBefore = form.session().isModified();  // the filling is an edit
    const bool readEveryCell = state.range(0) == 1;
    QWidget* cells = childByName<TextGridView>(form, "textGrid")->viewport();
    int charset = 238;
    qsizetype shown = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        form.setFontCharset(charset);
        cells->repaint();
        if (readEveryCell) {
            for (int row = 1; row <= StringTableDocument::kRows; ++row) {
                shown +=
                    form.cellText(row, Original).size() + form.cellText(row, Translated).size();
            }
        }
        state.SetIterationTime(secondsSince(start));
        charset = charset == 238 ? 0 : 238;
    }
    benchmark::DoNotOptimize(shown);
    if (form.document().translatedTexts() != before ||
        form.session().isModified() != modifiedBefore) {
        state.SkipWithError("a switch of the code page changed the texts");
    }
    failOnMessages(state, open.prompter, 0);
    state.counters["cells"] = 2 * StringTableDocument::kRows;
}
BENCHMARK(BM_CodePageSwitchOnAllCells)
    ->ArgNames({"read_every_cell", "table"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Apply(timedRuns);

void BM_FindWithoutMatch(benchmark::State& state) {
    OpenGame open(2);
    MainWindow& form = *open.form;
    fillWithCargoTexts(form);
    const auto* find = childByName<QDialog>(form, "findDialog");
    childByName<QLineEdit>(*find, "searchTextEdit")->setText(QStringLiteral("nowhere in any text"));
    childByName<QCheckBox>(*find, "wholeWordsBox")->setChecked(true);
    auto* findNext = childByName<QPushButton>(*find, "findNextButton");
    for (auto _ : state) {
        childByName<TextGridView>(form, "textGrid")->moveTo(1, Original);
        const Clock::time_point start = Clock::now();
        findNext->click();  // row 1 to row 3453, then "Text not found"
        state.SetIterationTime(secondsSince(start));
        if (childByName<TextGridView>(form, "textGrid")->currentRow() != 1) {
            state.SkipWithError("a text matched where none should");
            return;
        }
        if (failOnMessages(state, open.prompter, 1)) {
            return;
        }
        open.prompter.clear();
    }
    state.counters["texts"] = 2 * StringTableDocument::kRows;
}
BENCHMARK(BM_FindWithoutMatch)->Apply(timedRuns);

// The filter bar's word typed and cleared: 2342 of the 3453 rows hidden, then shown again.
void BM_FilterRowsByWord(benchmark::State& state) {
    OpenGame open(2);
    MainWindow& form = *open.form;
    fillWithCargoTexts(form);
    auto* word = childByName<QLineEdit>(form, "filterText");
    auto* grid = childByName<TextGridView>(form, "textGrid");
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        word->setText(QStringLiteral("ship 1"));  // texts 1, 10-19, 100-199, 1000-1999
        const bool hidden = grid->isRowHidden(1) && !grid->isRowHidden(1499);
        word->clear();
        state.SetIterationTime(secondsSince(start));
        if (!hidden || grid->isRowHidden(1)) {
            state.SkipWithError("the filter did not hide and show the rows");
            return;
        }
    }
    state.counters["texts"] = StringTableDocument::kRows;
}
BENCHMARK(BM_FilterRowsByWord)->Apply(timedRuns);

// The filter bar's word a code as C-style notation writes it, over the full sample: every
// text in that notation before it is matched, then every row shown again.
void BM_FilterRowsByCode(benchmark::State& state) {
    OpenGame open(2);
    MainWindow& form = *open.form;
    childByName<QAction>(form, "notationAction")->trigger();
    auto* word = childByName<QLineEdit>(form, "filterText");
    auto* grid = childByName<TextGridView>(form, "textGrid");
    int hidden = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        word->setText(QStringLiteral("%N"));
        hidden = 0;
        for (int row = 0; row < StringTableDocument::kRows; ++row) {
            hidden += grid->isRowHidden(row) ? 1 : 0;
        }
        word->clear();
        state.SetIterationTime(secondsSince(start));
        if (hidden == 0 || hidden == StringTableDocument::kRows - 1) {
            state.SkipWithError("the code did not pick out some of the texts");
            return;
        }
    }
    state.counters["texts"] = StringTableDocument::kRows;
    state.counters["hidden"] = hidden;
}
BENCHMARK(BM_FilterRowsByCode)->Apply(timedRuns);

void BM_ReplaceAllWithoutPrompt(benchmark::State& state) {
    OpenGame open(2);
    MainWindow& form = *open.form;
    auto& replace = *childByName<ReplaceDialog>(form, "replaceDialog");
    childByName<QLineEdit>(replace, "toFindEdit")->setText(QStringLiteral("CARGO"));
    childByName<QLineEdit>(replace, "newTextEdit")->setText(QStringLiteral("fret"));
    childByName<QCheckBox>(replace, "promptBox")->setChecked(false);
    for (auto _ : state) {
        fillWithCargoTexts(form);  // untimed: every run replaces in all 3453 texts
        const Clock::time_point start = Clock::now();
        replace.runReplace();
        state.SetIterationTime(secondsSince(start));
        const std::string& last = form.document().cell(StringTableDocument::kRows, Translated);
        if (last.find("fret") == std::string::npos) {
            state.SkipWithError("the last text was not replaced");
            return;
        }
        if (failOnMessages(state, open.prompter, 1)) {  // "All matching strings were replaced"
            return;
        }
        open.prompter.clear();
    }
    state.counters["texts"] = StringTableDocument::kRows;
}
BENCHMARK(BM_ReplaceAllWithoutPrompt)->Apply(timedRuns);

// Undo of a Replace All that changed all 3453 texts on the 17 MB build, up to the window showing
// the texts as they were (grid, space budget, checks). Goal: under 16 ms.
void BM_UndoReplaceAllOnTheBigBuild(benchmark::State& state) {
    OpenGame open(3);
    MainWindow& form = *open.form;
    fillWithCargoTexts(form);
    const std::vector<std::string> before = form.document().translatedTexts();
    auto& replace = *childByName<ReplaceDialog>(form, "replaceDialog");
    childByName<QLineEdit>(replace, "toFindEdit")->setText(QStringLiteral("CARGO"));
    childByName<QLineEdit>(replace, "newTextEdit")->setText(QStringLiteral("fret"));
    childByName<QCheckBox>(replace, "promptBox")->setChecked(false);
    replace.runReplace();  // "All matching strings were replaced"
    QAction* undo = childByName<QAction>(form, "undoAction");
    QAction* redo = childByName<QAction>(form, "redoAction");
    if (undo->text() != QStringLiteral("Undo Replace All (3453 texts)")) {
        state.SkipWithError(("unexpected step: " + undo->text().toStdString()).c_str());
        return;
    }
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        undo->trigger();
        state.SetIterationTime(secondsSince(start));
        if (form.document().translatedTexts() != before) {
            state.SkipWithError("the undo did not bring back every text");
            return;
        }
        redo->trigger();  // untimed: the next run undoes it again
        QCoreApplication::processEvents();
    }
    failOnMessages(state, open.prompter, 1);
    state.counters["texts"] = StringTableDocument::kRows;
}
BENCHMARK(BM_UndoReplaceAllOnTheBigBuild)->Apply(timedRuns);

// The 100 ms poll while the current cell keeps a long C-style text; "renders" counts the
// times the preview's document changed during the measure (none is the goal).
void BM_PreviewPollOfUnchangedText(benchmark::State& state) {
    OpenGame open(2);
    MainWindow& form = *open.form;
    childByName<QAction>(form, "notationAction")->trigger();
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "\\c3Credits: %N \\d";
    }
    form.setCellText(1, Original, text);
    childByName<TextGridView>(form, "textGrid")->moveTo(1, Original);
    auto& command = *childByName<PreviewAction>(form, "previewCommand");
    command.refreshPreview();  // the first poll renders the text
    int renders = 0;
    QObject::connect(childByName<QTextEdit>(form, "previewText")->document(),
                     &QTextDocument::contentsChanged, [&renders] { ++renders; });
    for (auto _ : state) {
        command.refreshPreview();
    }
    const Converted<std::string> raw = cStyleToRaw(text);
    if (!raw || childByName<PreviewWindow>(form, "previewWindow")->lastText() != raw.value()) {
        state.SkipWithError("the preview does not show the cell's text");
    }
    state.counters["renders"] = renders;
}
BENCHMARK(BM_PreviewPollOfUnchangedText)->Unit(benchmark::kMicrosecond);

// A changed setting: what the window does on its own thread (its values captured and compared
// with those read, the changed ones handed to the writer; the write itself on the writer's
// thread), then the whole write as that thread makes it (the settings file read anew, the
// changed keys edited, the file replaced and flushed). Goal: under 5 ms each.
void BM_SettingChangedInTheWindow(benchmark::State& state) {
    OpenGame open(2);
    MainWindow& form = *open.form;
    SettingsKeeper& keeper = *form.findChild<SettingsKeeper*>();
    int charset = 0;
    for (auto _ : state) {
        form.setFontCharset(++charset % 2 == 0 ? 238 : 204);  // untimed: the change itself
        const Clock::time_point start = Clock::now();
        keeper.writeChanges();
        state.SetIterationTime(secondsSince(start));
        keeper.flush();  // untimed: the writer's thread
    }
}
BENCHMARK(BM_SettingChangedInTheWindow)->Apply(timedRuns);

void BM_SettingWrittenByTheWriter(benchmark::State& state) {
    SampleGame game;
    game.writeSettings();
    AppSettings settings;
    ProfileFile first(game.settingsPath);
    writeClosingSettings(first, settings);  // a whole settings file, as a first run leaves it
    const std::vector<SettingValue> read = settingValues(settings);
    int charset = 0;
    for (auto _ : state) {
        settings.options.fontCharset = ++charset % 2 == 0 ? 238 : 204;
        const std::vector<SettingValue> values = changedSettings(read, settingValues(settings));
        ProfileFile ini(game.settingsPath);
        writeSettingValues(ini, values, false);
    }
}
BENCHMARK(BM_SettingWrittenByTheWriter)->Unit(benchmark::kMillisecond);

// Leaving a cell whose text changed on the 17 MB build: the window recomputes the space budget
// and the checks of all 3453 texts and shows them (status bar, marked rows, the Checks panel
// with a finding for nearly every text, as every translation still equals its original).
// Goal: under 5 ms.
void BM_LeaveEditedCellOnTheBigBuild(benchmark::State& state) {
    OpenGame open(3);
    MainWindow& form = *open.form;
    childByName<QAction>(form, "checksAction")->trigger();
    QAbstractItemModel* grid = childByName<TextGridView>(form, "textGrid")->model();
    const QString base = form.cellText(2, Translated);
    childByName<TextGridView>(form, "textGrid")->moveTo(2, Translated);
    int edits = 0;
    for (auto _ : state) {
        // Untimed: the cell editor's change of the current cell, as typing makes it.
        const int row = childByName<TextGridView>(form, "textGrid")->currentRow();
        const QString text = base + QString::number(++edits);  // a change every time
        grid->setData(grid->index(row - 1, Translated), text, Qt::EditRole);
        const Clock::time_point start = Clock::now();
        childByName<TextGridView>(form, "textGrid")->moveTo(row == 2 ? 3 : 2, Translated);
        state.SetIterationTime(secondsSince(start));
        QCoreApplication::processEvents();  // the repaints, outside the measure
    }
    const SpaceBudget budget =
        spaceBudget(profileByNumber(3).textAreas, form.document().translatedTexts(), Notation::Raw);
    if (childByName<QLabel>(form, "budgetLabel")->text().toStdString() !=
        spaceBudgetStatus(budget)) {
        state.SkipWithError("the status bar does not show the budget of the texts");
    }
    failOnMessages(state, open.prompter, 0);
    state.counters["findings"] =
        static_cast<double>(childByName<ChecksPanel>(form, "checksDock")->findings().size());
}
BENCHMARK(BM_LeaveEditedCellOnTheBigBuild)
    ->Iterations(50)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// One keystroke in the current cell on the 17 MB build: the session merges it into the cell's
// step and announces it, and every subscriber (grid, checks, recovery journal, status line)
// takes note. Goal: under 1 ms.
void BM_KeystrokeAnnouncedOnTheBigBuild(benchmark::State& state) {
    OpenGame open(3);
    MainWindow& form = *open.form;
    auto* view = childByName<TextGridView>(form, "textGrid");
    QAbstractItemModel* grid = view->model();
    view->moveTo(2, Translated);
    const QModelIndex cell = grid->index(1, Translated);
    QString text = form.cellText(2, Translated);
    const int stepsBefore = form.session().stack().count();
    for (auto _ : state) {
        text += QLatin1Char('a' + static_cast<char>(text.size() % 26));
        grid->setData(cell, text, Qt::EditRole);
    }
    if (form.session().stack().count() != stepsBefore + 1) {
        state.SkipWithError("the keystrokes did not make one step");
    }
    failOnMessages(state, open.prompter, 0);
}
BENCHMARK(BM_KeystrokeAnnouncedOnTheBigBuild)->Iterations(200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) {
    // TarnEdit's application object, on the offscreen platform unless another was named.
    tarn::testApplication<tarn::TarnEditApplication>();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
