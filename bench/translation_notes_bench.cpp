// SPDX-License-Identifier: GPL-3.0-or-later
// A translation's notes file with an entry for every one of the 3453 texts, each with a
// two-line note and half of them under review: written and read back (the goal: under 5 ms
// each), and taken from a PO file's messages as an import does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/exe_po.h"
#include "exchange/po_notes.h"
#include "exchange/translation_notes.h"

namespace {

namespace fs = std::filesystem;
using namespace tarn;

constexpr int kTexts = 3453;

TranslationNotes fullNotes() {
    TranslationNotes notes;
    notes.lastTranslator = "Eva Nov\xC3\xA1kov\xC3\xA1 <eva@example.cz>";
    notes.languageTeam = "Czech <cs@example.cz>";
    for (int n = 1; n <= kTexts; ++n) {
        notes.texts[exeContext(n)] = {
            {"Checked against the map of text " + std::to_string(n) + ".",
             "\xE2\x80\x9E" "Br\xC3\xA1na\xE2\x80\x9C is the town gate here, not a door."},
            n % 2 == 0};
    }
    return notes;
}

fs::path scratchFile() {
    std::string pattern = (fs::temp_directory_path() / "tarn-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return fs::path(pattern) / "Tarn.exe.tarnnotes";
}

void BM_NotesFileWrite(benchmark::State& state) {
    const TranslationNotes notes = fullNotes();
    const fs::path path = scratchFile();
    for (auto _ : state) {
        writeTranslationNotes(path, notes);
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
    fs::remove_all(path.parent_path());
}
BENCHMARK(BM_NotesFileWrite)->Unit(benchmark::kMillisecond);

void BM_NotesFileRead(benchmark::State& state) {
    const fs::path path = scratchFile();
    writeTranslationNotes(path, fullNotes());
    for (auto _ : state) {
        benchmark::DoNotOptimize(readTranslationNotes(path));
    }
    fs::remove_all(path.parent_path());
}
BENCHMARK(BM_NotesFileRead)->Unit(benchmark::kMillisecond);

void BM_NotesTakenFromPoMessages(benchmark::State& state) {
    std::vector<PoEntry> entries;
    for (int n = 1; n <= kTexts; ++n) {
        PoEntry entry;
        entry.hasContext = true;
        entry.context = exeContext(n);
        entry.translation = "text";
        entry.comments = {"a note"};
        entry.fuzzy = n % 3 == 0;
        entries.push_back(entry);
    }
    const PoHeaderFields header = {{"Last-Translator", "Eva <eva@example.cz>"}};
    for (auto _ : state) {
        TranslationNotes notes = fullNotes();
        takeNotesFromPo(notes, entries, header, [](const std::string& context) {
            return parseExeContext(context, kTexts).has_value();
        });
        benchmark::DoNotOptimize(notes);
    }
}
BENCHMARK(BM_NotesTakenFromPoMessages)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
