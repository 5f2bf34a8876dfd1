// SPDX-License-Identifier: GPL-3.0-or-later
// `tarntool exe import` on the largest build (profile 3, 17 MB) as a whole process, side by side
// with copying the same file the plain way: `cat FILE > FILE.tmp && sync FILE.tmp && mv FILE.tmp
// COPY`. With growing:1 the texts are a quarter longer and the import adds (and each later one
// rebuilds) a section for those that do not fit. Each iteration runs one pair, the order alternating; the counters give the medians,
// the median of the pairs' ratios, and the import's peak resident memory (ru_maxrss from wait4).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Run {
    bool ok = false;
    double seconds = 0;
    double peakMegabytes = 0;
};

// Runs the program with its arguments and waits for it.
Run spawnAndWait(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Run run;
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        struct rusage usage {};
        if (::wait4(pid, &status, 0, &usage) == pid) {
            run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A 17 MB executable and its texts in a temporary folder.
struct Game {
    fs::path dir;
    std::string exe;
    std::string texts;
    bool ok = false;

    explicit Game(bool longer) {
        std::string pattern = (fs::temp_directory_path() / "tarn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        dir = pattern;
        exe = (dir / "Tarn.exe").string();
        texts = (dir / "texts.txt").string();
        ok = spawnAndWait({TARNTOOL_PATH, "exe", "sample", "3", exe}).ok &&
             (longer ? spawnAndWait({TARNTOOL_PATH, "exe", "pseudo", exe, "-o", texts,
                                     "--expand", "25"})
                     : spawnAndWait({TARNTOOL_PATH, "exe", "export", exe, "-o", texts}))
                 .ok;
    }
    ~Game() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

void BM_ExeImportAgainstCatSyncMv(benchmark::State& state) {
    const bool growing = state.range(0) != 0;
    Game game(growing);
    if (!game.ok) {
        state.SkipWithError("tarntool could not make the 17 MB sample game");
        return;
    }
    std::vector<std::string> import = {TARNTOOL_PATH, "exe", "import", game.exe, game.texts};
    if (growing) {
        import.push_back("--grow");
    }
    const std::string copy = (game.dir / "Copy.exe").string();
    const std::vector<std::string> catSyncMv = {
        "/bin/sh", "-c",
        "cat '" + game.exe + "' > '" + game.exe + ".tmp' && sync '" + game.exe + ".tmp' && mv '" +
            game.exe + ".tmp' '" + copy + "'"};

    std::vector<double> imports;
    std::vector<double> copies;
    std::vector<double> ratios;
    double peak = 0;
    bool importFirst = true;
    for (auto _ : state) {
        Run a;
        Run b;
        if (importFirst) {
            a = spawnAndWait(import);
            b = spawnAndWait(catSyncMv);
        } else {
            b = spawnAndWait(catSyncMv);
            a = spawnAndWait(import);
        }
        importFirst = !importFirst;
        if (!a.ok || !b.ok) {
            state.SkipWithError(!a.ok ? "the import failed" : "the plain copy failed");
            return;
        }
        state.SetIterationTime(a.seconds);
        imports.push_back(a.seconds * 1000);
        copies.push_back(b.seconds * 1000);
        ratios.push_back(a.seconds / b.seconds);
        peak = std::max(peak, a.peakMegabytes);
    }
    state.counters["import_ms"] = median(imports);
    state.counters["cat_sync_mv_ms"] = median(copies);
    state.counters["import_per_copy"] = median(ratios);
    state.counters["import_peak_rss_MB"] = peak;
}
BENCHMARK(BM_ExeImportAgainstCatSyncMv)
    ->ArgName("growing")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(9)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
