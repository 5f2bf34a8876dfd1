// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the object-file codecs on 1 MiB of object-like data, each against memcpy of the same
// data in the same run (counter vs_memcpy: memcpy time / codec time, higher is faster), and of
// loading 2,000 sample object files against reading them whole on one thread (counter
// load_vs_read: load time / read time, goal at most 1.3; load_vs_read_cpu compares the
// process's CPU time, every thread's included). Decoding is measured as loading decodes: into
// a buffer reused from file to file. Also the record a save of several files keeps.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>

#include "common/file_io.h"
#include "common/whole_file_batch.h"
#include "objfiles/object_container.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "objfiles/rle_codec.h"
#include "objfiles/sample_objects.h"
#include "objfiles/save_intent.h"
#include "objfiles/scrambled_codec.h"

namespace {

using Clock = std::chrono::steady_clock;

const tarn::Bytes& data() {
    static const tarn::Bytes bytes = tarn::makeObjectLikeBytes(1 << 20, 42);
    return bytes;
}

// CPU time of the whole process so far, every thread's included.
double processCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double secondsOf(const std::function<void()>& work, int repeats) {
    const auto start = Clock::now();
    for (int i = 0; i < repeats; ++i) {
        work();
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs op in the benchmark loop and sets vs_memcpy from an equal number of memcpy calls.
void measureAgainstMemcpy(benchmark::State& state, const std::function<void()>& op) {
    int iterations = 0;
    double opSeconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        op();
        opSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        ++iterations;
    }
    tarn::Bytes target(data().size());
    const double copySeconds = secondsOf(
        [&] {
            std::memcpy(target.data(), data().data(), data().size());
            benchmark::DoNotOptimize(target.data());
            benchmark::ClobberMemory();
        },
        iterations);
    state.SetBytesProcessed(static_cast<std::int64_t>(iterations) *
                            static_cast<std::int64_t>(data().size()));
    state.counters["vs_memcpy"] = copySeconds / opSeconds;
}

void BM_DecodeRLE(benchmark::State& state) {
    const tarn::Bytes block = tarn::encodeRle(data().data(), data().size(), true);
    tarn::Bytes buffer;
    measureAgainstMemcpy(state, [&] {
        benchmark::DoNotOptimize(tarn::decodeRle(block.data(), block.size(), buffer));
        benchmark::ClobberMemory();
    });
}

void BM_EncodeRLE(benchmark::State& state) {
    const bool enhanced = state.range(0) != 0;
    measureAgainstMemcpy(state, [&] {
        benchmark::DoNotOptimize(tarn::encodeRle(data().data(), data().size(), enhanced));
    });
}

void BM_DecodeScrambled(benchmark::State& state) {
    tarn::Bytes buffer(data().size());
    measureAgainstMemcpy(state, [&] {
        tarn::decodeScrambled(data().data(), data().size(), buffer.data());
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    });
}

void BM_EncodeScrambled(benchmark::State& state) {
    measureAgainstMemcpy(state, [&] {
        benchmark::DoNotOptimize(tarn::encodeScrambled(data().data(), data().size()));
    });
}

void BM_DecodeStored(benchmark::State& state) {
    tarn::ObjectFile object;
    const tarn::Bytes file = tarn::encodeObjectFile(data(), object, false);
    measureAgainstMemcpy(state,
                         [&] { benchmark::DoNotOptimize(tarn::decodeObjectFile(file, object)); });
}

void BM_ObjectChecksum(benchmark::State& state) {
    tarn::ObjectFile object;
    measureAgainstMemcpy(state, [&] {
        benchmark::DoNotOptimize(tarn::objectChecksum(object, data().data(), data().size()));
    });
}

// 2,000 object files of every type and encoding, 0.5 to 8 KiB each.
const std::filesystem::path& sampleFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "tarn-objfiles-bench";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        const std::uint8_t encodings[] = {0, 1, 3};
        for (std::uint32_t i = 0; i < 2000; ++i) {
            const unsigned type = i % 11;
            tarn::ObjectFileTexts texts(type == 0 || type == 10 ? 3 : 1);
            for (auto& group : texts) {
                group = {{0, "Some object name " + std::to_string(i)},
                         {1, "Ein Objektname " + std::to_string(i)},
                         {5, "Un nom d'objet"}};
            }
            const std::array<std::uint8_t, 8> name{'O', 'B', 'J', 'E', 'C', 'T', 0, 0};
            tarn::writeFileAtomically(path / ("OBJ" + std::to_string(i) + ".dat"),
                                      tarn::makeSampleObjectFile(type, encodings[i % 3], texts,
                                                                 name, i, 500 + (i * 7919) % 7700));
        }
        return path;
    }();
    return folder;
}

void BM_LoadSampleFolder(benchmark::State& state) {
    const auto& folder = sampleFolder();
    const auto paths = tarn::listObjectFiles(folder);
    double loadSeconds = 0;
    double readSeconds = 0;
    double loadCpu = 0;
    double readCpu = 0;
    for (auto _ : state) {
        double cpu = processCpuSeconds();
        loadSeconds += secondsOf(
            [&] {
                tarn::ObjectTextsDocument document;
                benchmark::DoNotOptimize(document.loadFolder(folder).data());
                benchmark::DoNotOptimize(document.files().data());
            },
            1);
        loadCpu += processCpuSeconds() - cpu;
        cpu = processCpuSeconds();
        readSeconds += secondsOf(
            [&] {
                for (const auto& path : paths) {
                    benchmark::DoNotOptimize(tarn::readWholeFile(path));
                }
            },
            1);
        readCpu += processCpuSeconds() - cpu;
    }
    state.counters["files"] = static_cast<double>(paths.size());
    state.counters["load_vs_read"] = loadSeconds / readSeconds;
    state.counters["load_vs_read_cpu"] = loadCpu / readCpu;
    state.counters["ring"] = tarn::WholeFileBatch().usesRing() ? 1 : 0;
}

// The record a save of 35 object files keeps beside ObjData: written before the first file is
// replaced and removed after the last (goal: both together under 1 ms).
void BM_SaveIntentRecordAndRemove(benchmark::State& state) {
    const auto folder =
        std::filesystem::temp_directory_path() / "tarn-save-intent-bench" / "ObjData";
    std::filesystem::create_directories(folder);
    std::vector<tarn::IntendedWrite> files;
    for (int i = 0; i < 35; ++i) {
        files.push_back(tarn::intendedWrite("OBJECT" + std::to_string(i) + ".DAT",
                                            tarn::Bytes(2000, static_cast<std::uint8_t>(i))));
    }
    for (auto _ : state) {
        tarn::recordSaveIntent(folder, "tarntool obj import-po", files);
        tarn::removeSaveIntent(folder);
    }
    std::filesystem::remove_all(folder.parent_path());
}

}  // namespace

BENCHMARK(BM_DecodeStored);
BENCHMARK(BM_DecodeRLE);
BENCHMARK(BM_DecodeScrambled);
BENCHMARK(BM_EncodeRLE)->Arg(0)->Arg(1);
BENCHMARK(BM_EncodeScrambled);
BENCHMARK(BM_ObjectChecksum);
BENCHMARK(BM_LoadSampleFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveIntentRecordAndRemove)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
