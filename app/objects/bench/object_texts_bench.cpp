// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window measured on the offscreen platform: 2,000 object files loaded
// into the window, tree included, from showing the window to the final status text. Counters
// give the share of the core loading alone and of building the same tree alone, the median of
// five runs (median_ms, steadier than the mean while other processes load the machine), the
// median of each run's time over reading the same files whole on one thread right after it
// (vs_read), and the CPU time of the window's loading, every thread (cpu_ms). A second benchmark
// times one change of a text through the session and everything that follows its announcement
// (model, grid, checks, marks), events included, with the same files loaded. A third times the
// spelling findings of every text against a German dictionary (Debian's hunspell-de-de), the
// source and target of each group being IDs 0 and 5, as the window's checks ask for them, each
// target with an unknown word of its own added.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/objects/object_spelling.h"
#include "app/objects/object_texts_session.h"
#include "app/objects/object_texts_window.h"
#include "app/objects/object_tree_model.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/sample_object_game.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/test_support/tree_node.h"
#include "app/widgets/text_grid_view.h"
#include "common/file_io.h"
#include "common/whole_file_batch.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_check.h"
#include "objfiles/object_texts_document.h"
#include "spelling/spell_checker.h"

namespace tarn {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU time of the whole process, every thread, in milliseconds.
double processCpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

constexpr int kFiles = 2000;

// 2,000 small object files of every type and of encodings 0, 1 and 3, written plainly (the
// atomic writer's flush to disk would make the set-up slower than what is measured).
void writeObjectFiles(const SampleObjectGame& game) {
    for (int i = 0; i < kFiles; ++i) {
        const unsigned type = static_cast<unsigned>(i % 11);
        const auto encoding = static_cast<std::uint8_t>(i % 3 == 2 ? 3 : i % 3);
        ObjectFileTexts texts(3, {{0, "An object's name " + std::to_string(i)},
                               {5, "Der Name des Dings " + std::to_string(i)}});
        const std::array<std::uint8_t, 8> id{'O', 'B', 'J', 'E', 'C', 'T', '0', '0'};
        const Bytes file = makeSampleObjectFile(type, encoding, texts, id, 1000u + i);
        std::ofstream(game.file("OBJ" + std::to_string(10000 + i) + ".DAT"), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
    }
}

// The tree as the window builds it: a view over the folder's model, every file put in at once,
// the root node expanded.
double buildTreeAloneMs(const ObjectTextsDocument& document) {
    const auto start = Clock::now();
    QTreeView tree;
    const GroupFindings findings;
    ObjectTreeModel model(document, findings, *tree.style());
    tree.setModel(&model);
    model.fill(document.files().size(), {});
    tree.expand(model.rootNode());
    return millisecondsSince(start);
}

// The window over the 2,000 files, not shown yet; loaded turns true whenever it has loaded them.
struct WindowOverTheFiles {
    SampleObjectGame game;
    ScriptedPrompter prompter;
    ObjectTextsWindow window;
    bool loaded = false;

    WindowOverTheFiles() {
        writeObjectFiles(game);
        window.setTranslatedExecutable(QString::fromStdString(game.exePath().string()));
        QObject::connect(&window, &ObjectTextsWindow::filesLoaded, [this] { loaded = true; });
    }
};

void BM_Load2000FilesIntoTheWindow(benchmark::State& state) {
    WindowOverTheFiles rig;
    SampleObjectGame& game = rig.game;
    ObjectTextsWindow& window = rig.window;
    bool& loaded = rig.loaded;

    double coreMs = 0;
    double treeMs = 0;
    std::vector<double> windowTimes;
    std::vector<double> ratios;  // the window's time over reading the files, per run
    double cpuMs = 0;
    const std::vector<std::filesystem::path> paths = listObjectFiles(game.objData());
    for (auto _ : state) {
        loaded = false;
        const double cpuStart = processCpuMs();
        const auto start = Clock::now();
        window.show();
        if (!processEventsUntil([&] { return loaded; }, 60000)) {
            state.SkipWithError("the files were not loaded within a minute");
            break;
        }
        const double tookMs = millisecondsSince(start);
        cpuMs += processCpuMs() - cpuStart;
        windowTimes.push_back(tookMs);
        state.SetIterationTime(tookMs / 1000.0);
        const auto* tree = window.findChild<QTreeView*>(QStringLiteral("objectTree"));
        if (tree == nullptr || tree->model()->rowCount(tree->model()->index(0, 0)) != kFiles ||
            window.statusText() != "2000 files loaded successfully") {
            state.SkipWithError("the window did not load every file");
            break;
        }
        state.PauseTiming();
        window.reject();  // closes as the Close button does, dropping the files
        QApplication::processEvents();
        ObjectTextsDocument document;
        const auto coreStart = Clock::now();
        document.loadFolder(game.objData());
        coreMs += millisecondsSince(coreStart);
        treeMs += buildTreeAloneMs(document);
        const auto readStart = Clock::now();
        for (const std::filesystem::path& path : paths) {
            benchmark::DoNotOptimize(readWholeFile(path));
        }
        ratios.push_back(tookMs / millisecondsSince(readStart));
        state.ResumeTiming();
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = cpuMs / runs;
    state.counters["core_ms"] = coreMs / runs;
    state.counters["tree_ms"] = treeMs / runs;
    state.counters["median_ms"] = median(windowTimes);
    state.counters["vs_read"] = median(ratios);
    state.counters["ring"] = WholeFileBatch().usesRing() ? 1 : 0;
}
BENCHMARK(BM_Load2000FilesIntoTheWindow)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_ChangeOfATextAndItsAnnouncement(benchmark::State& state) {
    WindowOverTheFiles rig;
    ObjectTextsWindow& window = rig.window;
    window.show();
    if (!processEventsUntil([&] { return rig.loaded; }, 60000)) {
        state.SkipWithError("the files were not loaded within a minute");
        return;
    }
    TreeNode::top(*window.findChild<QTreeView*>(QStringLiteral("objectTree")))
        .child(0)
        .child(0)
        .makeCurrent();
    ObjectTextsSession& session = window.session();
    int announced = 0;
    QObject::connect(&session, &GameTextsSession::textsChanged, [&] { ++announced; });
    int step = 0;
    for (auto _ : state) {
        // Each change a step of its own, as after leaving the cell.
        session.endCellEdit();
        session.editCell(2, 1, {step % 2 == 0 ? "Ein Name" : "Der Name", false});
        QApplication::processEvents();
        ++step;
    }
    if (announced != step) {
        state.SkipWithError("a change was not announced");
    }
}
BENCHMARK(BM_ChangeOfATextAndItsAnnouncement)->Unit(benchmark::kMicrosecond);

void BM_SpellingOfEveryText(benchmark::State& state) {
    std::unique_ptr<SpellChecker> checker;
    try {
        checker = SpellChecker::open("de_DE", dictionaryFolders(std::nullopt));
    } catch (const SpellingError& e) {
        state.SkipWithError(e.what());
        return;
    }
    WindowOverTheFiles rig;
    ObjectTextsWindow& window = rig.window;
    window.setCodePage(*CodePage::byNumber(1252));
    window.show();
    if (!processEventsUntil([&] { return rig.loaded; }, 60000)) {
        state.SkipWithError("the files were not loaded within a minute");
        return;
    }
    TextGridView grid;
    ObjectSpelling spelling(grid, window.session().groupRows(), window.codePage(), nullptr);
    spelling.setChecker([&checker] { return checker.get(); });
    std::vector<ObjectTextPair> pairs = objectTextPairs(window.document().files(), 0, 5);
    // The worst case besides: each text also has a word of its own that no dictionary knows.
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        std::string word = "Ding";
        for (std::size_t n = i + 1; n > 0; n /= 26) {
            word += static_cast<char>('a' + n % 26);
        }
        pairs[i].target += " " + word;
    }
    std::size_t found = 0;
    for (auto _ : state) {
        found = spelling.findings(pairs).size();
    }
    state.counters["texts"] = static_cast<double>(pairs.size());
    state.counters["findings"] = static_cast<double>(found);
}
BENCHMARK(BM_SpellingOfEveryText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) {
    tarn::testApplication();  // on the offscreen platform
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
