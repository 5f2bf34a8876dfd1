// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the executable's texts on the largest build (profile 3, 17 MB, 3453 texts):
// a full save against reading the file whole and writing it whole the way the save writes it,
// and loading both executables against reading both files whole.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "common/partial_file.h"
#include "exetext/exe_layout.h"
#include "exetext/exe_profile.h"
#include "exetext/executable_texts.h"
#include "exetext/found_texts_check.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"

namespace {

namespace fs = std::filesystem;
using namespace tarn;

// Two sample executables in a temporary folder, made once for all benchmarks.
struct Files {
    fs::path dir;
    fs::path original;
    fs::path translated;
    std::vector<std::string> cstyleTexts;

    Files() {
        std::string pattern = (fs::temp_directory_path() / "tarn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        dir = pattern;
        original = dir / "original.exe";
        translated = dir / "translated.exe";
        const std::vector<std::string> texts = sampleTexts();
        writeFileAtomically(original, makeSampleExecutable(3, texts));
        writeFileAtomically(translated, makeSampleExecutable(3, texts));
        for (const std::string& t : texts) {
            cstyleTexts.push_back(rawToCStyle(t));
        }
    }
    ~Files() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Files& files() {
    static Files f;
    return f;
}

void BM_FullSave(benchmark::State& state) {
    Files& f = files();
    for (auto _ : state) {
        const SaveResult result =
            saveStrings(f.translated, f.cstyleTexts, {Notation::CStyle, 0, 0});
        benchmark::DoNotOptimize(result.freeSpace);
    }
}
BENCHMARK(BM_FullSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReadWriteWhole(benchmark::State& state) {
    Files& f = files();
    for (auto _ : state) {
        const Bytes data = readWholeFile(f.translated);
        writeFileAtomically(f.translated, data);
    }
}
BENCHMARK(BM_ReadWriteWhole)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadBoth(benchmark::State& state) {
    Files& f = files();
    for (auto _ : state) {
        LoadedExecutables loaded;
        loadExecutables(f.original, f.translated, Notation::CStyle, loaded);
        benchmark::DoNotOptimize(loaded.translated.data());
    }
}
BENCHMARK(BM_LoadBoth)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReadBothWhole(benchmark::State& state) {
    Files& f = files();
    // One after the other, as the load does: the second file replaces the first in memory.
    for (auto _ : state) {
        {
            const Bytes a = readWholeFile(f.original);
            benchmark::DoNotOptimize(a.data());
        }
        const Bytes b = readWholeFile(f.translated);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_ReadBothWhole)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The sharing search alone, on the stored form of the sample texts.
void BM_ShareTargets(benchmark::State& state) {
    std::vector<std::string> stored;
    for (const std::string& t : sampleTexts()) {
        stored.push_back(expandPictures(t));
    }
    for (auto _ : state) {
        std::vector<int> s = findShareTargets(stored);
        followShareChains(s);
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(BM_ShareTargets)->Unit(benchmark::kMillisecond);

// Placing the sample texts of layout A, every tenth a fifth longer, again from scratch after
// the placement in text order failed (goal under 5 ms).
void BM_PlaceAgain(benchmark::State& state) {
    std::vector<std::string> stored;
    std::size_t n = 0;
    for (const std::string& t : sampleTexts()) {
        std::string text = expandPictures(t);
        if (n++ % 10 == 0) {
            text += std::string(text.size() / 5, 'x');
        }
        stored.push_back(std::move(text));
    }
    std::vector<int> shares = findShareTargets(stored);
    followShareChains(shares);
    const TextAreaTable& areas = profileByNumber(1).textAreas;
    if (planPlacementInTextOrder(areas, stored, shares).fits()) {
        state.SkipWithError("the texts fit in text order");
        return;
    }
    for (auto _ : state) {
        PlacementPlan plan = planPlacement(areas, stored, shares);
        benchmark::DoNotOptimize(plan.position.data());
    }
}
BENCHMARK(BM_PlaceAgain)->Unit(benchmark::kMillisecond);

// The check before every save that the file holds its build's texts: its 3453 pointers read
// and looked up in the text areas (goal under 1 ms).
void BM_FoundTextsCheck(benchmark::State& state) {
    Files& f = files();
    for (auto _ : state) {
        PartialFile file(f.translated);
        refuseUnrecognisedExecutable(f.translated, file, buildLayout(3));
    }
}
BENCHMARK(BM_FoundTextsCheck)->Unit(benchmark::kMillisecond);

// Reading the texts of a file whose text areas hold no zero, so that every text runs on past its
// area, one text at a time as the export does (goal with the export's writing: under 2 s).
void BM_VisitRunawayTexts(benchmark::State& state) {
    Files& f = files();
    const fs::path runaway = f.dir / "runaway.exe";
    Bytes file = makeSampleExecutable(3, sampleTexts());
    for (const TextArea& area : profileByNumber(3).textAreas) {
        std::replace(file.begin() + area.first, file.begin() + area.last + 1, std::uint8_t{0},
                     std::uint8_t{'x'});
    }
    writeFileAtomically(runaway, file);
    std::size_t bytes = 0;
    for (auto _ : state) {
        ExecutableTexts read;
        visitExecutableTexts(runaway, read, [&bytes](int, const std::string* raw) {
            bytes += raw == nullptr ? 0 : rawToCStyle(*raw).size();
        });
    }
    state.counters["MB_per_read"] =
        static_cast<double>(bytes) / 1e6 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_VisitRunawayTexts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
