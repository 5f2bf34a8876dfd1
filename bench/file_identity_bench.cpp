// SPDX-License-Identifier: GPL-3.0-or-later
// The identity check a save makes before writing, and every writer again just before its
// rename, on the largest build (profile 3, 17 MB): the usual case (nothing changed: one stat,
// under 1 ms) and the worst (the file was touched, so the parts read are hashed again, under
// 5 ms); taking the identity, as tarntool does before it reads the texts it rewrites; and
// taking and dropping the editing lock beside the file, as every writer does (under 1 ms).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "common/edit_lock.h"
#include "common/file_identity.h"
#include "common/file_io.h"
#include "exetext/exe_profile.h"
#include "exetext/executable_texts.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"

namespace {

namespace fs = std::filesystem;
using namespace tarn;

struct File {
    fs::path dir;
    fs::path path;

    File() {
        std::string pattern = (fs::temp_directory_path() / "tarn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        dir = pattern;
        path = dir / "Tarn.exe";
        writeFileAtomically(path, makeSampleExecutable(3, sampleTexts()));
    }
    ~File() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

File& file() {
    static File f;
    return f;
}

void BM_IdentityCheckUnchanged(benchmark::State& state) {
    const FileIdentity known = takeFileIdentity(file().path, textParts(profileByNumber(3)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(changedOnDisk(file().path, known));
    }
}
BENCHMARK(BM_IdentityCheckUnchanged)->Unit(benchmark::kMillisecond);

void BM_IdentityCheckTouched(benchmark::State& state) {
    FileIdentity known = takeFileIdentity(file().path, textParts(profileByNumber(3)));
    known.modified -= 1;  // as after a touch: the parts are hashed again
    for (auto _ : state) {
        benchmark::DoNotOptimize(changedOnDisk(file().path, known));
    }
}
BENCHMARK(BM_IdentityCheckTouched)->Unit(benchmark::kMillisecond);

void BM_TakeExecutableIdentity(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(executableIdentity(file().path));
    }
}
BENCHMARK(BM_TakeExecutableIdentity)->Unit(benchmark::kMillisecond);

void BM_TakeAndDropLock(benchmark::State& state) {
    for (auto _ : state) {
        LockHolder holder;
        std::optional<EditLock> lock = EditLock::take(file().path, "bench", holder);
        if (!lock) {
            state.SkipWithError("the lock is held");
            break;
        }
        lock.reset();
    }
}
BENCHMARK(BM_TakeAndDropLock)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
