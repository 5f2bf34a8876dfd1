// SPDX-License-Identifier: GPL-3.0-or-later
// The players' program putting a full translation of the executable's texts (every text of the
// full sample, pseudo-translated, so that some go into an added section: both may grow) into a
// game of the largest build (profile 3, 17 MB), side by side with one `tarntool exe import` of
// the same texts into the same file. Both run as whole processes through the shell; each
// iteration runs one pair on fresh copies of the original, the order alternating. The counters
// give the medians and the median of the pairs' ratios.
#include <benchmark/benchmark.h>

#include <spawn.h>
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

// Runs a shell command and answers its time in seconds, or a negative number when it failed.
double timeShell(const std::string& command) {
    const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        return -1;
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// The translator's two executables and texts, a player's game folder and the patch for it.
struct Setup {
    fs::path dir;
    bool ok = false;

    Setup() {
        std::string pattern = (fs::temp_directory_path() / "tarn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        dir = pattern;
        const std::string tool = TARNTOOL_PATH;
        ok = timeShell(
                 "cd " + quoted(dir) + " && '" + tool + "' sample-game game >/dev/null && '" +
                 tool + "' exe sample 3 original.exe && cp original.exe translated.exe && '" +
                 tool + "' exe pseudo original.exe -o texts.txt --expand 0 && '" + tool +
                 "' exe import translated.exe texts.txt --primary-id 14 --grow >/dev/null && '" +
                 tool +
                 "' patch build --game game -o patch --target native --exe translated.exe "
                 "--original original.exe && printf 'y\\n\\n' > answers") >= 0;
    }
    ~Setup() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

void BM_ExePatchAgainstExeImport(benchmark::State& state) {
    Setup setup;
    if (!setup.ok) {
        state.SkipWithError("tarntool could not make the sample game and its patch");
        return;
    }
    const fs::path& d = setup.dir;
    const std::string fresh = "cd " + quoted(d) +
                              " && rm -rf game/TarnPatch-* && cp original.exe game/Tarn.exe && "
                              "cp original.exe imported.exe";
    const std::string patch = "cd " + quoted(d / "game") + " && ../patch < ../answers >/dev/null";
    const std::string import =
        "cd " + quoted(d) + " && '" + std::string(TARNTOOL_PATH) +
        "' exe import imported.exe texts.txt --primary-id 14 --grow >/dev/null";
    std::vector<double> patches;
    std::vector<double> imports;
    std::vector<double> ratios;
    bool patchFirst = true;
    for (auto _ : state) {
        // The game's object files are patched once; the runs after keep them, as a player's
        // second run would, and only the executable is written again.
        if (timeShell(fresh) < 0) {
            state.SkipWithError("the fresh copies could not be made");
            return;
        }
        double patched = 0;
        double imported = 0;
        if (patchFirst) {
            patched = timeShell(patch);
            imported = timeShell(import);
        } else {
            imported = timeShell(import);
            patched = timeShell(patch);
        }
        patchFirst = !patchFirst;
        if (patched < 0 || imported < 0) {
            state.SkipWithError(patched < 0 ? "the patch failed" : "the import failed");
            return;
        }
        state.SetIterationTime(patched);
        patches.push_back(patched * 1000);
        imports.push_back(imported * 1000);
        ratios.push_back(patched / imported);
    }
    state.counters["patch_ms"] = median(patches);
    state.counters["exe_import_ms"] = median(imports);
    state.counters["patch_per_import"] = median(ratios);
}
BENCHMARK(BM_ExePatchAgainstExeImport)
    ->Iterations(9)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
