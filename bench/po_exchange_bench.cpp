// PO export and import of all 3453 texts by tarntool, each beside gettext's msgcat reading and
// writing the same PO file: whole processes, one run each (the goal: neither of ours slower
// than msgcat). The executables are of profile 1 (6.8 MB); every text is translated.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

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
        for (std::string& text : texts) {
            text = "DE " + text;
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

    static std::string tarntool(const std::string& args) {
        return "'" TARNTOOL_PATH "' " + args;
    }
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

// Times one run of the command line as a whole process.
void runProcess(benchmark::State& state, const std::string& command) {
    Files& f = files();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int status = f.run(command);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (status != 0) {
            state.SkipWithError(("failed: " + command).c_str());
        }
        state.SetIterationTime(took.count());
    }
}

void BM_ExportPo(benchmark::State& state) {
    runProcess(state, Files::tarntool(
                          "exe export-po original.exe translated.exe -o export.po --language de"));
}
BENCHMARK(BM_ExportPo)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_ImportPo(benchmark::State& state) {
    writeFileAtomically(files().dir / "import.exe", files().translated);
    runProcess(state, Files::tarntool("exe import-po import.exe de.po"));
}
BENCHMARK(BM_ImportPo)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_MsgcatReadWrite(benchmark::State& state) {
    runProcess(state, "'" MSGCAT_PROGRAM "' de.po -o msgcat.po");
}
BENCHMARK(BM_MsgcatReadWrite)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
