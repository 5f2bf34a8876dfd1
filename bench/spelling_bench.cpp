// SPDX-License-Identifier: GPL-3.0-or-later
// The spelling check of every translated text of the sample (3453 texts), with a dictionary of
// 60,000 words made here: the words of the texts and made-up ones. Goal: under 200 ms.
#include <benchmark/benchmark.h>

#include <random>
#include <set>

#include "common/tests/temp_dir.h"
#include "exetext/sample_executable.h"
#include "spelling/spelling_check.h"
#include "spelling/tests/test_dictionary.h"
#include "spelling/text_words.h"

namespace {

using namespace tarn;

void BM_SpellingOfAllTexts(benchmark::State& state) {
    const std::vector<std::string> originals = sampleTexts();
    std::vector<std::string> translations = originals;
    std::set<std::string> words;
    for (std::string& text : translations) {
        for (const TextWord& word : textWords(text, CodePage())) {
            words.insert(word.word);
        }
        text += " Zug Wagen Bahnhoff";  // every text translated, one word misspelt
    }
    words.insert({"Zug", "Wagen", "Bahnhof"});
    std::mt19937 rng(3453);
    while (words.size() < 60000) {
        std::string word;
        for (unsigned n = 3 + rng() % 8; n > 0; --n) {
            word += static_cast<char>('a' + rng() % 26);
        }
        words.insert(word);
    }
    const TempDir dir;
    writeTestDictionary(dir.path(), "de_DE", {words.begin(), words.end()});
    const auto checker = SpellChecker::open("de_DE", {dir.path()});
    for (auto _ : state) {
        const auto findings =
            checkSpelling(originals, translations, Notation::Raw, CodePage(), *checker);
        benchmark::DoNotOptimize(findings.data());
    }
    state.counters["findings"] = static_cast<double>(
        checkSpelling(originals, translations, Notation::Raw, CodePage(), *checker).size());
}
BENCHMARK(BM_SpellingOfAllTexts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
