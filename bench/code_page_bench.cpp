// SPDX-License-Identifier: GPL-3.0-or-later
// Showing every cell of the grid (3453 texts, original and translation) through a newly chosen
// code page: bytes to display characters, as switching the font's character set does. The
// texts are as long as the game's: together they fill the largest build's text areas.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/file_io.h"
#include "exetext/exe_profile.h"
#include "textcodes/character_table.h"

namespace {

using namespace tarn;

// 6906 texts of letters, spaces and codes whose lengths vary around the game's average.
std::vector<std::string> gameLengthCells() {
    std::int64_t area = 0;
    for (const TextArea& a : profileByNumber(3).textAreas) {
        area += a.last - a.first + 1;
    }
    const std::int64_t average = area / kTextCount;
    std::vector<std::string> cells;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 2 * kTextCount; ++i) {
        seed = seed * 1103515245u + 12345u;
        const auto length =
            static_cast<std::size_t>(seed % static_cast<std::uint32_t>(2 * average));
        std::string text(length, ' ');
        for (std::size_t k = 0; k < length; ++k) {
            seed = seed * 1103515245u + 12345u;
            text[k] = static_cast<char>(32 + (seed >> 16) % 224);
        }
        cells.push_back(std::move(text));
    }
    return cells;
}

void BM_ShowAllCellsThroughANewCodePage(benchmark::State& state) {
    const std::vector<std::string> cells = gameLengthCells();
    std::size_t bytes = 0;
    for (const std::string& c : cells) {
        bytes += c.size();
    }
    const CodePage pages[] = {*CodePage::byNumber(1250), *CodePage::byNumber(1251)};
    std::size_t turn = 0;
    std::vector<std::u16string> shown(cells.size());
    for (auto _ : state) {
        const CodePage& page = pages[turn++ % 2];
        for (std::size_t i = 0; i < cells.size(); ++i) {
            shown[i] = page.toUtf16(cells[i]);
        }
        benchmark::DoNotOptimize(shown.data());
    }
    state.counters["cells"] = static_cast<double>(cells.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ShowAllCellsThroughANewCodePage)->Unit(benchmark::kMillisecond);

// Loading a character table from its file and showing every cell through the page with the
// table over it, as choosing a table in the window does: the goal is one frame, 16 ms.
void BM_LoadATableAndShowAllCells(benchmark::State& state) {
    const std::vector<std::string> cells = gameLengthCells();
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "code_page_bench_polish.tbl";
    writeFileAtomically(file, toBytes("# Polish letters on codes\nA4=Ś\nA6=Ź\nA8=„\nAA=”\n"
                                      "AB=–\nAF=—\nB5=…\nB6=“\nB7=‘\nB8=’\n"));
    const CodePage central = *CodePage::byNumber(1250);
    std::vector<std::u16string> shown(cells.size());
    for (auto _ : state) {
        const CharacterTable table = readCharacterTable(toString(readWholeFile(file)), central);
        const CodePage page = table.over(central);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            shown[i] = page.toUtf16(cells[i]);
        }
        benchmark::DoNotOptimize(shown.data());
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadATableAndShowAllCells)->Unit(benchmark::kMillisecond);

// The same cells as UTF-8, the form the texts file and the console take.
void BM_AllCellsToUtf8(benchmark::State& state) {
    const std::vector<std::string> cells = gameLengthCells();
    const CodePage page = *CodePage::byNumber(1250);
    for (auto _ : state) {
        std::size_t total = 0;
        for (const std::string& c : cells) {
            total += page.toUtf8(c).size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_AllCellsToUtf8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
