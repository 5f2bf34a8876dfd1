// TarnEdit's windows measured on the offscreen platform: start-up to a filled grid and Save on
// the 17 MB build, the notation toggle on all 6906 cells, Find and Replace over all 3453 texts in the
// real main window, and the preview's poll of a text that did not change. Every message box
// goes to a scripted prompter, so nothing waits for a click.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <chrono>
#include <string>

#include "editor/find/find_form.h"
#include "editor/find/replace_form.h"
#include "editor/find_and_preview.h"
#include "editor/tarn_application.h"
#include "editor/tests/sample_game.h"
#include "app/widgets/scripted_prompter.h"
#include "textcodes/cstyle.h"
#include "textcodes/ui/preview_command.h"
#include "textcodes/ui/preview_form.h"

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
    explicit OpenGame(int profile) {
        const std::vector<std::string> texts = sampleTexts();
        game.writeGame(texts, texts, profile);
        game.writeSettings();
        form = game.openMainWindow();
    }
    ~OpenGame() { form->hide(); }

    ScriptedPrompter prompter;
    SampleGame game;
    std::unique_ptr<TFoForm> form;
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
        std::unique_ptr<TFoForm> form = game.openMainWindow();
        if (first < 0) {
            first = secondsSince(start);
        }
        state.PauseTiming();
        const bool filled =
            form->TransProfile == 3 && form->document().cell(2, Translated) == texts[1];
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
        open.form->SaveTexts();
        state.SetIterationTime(secondsSince(start));
    }
    if (!failOnMessages(state, open.prompter, 0) && open.form->Modified()) {
        state.SkipWithError("the save did not finish");
    }
}
BENCHMARK(BM_SaveOnTheBigBuild)->Apply(timedRuns);

// Argument 0 measures raw to C-style, 1 C-style back to raw; the other way runs untimed.
void BM_NotationToggleOnAllCells(benchmark::State& state) {
    OpenGame open(2);
    TFoForm& form = *open.form;
    fillWithCargoTexts(form);  // texts of game length with codes to convert
    const std::string before = form.document().cell(StringTableDocument::kRows, Translated);
    const bool backToRaw = state.range(0) == 1;
    for (auto _ : state) {
        if (backToRaw) {
            form.CStyle->trigger();
        }
        const Clock::time_point start = Clock::now();
        form.CStyle->trigger();
        state.SetIterationTime(secondsSince(start));
        if (!backToRaw) {
            form.CStyle->trigger();
        }
        QCoreApplication::processEvents();  // the repaints, outside the measure
    }
    if (form.isCStyle() || form.document().cell(StringTableDocument::kRows, Translated) != before) {
        state.SkipWithError("the texts did not come back unchanged");
    }
    failOnMessages(state, open.prompter, 0);
    state.counters["cells"] = 2 * StringTableDocument::kRows;
}
BENCHMARK(BM_NotationToggleOnAllCells)->ArgName("back_to_raw")->Arg(0)->Arg(1)->Apply(timedRuns);

void BM_FindWithoutMatch(benchmark::State& state) {
    OpenGame open(2);
    TFoForm& form = *open.form;
    fillWithCargoTexts(form);
    TFindForm& find = *form.FindPreview->FindForm;
    find.SearchText->setText(QStringLiteral("nowhere in any text"));
    find.WholeWords->setChecked(true);
    for (auto _ : state) {
        form.selectCell(1, Original);
        const Clock::time_point start = Clock::now();
        find.FindNext->click();  // row 1 to row 3453, then "Text not found"
        state.SetIterationTime(secondsSince(start));
        if (form.currentRow() != 1) {
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

void BM_ReplaceAllWithoutPrompt(benchmark::State& state) {
    OpenGame open(2);
    TFoForm& form = *open.form;
    TReplaceForm& replace = *form.FindPreview->ReplaceForm;
    replace.ToFind->setText(QStringLiteral("CARGO"));
    replace.NewText->setText(QStringLiteral("fret"));
    replace.Prompt->setChecked(false);
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

// The 100 ms poll while the current cell keeps a long C-style text; "renders" counts the
// times the preview's document changed during the measure (none is the goal).
void BM_PreviewPollOfUnchangedText(benchmark::State& state) {
    OpenGame open(2);
    TFoForm& form = *open.form;
    form.CStyle->trigger();
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "\\c3Credits: %N \\d";
    }
    form.setCellText(1, Original, text);
    form.selectCell(1, Original);
    PreviewCommand& command = *form.FindPreview->Preview;
    command.PreviewTimerTimer();  // the first poll renders the text
    int renders = 0;
    QObject::connect(form.FindPreview->PreviewForm->richEdit()->document(),
                     &QTextDocument::contentsChanged, [&renders] { ++renders; });
    for (auto _ : state) {
        command.PreviewTimerTimer();
    }
    std::string raw;
    if (!cStyleToRaw(text, raw) || form.FindPreview->PreviewForm->lastText() != raw) {
        state.SkipWithError("the preview does not show the cell's text");
    }
    state.counters["renders"] = renders;
}
BENCHMARK(BM_PreviewPollOfUnchangedText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarn

// The windows need an application object, on the offscreen platform unless another was named.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    tarn::TarnApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TarnEdit"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
