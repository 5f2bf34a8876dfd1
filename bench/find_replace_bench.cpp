// SPDX-License-Identifier: GPL-3.0-or-later
// Replace over all 3453 texts without prompting, and Find next from row 1 to row 3453 without a
// match: both must stay far below 100 ms. The grid's filter by a word over all 3453 texts, at
// every keystroke in its box: under 16 ms.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "textcodes/find_scan.h"
#include "textcodes/replace_scan.h"
#include "textcodes/text_filter.h"

namespace {

constexpr int TextCount = 3453;

// Texts of typical game length (a few words up to a few lines) with codes and accented letters.
std::vector<std::string> sampleTexts(unsigned seed) {
    static const char* const words[] = {"the",  "ship", "cargo", "Credits", "\xE9t\xE9", "sector",
                                        "%N",   "\x91", "pilot", "cat",     "trade,",    "docking",
                                        "bay.", "\x05", "\x7B",  "Station"};
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> wordCount(2, 60);
    std::uniform_int_distribution<int> word(0, std::size(words) - 1);
    std::vector<std::string> texts;
    for (int i = 0; i < TextCount; ++i) {
        std::string text;
        for (int n = wordCount(rng); n > 0; --n) {
            text += words[word(rng)];
            text += ' ';
        }
        texts.push_back(text);
    }
    return texts;
}

class VectorTexts : public tarn::ReplaceTexts {
public:
    explicit VectorTexts(std::vector<std::string> texts) : texts_(std::move(texts)) {}
    int rowCount() const override { return static_cast<int>(texts_.size()); }
    std::string text(int row) const override { return texts_[row - 1]; }
    void setText(int row, const std::string& text) override { texts_[row - 1] = text; }

private:
    std::vector<std::string> texts_;
};

void BM_ReplaceAllWithoutPrompt(benchmark::State& state) {
    const auto original = sampleTexts(1);
    tarn::ReplaceRequest request;
    request.toFind = "CARGO";
    request.newText = "freight goods";
    request.options.wholeWords = state.range(0) != 0;
    int replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        VectorTexts texts(original);
        state.ResumeTiming();
        auto outcome = tarn::runReplaceScan(request, texts, [](int, std::size_t, std::size_t) {
            return tarn::ReplaceAnswer::Replace;
        });
        replaced = outcome.replacements;
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["replacements"] = replaced;
}
BENCHMARK(BM_ReplaceAllWithoutPrompt)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FindWithoutMatch(benchmark::State& state) {
    const auto original = sampleTexts(2);
    const auto translated = sampleTexts(3);
    auto cellText = [&](int row, int column) -> std::string_view {
        return column == 1 ? original[row - 1] : translated[row - 1];
    };
    tarn::SearchOptions options;
    options.wholeWords = state.range(0) != 0;
    for (auto _ : state) {
        auto found =
            tarn::findNextCell({1, 1}, TextCount, "nowhere to be found", tarn::SearchIn::Both,
                               tarn::SearchDirection::Forward, options, cellText);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindWithoutMatch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

// The word is in neither text, so every text is searched in both its texts, without case.
void BM_FilterByWord(benchmark::State& state) {
    const auto originals = sampleTexts(1);
    const auto translations = sampleTexts(2);
    const std::vector<tarn::TextFinding> findings;
    tarn::TextFilter filter;
    filter.word = "freighter";
    filter.kind = static_cast<tarn::TextFilterKind>(state.range(0));
    const tarn::ByteCharacters characters = tarn::byteCharacters(filter.codePage);
    for (auto _ : state) {
        auto shown =
            tarn::textsShown(filter, {originals, translations, originals, findings, characters});
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_FilterByWord)
    ->Arg(static_cast<int>(tarn::TextFilterKind::All))
    ->Arg(static_cast<int>(tarn::TextFilterKind::ChangedSinceLoad))
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
