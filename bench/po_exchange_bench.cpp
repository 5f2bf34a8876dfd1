// SPDX-License-Identifier: GPL-3.0-or-later
// PO export and import of all 3453 texts by tarntool, each beside gettext's msgcat reading and
// writing the same PO file: whole processes, each run in turn with msgcat a few times, the ratio
// to msgcat the median of the pairs' ratios in the same run (the goals: export no slower than
// msgcat, import at most 0.8 of its time). The executables are of profile 1 (6.8 MB); every
// text is translated.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "exetext/sample_executable.h"

namespace {

namespace fs = std::filesystem;
using namespace tarn;

struct Files {
    fs::path dir;
    Bytes translated;

    Files() {
        std::string pattern = (fs::temp_directory_path() / "tarn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        dir = pattern;
        std::vector<std::string> texts = sampleTexts();
        writeFileAtomically(dir / "original.exe", makeSampleExecutable(1, texts));
        // Translated into capitals: every text keeps its length, as the full sample leaves no
        // room for longer ones.
        for (std::string& text : texts) {
            for (char& c : text) {
                if (c >= 'a' && c <= 'z') {
                    c = static_cast<char>(c - 'a' + 'A');
                }
            }
        }
        translated = makeSampleExecutable(1, texts);
        writeFileAtomically(dir / "translated.exe", translated);
        if (run(tarntool("exe export-po original.exe translated.exe -o de.po --language de")) !=
            0) {
            std::abort();
        }
    }
    ~Files() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    static std::string tarntool(const std::string& args) { return "'" TARNTOOL_PATH "' " + args; }
    // Runs a command line in the folder; answers its exit status.
    int run(const std::string& command) const {
        const std::string line = "cd '" + dir.string() + "' && " + command + " >/dev/null 2>&1";
        const int status = std::system(line.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

Files& files() {
    static Files f;
    return f;
}

const std::string kMsgcat = "'" MSGCAT_PROGRAM "' de.po -o msgcat.po";

// CPU seconds, user and system, of the child processes ended so far.
double childrenCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Seconds one run of the command line takes as a whole process, and the CPU seconds it used;
// 0 when it failed.
double secondsOfProcess(const std::string& command, double* cpu = nullptr) {
    const double cpuStart = childrenCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const int status = files().run(command);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (cpu != nullptr) {
        *cpu = childrenCpuSeconds() - cpuStart;
    }
    return status == 0 ? took.count() : 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

constexpr int kPairs = 7;

// Runs the command line and msgcat on the same PO file in turn, kPairs times, each as a whole
// process; prepare (untimed) runs before each run of the command. The time reported is the
// median of the command's runs; vs_msgcat is the median of the pairs' ratios, its time over the
// msgcat run right after it (lower is faster), so that a burst of load from other processes
// moves one pair, not the figure. cpu_ms and cpu_vs_msgcat are the same in CPU time.
void runProcess(benchmark::State& state, const std::string& command,
                const std::function<void()>& prepare = {}) {
    for (auto _ : state) {
        std::vector<double> times;
        std::vector<double> cpuTimes;
        std::vector<double> ratios;
        std::vector<double> cpuRatios;
        for (int pair = 0; pair < kPairs; ++pair) {
            state.PauseTiming();
            if (prepare) {
                prepare();
                // What the preparation wrote and freed reaches the disk now, not during the
                // command's own flush.
                ::sync();
            }
            state.ResumeTiming();
            double cpu = 0;
            const double took = secondsOfProcess(command, &cpu);
            if (took == 0) {
                state.SkipWithError(("failed: " + command).c_str());
                return;
            }
            double msgcatCpu = 0;
            const double msgcat = secondsOfProcess(kMsgcat, &msgcatCpu);
            if (msgcat == 0 || msgcatCpu == 0) {
                state.SkipWithError("msgcat failed");
                return;
            }
            times.push_back(took);
            cpuTimes.push_back(cpu);
            ratios.push_back(took / msgcat);
            cpuRatios.push_back(cpu / msgcatCpu);
        }
        state.SetIterationTime(median(times));
        state.counters["cpu_ms"] = median(cpuTimes) * 1e3;
        state.counters["vs_msgcat"] = median(ratios);
        state.counters["cpu_vs_msgcat"] = median(cpuRatios);
    }
}

void BM_ExportPo(benchmark::State& state) {
    runProcess(state, Files::tarntool(
                          "exe export-po original.exe translated.exe -o export.po --language de"));
}
BENCHMARK(BM_ExportPo)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

// Goal: vs_msgcat at most 0.8. Each run imports into the same translated executable afresh.
void BM_ImportPo(benchmark::State& state) {
    runProcess(state, Files::tarntool("exe import-po import.exe de.po"),
               [] { writeFileAtomically(files().dir / "import.exe", files().translated); });
}
BENCHMARK(BM_ImportPo)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_MsgcatReadWrite(benchmark::State& state) {
    for (auto _ : state) {
        const double took = secondsOfProcess(kMsgcat);
        if (took == 0) {
            state.SkipWithError("msgcat failed");
            return;
        }
        state.SetIterationTime(took);
    }
}
BENCHMARK(BM_MsgcatReadWrite)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
